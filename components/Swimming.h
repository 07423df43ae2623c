#pragma once

#include "components/LevelListLink.h"
#include "objects/Component.h"

class Body;

// Makes what touches it swim for a while, and tells the AI where.
class Water : public Component {
public:
    static constexpr const char* kTypeName = "Water";

    Water() : Component(kTypeName) {}

    void Serialize(DataReader& in) override;
    void SendMessage(Message* message) override;

    float swimTime = 0.25f;
};

// While its time runs: its body loses half its velocity per 1/60 s on top of
// its drag, and keeps the swimming collision layer (bit 2) on.
class Swimmer : public Component {
public:
    static constexpr int kSwimmingLayer = 2;
    static constexpr float kWaterDrag = 0.5f;

    static constexpr const char* kTypeName = "Swimmer";

    Swimmer() : Component(kTypeName) {}
    ~Swimmer() override;

    void Initialize() override;
    void Serialize(DataReader& in) override;
    void Update(float dt) override;

    float timer = 0.0f;
    Body* body = nullptr;

private:
    LevelListLink link_;
};
