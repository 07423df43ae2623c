#pragma once

#include "components/LevelListLink.h"
#include "core/Vec2.h"
#include "objects/Component.h"

class Body;

// Moves the player: adds a force to its body for every direction whose key
// is held, read from the live keyboard state.
class Controllable : public Component {
public:
    static constexpr const char* kTypeName = "Controllable";

    Controllable() : Component(kTypeName) {}
    ~Controllable() override;

    void Initialize() override;
    void Serialize(DataReader& in) override;
    void Update(float dt) override;

    Vec2 forceUp{0.0f, -10000.0f};
    Vec2 forceDown{0.0f, 10000.0f};
    Vec2 forceLeft{-10000.0f, 0.0f};
    Vec2 forceRight{10000.0f, 0.0f};
    Body* body = nullptr;

private:
    LevelListLink link_;
};
