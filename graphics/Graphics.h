#pragma once

#include <string>
#include <unordered_map>

#include "core/System.h"
#include "core/WinTypes.h"
#include "graphics/DrawOrderIndex.h"
#include "graphics/Sprite.h"
#include "graphics/TextLabel.h"
#include "objects/IntrusiveList.h"
#include "platform/RenderDevice.h"

// Owns the render device and draws every frame: the sprites in draw order,
// then the debug overlay of physics shapes and the frame rate.
class Graphics : public System {
public:
    explicit Graphics(WindowHandle windowHandle);
    ~Graphics() override;

    void Update(float dt) override;
    // Creates the device and every drawing resource. When they cannot be
    // made, prints one line on standard error and marks the start-up failed
    // (InitializationFailed); the start-up then tears down again.
    void Initialize() override;
    void SendMessage(Message* message) override;

    Texture* LoadTexture(const std::string& name);
    void DrawLine(float x1, float y1, float x2, float y2);
    void DrawRect(float cx, float cy, float halfWidth, float halfHeight);
    void DrawCircle(float radius, float cx, float cy);

    // Sorted insertion into the draw list (largest sort first; among equal
    // keys the newest first) and removal from it.
    void AddSprite(Sprite& sprite);
    void RemoveSprite(Sprite& sprite);
    // Labels are drawn over every sprite, in the order they joined.
    void AddLabel(TextLabel& label);
    void RemoveLabel(TextLabel& label);

    // The text the overlay shows for a frame of `dt` seconds.
    static std::string FrameRateText(float dt);

    // Initialize without printing: false (and the reason) when the device,
    // font or quad buffer cannot be created.
    bool TryInitialize(std::string& error);

    bool InitializationFailed() const { return initializationFailed_; }

    // The data folder, with a trailing separator ("Data/" by default, below
    // the working directory); images are read from its "Images/".
    void SetDataFolder(std::string folder) { dataFolder_ = std::move(folder); }
    // The directory that holds "Data/".
    void SetDataRoot(const std::string& root) { SetDataFolder(root + "Data/"); }

    WindowHandle window;
    Direct3D* d3d = nullptr;
    RenderDevice* device = nullptr;
    VertexBuffer* quadBuffer = nullptr;
    Font* font = nullptr;
    bool debugDraw = false;
    std::unordered_map<std::string, Texture*> textures;
    IntrusiveList<Sprite, &Sprite::drawNext, &Sprite::drawPrev> sprites;
    IntrusiveList<TextLabel, &TextLabel::labelNext, &TextLabel::labelPrev> labels;

private:
    void DrawLabels();
    void DrawDebugVertices(D3DPRIMITIVETYPE type, std::uint32_t count, const DebugVertex* vertices);
    void ToView(float x, float y, float& vx, float& vy) const;

    DrawOrderIndex drawOrder_;
    std::string dataFolder_ = "Data/";
    bool initializationFailed_ = false;
};

extern Graphics* gGraphics;
