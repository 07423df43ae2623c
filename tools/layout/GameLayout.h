#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/Messages.h"
#include "core/Vec2.h"

// Where the data puts a sprite: its Position (centre, half extents, depth)
// and its Sprite's image, in the 1280 x 1024 space.
struct Placement {
    Vec2 position;
    Vec2 size;
    float depth = 5.0f;
    std::string image;
};

// A menu button (a Clickable with a Sprite): its picture and the level
// command it sends.
struct MenuButton {
    Placement place;
    MessageId command = MsgQuit;
    std::string level;
    // The image shown instead while the pointer is over it ("" = none).
    std::string hover;
};

// What the game will show, read from a data set with the engine's own
// reader and factory: the headless engine loads the same files the real
// game does, and the objects it builds say where every sprite goes.
class GameLayout {
public:
    explicit GameLayout(std::string dataRoot) : root_(std::move(dataRoot)) {}

    struct Menu {
        // The sprite drawn first of those covering the top-left quarter of
        // the space: the background, or its first piece.
        Placement background;
        std::vector<MenuButton> buttons;
        // Every sprite of the menu, in drawing order.
        std::vector<Placement> sprites;
        // Half extents of the cursor sprite, which follows the mouse.
        Vec2 cursorSize;
    };
    struct Level {
        std::string file;
        Placement player;
        Placement cursor;
        // What a left click throws, as "snowball.txt" makes it.
        Placement snowball;
    };

    // The buttons of the levels loaded at start; nullopt when the engine
    // cannot start on the data.
    std::optional<std::vector<MenuButton>> ReadButtons() const;
    // Nullopt also when no sprite covers the whole space.
    std::optional<Menu> ReadMenu() const;
    // The level a click on this button brings up, as the engine loads it.
    std::optional<Level> ReadLevel(const MenuButton& button) const;

private:
    std::string root_;
};
