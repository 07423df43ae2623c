#include "graphics/TextLabel.h"

#include "graphics/Graphics.h"

TextLabel::~TextLabel() {
    if (gGraphics != nullptr) {
        gGraphics->RemoveLabel(*this);
    }
}

void TextLabel::Initialize() {
    if (gGraphics != nullptr) {
        gGraphics->AddLabel(*this);
    }
}
