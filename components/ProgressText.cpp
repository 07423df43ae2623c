#include "components/ProgressText.h"

#include "game/GameLogic.h"
#include "objects/BlockReader.h"

void ProgressText::Serialize(DataReader& in) {
    BlockReader(kTypeName).Vec2("position", at).String("format", format).Read(in);
}

std::string ProgressText::Text() const { return Format(format, gGameLogic != nullptr ? gGameLogic->LeftToWin() : 0); }

std::string ProgressText::Format(const std::string& format, int left) {
    // Substituted by hand: the format is data and never reaches printf.
    const std::string number = std::to_string(left);
    std::string text;
    for (const char c : format) {
        if (c == '#') {
            text += number;
        } else {
            text += c == '_' ? ' ' : c;
        }
    }
    return text;
}
