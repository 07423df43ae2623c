#pragma once

#include <memory>

#include "components/LevelListLink.h"
#include "core/Messages.h"
#include "objects/Component.h"

class Body;

// Makes an object a button: a matching mouse-button event inside its body's
// shape broadcasts the level command the component holds.
class Clickable : public Component {
public:
    static constexpr const char* kTypeName = "Clickable";

    Clickable() : Component(kTypeName) {}
    ~Clickable() override;

    void Initialize() override;
    void Serialize(DataReader& in) override;
    void SendMessage(Message* message) override;

    Body* body = nullptr;
    bool left = true;
    bool pressed = true;
    std::unique_ptr<Message> message;

private:
    LevelListLink link_;
};
