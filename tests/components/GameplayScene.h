#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/System.h"
#include "objects/GameObject.h"
#include "platform/headless/play/HeadlessGame.h"
#include "support/TempData.h"

// What a system saw of one broadcast.
struct Broadcast {
    std::int32_t id;
    std::int32_t objectId;  // IDMessage only
    bool alive;             // IDMessage only
    bool operator==(const Broadcast&) const = default;
};

// A system appended behind the Factory that records every broadcast.
class BroadcastRecorder : public System {
public:
    explicit BroadcastRecorder(std::vector<Broadcast>* log) : log_(log) {}
    void Update(float /*dt*/) override {}
    void SendMessage(Message* message) override;

private:
    std::vector<Broadcast>* log_;
};

// The headless game over a data set written by the test. The data set
// always holds the player, the aiming cursor, both projectiles, the hole and
// the four cursor images; a test adds its own archetypes and the menu level.
class GameplayScene {
public:
    GameplayScene();

    // Writes menu.lvl and starts the game.
    bool Start(const std::string& menuLevel);
    bool Frame(std::uint32_t milliseconds = 16) { return game->Frame(milliseconds); }
    bool Frames(int count, std::uint32_t milliseconds = 16) { return game->Frames(count, milliseconds); }

    // Live objects that have the component, in id order.
    std::vector<GameObject*> All(const std::string& component) const;
    GameObject* First(const std::string& component) const;
    std::size_t Count(const std::string& component) const { return All(component).size(); }
    // Creates an object and places it in the head level.
    GameObject* Spawn(const std::string& archetype) const;
    bool Pending(GameObject* object) const;
    // Starts recording every broadcast into `broadcasts`.
    void Record();

    // Declared before the game: its teardown still announces into them.
    TempData data;
    std::vector<Broadcast> broadcasts;
    std::unique_ptr<HeadlessGame> game;
};

template <class T>
T* Part(GameObject* object, const std::string& name) {
    return object != nullptr ? object->GetAs<T>(name) : nullptr;
}
