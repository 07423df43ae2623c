#pragma once

#include <string>

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

    // Archetype left where it killed something (a splash of spit), so that
    // a player sees what it was; "" leaves nothing.
    std::string mark;
};

// What Deadly destroys. It may leave remains where it died, and tells the
// game flow where that was.
class Killable : public Component {
public:
    static constexpr const char* kTypeName = "Killable";

    Killable() : Component(kTypeName) {}

    void Serialize(DataReader& in) override;
    // Requests the object's destruction; the first time only, leaves the
    // remains and returns true.
    bool Kill();

    // Archetype left where it died; "" leaves nothing.
    std::string remains;

private:
    bool killed_ = false;
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
