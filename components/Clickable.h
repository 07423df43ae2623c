#pragma once

#include <memory>
#include <string>

#include "components/LevelListLink.h"
#include "core/Messages.h"
#include "objects/Component.h"

class Body;
class Sprite;

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
    // With a `hover` image: shows it on the sibling sprite while the pointer
    // is over the button, and the sprite's own image otherwise.
    void Update(float dt) override;

    bool PointerOver() const;

    Body* body = nullptr;
    bool left = true;
    bool pressed = true;
    std::unique_ptr<Message> message;
    // Image shown while the pointer is over the button; "" = none.
    std::string hover;

private:
    LevelListLink link_;
    LevelListLink updateLink_;
    Sprite* sprite_ = nullptr;
    bool hovered_ = false;
};
