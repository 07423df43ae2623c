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

    bool PointerOver() const;

    Body* body = nullptr;
    bool left = true;
    bool pressed = true;
    std::unique_ptr<Message> message;
    // Image shown while the pointer is over the button; "" = none.
    std::string hover;

private:
    // Puts a button with a hover image into its level's update list. A
    // component links into one level list at a time, and the button itself
    // is a mouse listener; this stands in for it there.
    class HoverWatch : public Component {
    public:
        explicit HoverWatch(Clickable& button) : Component("Clickable hover"), button_(button) {}
        void Serialize(DataReader& /*in*/) override {}
        void Update(float /*dt*/) override { button_.ShowHover(); }

    private:
        Clickable& button_;
    };

    // Shows the hover image on the sibling sprite while the pointer is over
    // the button, and the sprite's own image otherwise.
    void ShowHover();

    LevelListLink link_;
    std::unique_ptr<HoverWatch> hoverWatch_;
    LevelListLink hoverLink_;
    Sprite* sprite_ = nullptr;
    bool hovered_ = false;
};
