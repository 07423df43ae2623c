#pragma once

#include <SDL_opengl.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/Matrix.h"
#include "platform/RenderDevice.h"
#include "platform/sdl/GlQuadBatch.h"
#include "platform/sdl/PresentPacer.h"

class GlContext;
class GlTexture;
class GlVertexBuffer;

// The render device on OpenGL's fixed-function pipeline, set up to behave
// as the Direct3D 9 one: row-vector matrices, Direct3D's 0..1 clip depth,
// its pixel centres, its render-state defaults, and a back buffer of its own
// (a framebuffer object) that Present scales bilinearly onto the window.
class GlDevice : public RenderDevice {
public:
    // Null when the framebuffer cannot be made.
    static GlDevice* Create(std::shared_ptr<GlContext> context, std::uint32_t width, std::uint32_t height,
                            bool depthBuffer, std::uint32_t presentInterval);

    void Release() override { delete this; }
    HRESULT Clear(std::uint32_t count, const void* rects, std::uint32_t flags, D3DCOLOR color, float z,
                  std::uint32_t stencil) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Present(const void* sourceRect, const void* destRect, WindowHandle overrideWindow,
                    const void* dirtyRegion) override;
    HRESULT GetViewport(D3DVIEWPORT9* viewport) override;
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE state, const Matrix* matrix) override;
    HRESULT SetVertexShader(void* shader) override;
    HRESULT SetFVF(std::uint32_t fvf) override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, std::uint32_t value) override;
    HRESULT SetTextureStageState(std::uint32_t stage, D3DTEXTURESTAGESTATETYPE type, std::uint32_t value) override;
    HRESULT SetTexture(std::uint32_t stage, Texture* texture) override;
    HRESULT CreateVertexBuffer(std::uint32_t length, std::uint32_t usage, std::uint32_t fvf, std::uint32_t pool,
                               VertexBuffer** buffer, void* sharedHandle) override;
    HRESULT SetStreamSource(std::uint32_t stream, VertexBuffer* buffer, std::uint32_t offset,
                            std::uint32_t stride) override;
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, std::uint32_t startVertex, std::uint32_t primitiveCount) override;
    HRESULT DrawPrimitiveUP(D3DPRIMITIVETYPE type, std::uint32_t primitiveCount, const void* data,
                            std::uint32_t stride) override;
    HRESULT CreateTextureFromFileExA(const char* path, std::uint32_t width, std::uint32_t height,
                                     std::uint32_t mipLevels, std::uint32_t usage, std::uint32_t format,
                                     std::uint32_t pool, std::uint32_t filter, std::uint32_t mipFilter,
                                     D3DCOLOR colorKey, D3DXIMAGE_INFO* sourceInfo, void* palette,
                                     Texture** texture) override;
    HRESULT CreateFontA(int height, std::uint32_t width, std::uint32_t weight, std::uint32_t mipLevels, bool italic,
                        std::uint32_t charSet, std::uint32_t outputPrecision, std::uint32_t quality,
                        std::uint32_t pitchAndFamily, const char* faceName, Font** font) override;

    // The back buffer as 0xAARRGGBB pixels, rows top to bottom. Present
    // leaves it intact, so it shows the last frame until the next Clear.
    std::vector<std::uint32_t> ReadBackBuffer();
    std::uint32_t BackBufferWidth() const { return width_; }
    std::uint32_t BackBufferHeight() const { return height_; }
    std::string RendererName() const;

    // Draws an RGBA image (rows top to bottom) with its top-left corner at
    // back-buffer pixel (x, y), modulated by `color`, over everything and
    // blended with its alpha: how fonts put their text on the screen.
    void DrawScreenImage(const std::uint8_t* rgba, int width, int height, int x, int y, D3DCOLOR color);

    // A texture being released stops being bound.
    void ForgetTexture(const GlTexture* texture);

    // Consecutive draws from the vertex buffer that differ only in their
    // world transform reach OpenGL as one draw, with the same pixels. On
    // unless the environment sets VELMOR_GL_BATCHING=0.
    void SetBatching(bool on);
    bool Batching() const { return batching_; }

    // As if created with this presentation interval: the immediate one
    // presents as fast as frames come, any other one refresh apart.
    void SetPresentInterval(std::uint32_t presentInterval);
    // Draw calls made to OpenGL so far.
    std::uint64_t OpenGlDraws() const { return openGlDraws_; }

private:
    GlDevice(std::shared_ptr<GlContext> context, std::uint32_t width, std::uint32_t height, bool depthBuffer);
    ~GlDevice() override;
    bool CreateFramebuffer();
    void ApplyDefaultState();
    void ApplyDepth() const;
    void ApplyBlend() const;
    void ApplyCull() const;
    void ApplyTexture() const;
    Matrix FullProjection() const;
    void UploadTransforms();
    // Draws what the batch gathered; every call that reads or changes
    // OpenGL state the batch depends on comes here first.
    void Flush();
    // One refresh of the display the window is on.
    std::int64_t RefreshInterval() const;

    struct Layout {
        std::uint32_t size = 0;
        int diffuse = -1;
        int texcoord = -1;
    };
    static bool LayoutForFvf(std::uint32_t fvf, Layout& layout);
    HRESULT DrawVertices(D3DPRIMITIVETYPE type, std::uint32_t vertices, const std::uint8_t* base, std::uint32_t stride,
                         const Layout& layout);

    std::shared_ptr<GlContext> context_;
    std::shared_ptr<GlDevice*> link_;
    std::uint32_t width_;
    std::uint32_t height_;
    bool hasDepth_;
    GLuint framebuffer_ = 0;
    GLuint colorBuffer_ = 0;
    GLuint depthBuffer_ = 0;
    GLuint textTexture_ = 0;

    bool inScene_ = false;
    Matrix world_;
    Matrix view_;
    Matrix projection_;
    bool transformsDirty_ = true;
    std::uint32_t fvf_ = 0;
    GlVertexBuffer* stream_ = nullptr;
    std::uint32_t streamOffset_ = 0;
    std::uint32_t streamStride_ = 0;
    const GlTexture* texture_ = nullptr;

    bool zEnable_ = true;
    bool blendEnable_ = false;
    std::uint32_t srcBlend_ = D3DBLEND_ONE;
    std::uint32_t destBlend_ = D3DBLEND_ZERO;
    std::uint32_t cullMode_ = 3;  // D3DCULL_CCW
    bool lighting_ = true;
    std::vector<std::uint8_t> colorScratch_;

    bool batching_ = true;
    GlQuadBatch batch_;
    bool batchTextured_ = false;
    Matrix clipTransform_;
    bool clipTransformDirty_ = true;
    std::uint64_t openGlDraws_ = 0;

    bool paced_ = true;
    PresentPacer pacer_;
};
