#pragma once

#include <string>

#include "core/Vec2.h"
#include "objects/Component.h"

// A line of text that the graphics system draws over the sprites every
// frame, in the font of the frame-rate overlay, with its top-left corner at
// `at` (screen units). What it says is up to the kind of label.
class TextLabel : public Component {
public:
    ~TextLabel() override;

    // Joins the graphics system's labels.
    void Initialize() override;
    virtual std::string Text() const = 0;

    Vec2 at{0.0f, 0.0f};
    TextLabel* labelNext = nullptr;
    TextLabel* labelPrev = nullptr;

protected:
    explicit TextLabel(std::string name) : Component(std::move(name)) {}

private:
    friend class Graphics;
    bool listed_ = false;
};
