#pragma once

#include <string>

#include "objects/Component.h"

class Position;

// Makes an object follow the mouse. The most recently initialized cursor is
// the game's current one; it replaces (and removes) the one before it.
class Cursor : public Component {
public:
    static constexpr const char* kTypeName = "Cursor";

    Cursor() : Component(kTypeName) {}
    ~Cursor() override;

    void Initialize() override;
    void Serialize(DataReader& in) override;
    void Update(float dt) override;

    Position* transform = nullptr;

protected:
    explicit Cursor(std::string name) : Component(std::move(name)) {}
};
