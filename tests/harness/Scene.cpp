#include "harness/Scene.h"

#include <cmath>

#include "components/Clickable.h"
#include "components/Hazards.h"
#include "components/IDAnnouncer.h"
#include "components/Swimming.h"
#include "core/Messages.h"
#include "game/GameFiles.h"
#include "graphics/Sprite.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"
#include "physics/Body.h"
#include "physics/Position.h"

namespace scene {
namespace {
std::vector<GameObject*> Announced(bool player) {
    std::vector<GameObject*> found;
    if (gFactory == nullptr) {
        return found;
    }
    for (const auto& [id, object] : gFactory->objects) {
        auto* announcer = object->Get<IDAnnouncer>();
        if (announcer != nullptr && announcer->player == player) {
            found.push_back(object.get());
        }
    }
    return found;
}
}  // namespace

GameObject* Player() {
    auto players = Announced(true);
    return players.empty() ? nullptr : players.back();
}

std::vector<GameObject*> Opponents() { return Announced(false); }

std::vector<GameObject*> Showing(const std::string& image) {
    std::vector<GameObject*> found;
    if (gFactory == nullptr) {
        return found;
    }
    for (const auto& [id, object] : gFactory->objects) {
        auto* sprite = object->Get<Sprite>();
        if (sprite != nullptr && sprite->name == image) {
            found.push_back(object.get());
        }
    }
    return found;
}

std::vector<GameObject*> WithComponent(const std::string& componentName) {
    std::vector<GameObject*> found;
    if (gFactory == nullptr) {
        return found;
    }
    for (const auto& [id, object] : gFactory->objects) {
        if (object->GetComponent(componentName) != nullptr) {
            found.push_back(object.get());
        }
    }
    return found;
}

std::vector<GameObject*> ObstaclesAndHazards() {
    std::vector<GameObject*> found;
    if (gFactory == nullptr) {
        return found;
    }
    for (const auto& [id, object] : gFactory->objects) {
        auto* body = object->Get<Body>();
        if (body == nullptr || body->collisionLayers == 0 || object->Get<Killable>() != nullptr ||
            object->Get<Water>() != nullptr) {
            continue;
        }
        const bool wall = body->mass == 0.0f && object->Get<Deadly>() == nullptr;
        const bool hazard = object->Get<Deadly>() != nullptr && (body->mass == 0.0f || object->Get<Hole>());
        if (wall || hazard) {
            found.push_back(object.get());
        }
    }
    return found;
}

Vec2 Where(const GameObject* object) {
    auto* position = object != nullptr ? object->Get<Position>() : nullptr;
    return position != nullptr ? position->position : Vec2{0.0f, 0.0f};
}

Vec2 Velocity(const GameObject* object) {
    auto* body = object != nullptr ? object->Get<Body>() : nullptr;
    return body != nullptr ? body->velocity : Vec2{0.0f, 0.0f};
}

float Radius(const GameObject* object) {
    auto* body = object != nullptr ? object->Get<Body>() : nullptr;
    return body != nullptr ? body->collisionSize.x : 0.0f;
}

float Distance(Vec2 a, Vec2 b) { return std::hypot(a.x - b.x, a.y - b.y); }

GameObject* ButtonTo(const std::string& fileName) {
    if (gFactory == nullptr) {
        return nullptr;
    }
    for (const auto& [id, object] : gFactory->objects) {
        auto* clickable = object->Get<Clickable>();
        if (clickable == nullptr || clickable->message == nullptr) {
            continue;
        }
        const Message& message = *clickable->message;
        if (fileName.empty() ? message.id == MsgQuit
                             : (message.id == MsgSwitchLevel || message.id == MsgLoadLevel) &&
                                   static_cast<const LevelMessage&>(message).fileName == fileName) {
            return object.get();
        }
    }
    return nullptr;
}

std::string EndScreen() {
    for (const char* image : {GameFiles::kGameOverImage, GameFiles::kYouWinImage}) {
        if (!Showing(image).empty()) {
            return image;
        }
    }
    return "";
}

int Count(const std::string& componentName) { return static_cast<int>(WithComponent(componentName).size()); }

void ClickAt(HeadlessGame& game, Vec2 at, bool left) {
    game.MoveMouse(static_cast<int>(std::lround(at.x)), static_cast<int>(std::lround(at.y)));
    if (left) {
        game.LeftClick();
    } else {
        game.RightClick();
    }
}

bool AimAndThrow(HeadlessGame& game, Vec2 at, bool left) {
    game.MoveMouse(static_cast<int>(std::lround(at.x)), static_cast<int>(std::lround(at.y)));
    if (!game.Frame(10)) {
        return false;
    }
    if (left) {
        game.LeftClick();
    } else {
        game.RightClick();
    }
    return game.Frame(10);
}

bool ClickButton(HeadlessGame& game, const std::string& fileName) {
    GameObject* button = ButtonTo(fileName);
    if (button == nullptr) {
        return false;
    }
    ClickAt(game, Where(button));
    return game.Frame(10);
}

bool StartLevel(HeadlessGame& game, const std::string& fileName) {
    if (!game.Start() || !game.Frame(10)) {
        return false;
    }
    if (!ClickButton(game, fileName)) {
        return false;
    }
    return game.Frames(2, 10);
}

}  // namespace scene
