#pragma once

#include "components/Cursor.h"

class Sprite;
class Texture;

// The aiming cursor: follows the mouse, counts down both reload times,
// shows which projectiles are ready and makes the player throw them.
class MouseTargeting : public Cursor {
public:
    static constexpr const char* kTypeName = "MouseTargeting";

    MouseTargeting() : Cursor(kTypeName) {}

    void Initialize() override;
    void Serialize(DataReader& in) override;
    void SendMessage(Message* message) override;
    void Update(float dt) override;

    float fireballReload = 0.0f;
    float fireballReloadMax = 0.0f;
    float snowballReload = 0.0f;
    float snowballReloadMax = 0.0f;
    Sprite* sprite = nullptr;
    Texture* cursorTexture = nullptr;
    Texture* fireCursorTexture = nullptr;
    Texture* snowCursorTexture = nullptr;
    Texture* bothCursorTexture = nullptr;
};
