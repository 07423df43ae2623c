#pragma once

#include <string>

#include "objects/Component.h"

class Position;
class RenderDevice;
class Texture;

// A textured rectangle over the object's Position, drawn at its depth.
class Sprite : public Component {
public:
    static constexpr const char* kTypeName = "Sprite";

    Sprite() : Component(kTypeName) {}
    ~Sprite() override;

    void Initialize() override;
    void Serialize(DataReader& in) override;
    void Draw(RenderDevice& device);

    bool InDrawList() const { return inDrawList_; }

    Texture* texture = nullptr;
    std::string name;
    Position* position = nullptr;
    float sort = -1.0f;
    Sprite* drawPrev = nullptr;
    Sprite* drawNext = nullptr;

private:
    friend class Graphics;
    friend class DrawOrderIndex;
    bool inDrawList_ = false;
    float listedSort_ = -1.0f;  // the key it joined the draw list with
};
