#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "harness/HeadlessGame.h"
#include "harness/MessageRecorder.h"
#include "harness/TempData.h"
#include "objects/GameObject.h"

// The headless game over a data set that the test writes into `data`, with
// lookups of live objects by component.
class GameScene {
public:
    // Writes the archetypes and images a group of tests shares into `data`.
    using DataWriter = void (*)(const TempData& data);

    // Over `data`; `write` (if any) fills it before the test adds its own.
    explicit GameScene(DataWriter write = nullptr);

    // Writes menu.lvl, then starts the game.
    bool Start(const std::string& menuLevel);
    bool Frame(std::uint32_t milliseconds = 16) { return game->Frame(milliseconds); }
    bool Frames(int count, std::uint32_t milliseconds = 16) { return game->Frames(count, milliseconds); }

    // Live objects that have the component, in id order.
    std::vector<GameObject*> All(const std::string& component) const { return game->ObjectsWith(component); }
    GameObject* First(const std::string& component) const;
    // The component itself on the first object that has it, or null.
    template <class T>
    T* First(const std::string& component) const {
        GameObject* object = First(component);
        return object != nullptr ? object->GetAs<T>(component) : nullptr;
    }
    std::size_t Count(const std::string& component) const { return All(component).size(); }
    // Creates an object and places it in the head level.
    GameObject* Spawn(const std::string& archetype) const;
    bool Pending(GameObject* object) const;
    // Starts recording every broadcast into `broadcasts` (behind the
    // systems the game already has).
    void Record();

    // Declared before the game: its teardown still announces into them.
    TempData data;
    std::shared_ptr<MessageLog> broadcasts = std::make_shared<MessageLog>();
    std::unique_ptr<HeadlessGame> game;
};

// The component `name` of an object that may be null.
template <class T>
T* Part(GameObject* object, const std::string& name) {
    return object != nullptr ? object->GetAs<T>(name) : nullptr;
}
