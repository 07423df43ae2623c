#pragma once

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "objects/GameObject.h"
#include "platform/headless/play/HeadlessGame.h"
#include "support/TempData.h"

// The headless game over a data set that the test writes, with lookups of
// live objects by component.
struct AiScene {
    AiScene() { game = std::make_unique<HeadlessGame>(HeadlessGame::Config{data.Root()}); }

    bool Start(const std::string& menuLevel) {
        data.Level("menu.lvl", menuLevel);
        return game->Start();
    }

    template <class T>
    T* First(const std::string& component) const {
        const auto found = game->ObjectsWith(component);
        return found.empty() ? nullptr : found.front()->GetAs<T>(component);
    }

    std::size_t Count(const std::string& component) const { return game->ObjectsWith(component).size(); }

    TempData data;
    std::unique_ptr<HeadlessGame> game;
};

// The first `count` values rand() gives after srand(seed).
inline std::vector<int> Draws(unsigned seed, int count) {
    std::srand(seed);
    std::vector<int> values;
    for (int i = 0; i < count; ++i) {
        values.push_back(std::rand());
    }
    return values;
}

// The game's random fraction of one draw: the draw taken to 0 ... 32767
// (where rand() reaches further), divided by 32767.
inline float Fraction(int draw) { return static_cast<float>(draw % 32768) / 32767.0f; }
