#pragma once

#include "components/LevelListLink.h"
#include "core/Vec2.h"
#include "objects/Component.h"

class Body;
class Position;

// Destroys every killable object it collides with.
class Deadly : public Component {
public:
    static constexpr const char* kTypeName = "Deadly";

    Deadly() : Component(kTypeName) {}

    void Serialize(DataReader& in) override;
    void SendMessage(Message* message) override;
};

// A marker found by name by Deadly; no data, no behaviour.
class Killable : public Component {
public:
    static constexpr const char* kTypeName = "Killable";

    Killable() : Component(kTypeName) {}

    void Serialize(DataReader& in) override;
};

// Shrinks its object's drawn and collision size linearly to zero over
// `duration` seconds, then destroys the object.
class Hole : public Component {
public:
    static constexpr const char* kTypeName = "Hole";

    Hole() : Component(kTypeName) {}
    ~Hole() override;

    void Initialize() override;
    void Serialize(DataReader& in) override;
    void Update(float dt) override;

    float duration = 0.0f;
    float remaining = 0.0f;
    Vec2 initialSize{0.0f, 0.0f};
    Vec2 initialCollisionSize{0.0f, 0.0f};
    Position* transform = nullptr;
    Body* body = nullptr;

private:
    LevelListLink link_;
};
