#pragma once

#include <SDL_ttf.h>

#include <memory>
#include <string>

#include "platform/RenderDevice.h"

class GlDevice;

// Where fontconfig finds a face: the file, the face index in it and
// whether the face itself is bold.
struct FontFile {
    std::string path;
    int index = 0;
    bool bold = false;
    bool italic = false;
};

// Resolves a face name with a Win32 weight (400 normal, 700 bold) through
// fontconfig's substitution rules; false when no font file is known.
bool ResolveFontFile(const std::string& face, std::uint32_t weight, bool italic, FontFile& file);

// A font opened with SDL_ttf. It draws through its device while that lives;
// its release needs no OpenGL context (the engine releases it last).
class GlFont : public Font {
public:
    // Height as Win32's: positive is the character cell (ascent plus
    // descent), negative the em size, 0 a default. Null on failure.
    static GlFont* Create(std::shared_ptr<GlDevice*> device, int height, std::uint32_t weight, bool italic,
                          const std::string& face);

    void Release() override { delete this; }
    // Draws each line of the text with its top-left corner at the rectangle's
    // left/top (back-buffer pixels); returns the height of the text drawn.
    int DrawTextA(void* sprite, const char* text, int count, WinRect* rect, std::uint32_t format,
                  D3DCOLOR color) override;

    int CellHeight() const { return TTF_FontHeight(font_); }

private:
    GlFont(std::shared_ptr<GlDevice*> device, TTF_Font* font) : device_(std::move(device)), font_(font) {}
    // After TTF_Quit the face is already gone with the FreeType library.
    ~GlFont() override {
        if (TTF_WasInit() > 0) {
            TTF_CloseFont(font_);
        }
    }

    std::shared_ptr<GlDevice*> device_;
    TTF_Font* font_;
};
