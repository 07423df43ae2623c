#pragma once

#include <SDL_opengl.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/ImageFile.h"
#include "platform/RenderDevice.h"

class GlContext;
class GlDevice;

// An OpenGL texture made from an image file. It keeps the context alive so
// that its release can always delete the texture object.
class GlTexture : public Texture {
public:
    GlTexture(std::shared_ptr<GlContext> context, std::shared_ptr<GlDevice*> device, GLuint name, std::uint32_t width,
              std::uint32_t height)
        : context_(std::move(context)), device_(std::move(device)), name_(name), width_(width), height_(height) {}
    void Release() override { delete this; }
    std::uint32_t Width() const override { return width_; }
    std::uint32_t Height() const override { return height_; }
    GLuint Name() const { return name_; }

private:
    ~GlTexture() override;

    std::shared_ptr<GlContext> context_;
    std::shared_ptr<GlDevice*> device_;
    GLuint name_;
    std::uint32_t width_;
    std::uint32_t height_;
};

// The texels of a width x height texture (RGBA bytes, rows top to bottom)
// holding `image` unscaled in its top-left corner; the margin and every
// texel equal to a non-zero A8R8G8B8 colour key are transparent black.
std::vector<std::uint8_t> PlaceInTexture(const Image& image, std::uint32_t width, std::uint32_t height,
                                         D3DCOLOR colorKey);
