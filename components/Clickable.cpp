#include "components/Clickable.h"

#include "core/Core.h"
#include "core/Messages.h"
#include "game/GameLogic.h"
#include "game/Level.h"
#include "game/LevelCommand.h"
#include "graphics/Graphics.h"
#include "graphics/Sprite.h"
#include "objects/BlockReader.h"
#include "objects/GameObject.h"
#include "physics/Body.h"

Clickable::~Clickable() {
    if (hoverWatch_ != nullptr) {
        hoverLink_.Leave(*hoverWatch_);
    }
    link_.Leave(*this);
}

void Clickable::Serialize(DataReader& in) {
    BlockReader(kTypeName)
        .Bool("left", left)
        .Bool("pressed", pressed)
        .FileName("hover", hover, FileKind::Image)
        .Keyword("Message", [this](DataReader& reader) { message = ParseLevelCommand(reader); })
        .Read(in);
}

void Clickable::Initialize() {
    body = owner != nullptr ? owner->Get<Body>() : nullptr;
    link_.Join(*this, &Level::mouseListeners);
    // Only a button that changes on hover needs updates.
    if (!hover.empty() && hoverWatch_ == nullptr) {
        sprite_ = owner != nullptr ? owner->Get<Sprite>() : nullptr;
        hoverWatch_ = std::make_unique<HoverWatch>(*this);
        hoverWatch_->owner = owner;
        hoverLink_.Join(*hoverWatch_, &Level::updateList);
        if (gGraphics != nullptr) {
            gGraphics->LoadTexture(hover);  // loaded now, not at the first hover
        }
    }
}

bool Clickable::PointerOver() const {
    return body != nullptr && body->shape != nullptr && gGameLogic != nullptr &&
           body->shape->ContainsPoint(gGameLogic->mousePosition);
}

void Clickable::ShowHover() {
    if (sprite_ == nullptr || gGraphics == nullptr) {
        return;
    }
    const bool over = PointerOver();
    if (over != hovered_) {
        hovered_ = over;
        sprite_->texture = gGraphics->LoadTexture(over ? hover : sprite_->name);
    }
}

void Clickable::SendMessage(Message* received) {
    if (message == nullptr || received->id != MsgMouseButton) {
        return;
    }
    auto* button = static_cast<MouseButtonMessage*>(received);
    if (button->left != left || button->pressed != pressed) {
        return;
    }
    // Without a body or shape there is no area to click.
    if (!PointerOver()) {
        return;
    }
    BroadcastToSystems(*message);
}
