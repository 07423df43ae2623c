#pragma once

#include <string>

#include "graphics/TextLabel.h"

// A line of text that says how much is left to win, for example "3 left":
// the game flow's count of announced opponents put into `format`, where
// every '#' stands for the number and every '_' for a space (data words
// hold no spaces).
class ProgressText : public TextLabel {
public:
    static constexpr const char* kTypeName = "ProgressText";

    ProgressText() : TextLabel(kTypeName) {}

    void Serialize(DataReader& in) override;
    std::string Text() const override;

    // The text for `left` opponents.
    static std::string Format(const std::string& format, int left);

    std::string format = "#_left";
};
