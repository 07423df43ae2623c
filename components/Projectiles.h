#pragma once

#include "components/LevelListLink.h"
#include "objects/Component.h"

class Body;

// What both projectiles share: a place in the level's update list and the
// body whose speed decides when they have slowed down.
class Projectile : public Component {
public:
    ~Projectile() override;

    void Initialize() override;
    void Serialize(DataReader& in) override;
    void SendMessage(Message* message) override;
    void Update(float dt) override;

    Body* body = nullptr;

protected:
    explicit Projectile(std::string name) : Component(std::move(name)) {}
    // Ends the projectile: on any collision, or when slower than 100 units
    // per second.
    virtual void End() = 0;

private:
    LevelListLink link_;
};

// Ends its object and leaves a hole where it was.
class Fireball : public Projectile {
public:
    static constexpr const char* kTypeName = "Fireball";

    Fireball() : Projectile(kTypeName) {}

    void Explode();

protected:
    void End() override { Explode(); }
};

// Simply ends its object.
class Snowball : public Projectile {
public:
    static constexpr const char* kTypeName = "Snowball";

    Snowball() : Projectile(kTypeName) {}

protected:
    void End() override;
};
