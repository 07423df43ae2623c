#include "components/Clickable.h"

#include "core/Core.h"
#include "core/Messages.h"
#include "game/GameLogic.h"
#include "game/Level.h"
#include "game/LevelCommand.h"
#include "objects/BlockReader.h"
#include "objects/GameObject.h"
#include "physics/Body.h"

Clickable::~Clickable() { link_.Leave(*this); }

void Clickable::Serialize(DataReader& in) {
    BlockReader(kTypeName)
        .Bool("left", left)
        .Bool("pressed", pressed)
        .Keyword("Message", [this](DataReader& reader) { message = ParseLevelCommand(reader); })
        .Read(in);
}

void Clickable::Initialize() {
    body = owner != nullptr ? owner->Get<Body>() : nullptr;
    link_.Join(*this, &Level::mouseListeners);
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
    if (body == nullptr || body->shape == nullptr || gGameLogic == nullptr) {
        return;
    }
    if (!body->shape->ContainsPoint(gGameLogic->mousePosition)) {
        return;
    }
    BroadcastToSystems(*message);
}
