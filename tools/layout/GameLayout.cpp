#include "tools/layout/GameLayout.h"

#include <algorithm>

#include "components/Clickable.h"
#include "components/IDAnnouncer.h"
#include "game/GameFiles.h"
#include "graphics/Graphics.h"
#include "graphics/Sprite.h"
#include "harness/HeadlessGame.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"
#include "physics/Position.h"

namespace {
Placement PlacementOf(const GameObject& object) {
    const auto* position = object.Get<Position>();
    const auto* sprite = object.Get<Sprite>();
    Placement place;
    if (position != nullptr) {
        place.position = position->position;
        place.size = position->size;
        place.depth = position->depth;
    }
    if (sprite != nullptr) {
        place.image = sprite->name;
    }
    return place;
}

// The sprites in the order Graphics draws them.
std::vector<Placement> DrawnSprites() {
    std::vector<Placement> sprites;
    if (gGraphics == nullptr) {
        return sprites;
    }
    for (Sprite* sprite = gGraphics->sprites.head; sprite != nullptr; sprite = sprite->drawNext) {
        if (sprite->owner != nullptr && sprite->position != nullptr) {
            sprites.push_back(PlacementOf(*sprite->owner));
        }
    }
    return sprites;
}

// The background may come in pieces; its first piece covers the top-left
// quarter of the screen at least.
bool BackgroundPiece(const Placement& place) {
    return place.position.x - place.size.x <= 0.0f && place.position.y - place.size.y <= 0.0f &&
           place.position.x + place.size.x >= 640.0f && place.position.y + place.size.y >= 512.0f;
}

HeadlessGame::Config ConfigFor(const std::string& root) {
    HeadlessGame::Config config;
    config.dataRoot = root;
    return config;
}

std::vector<MenuButton> Buttons(const HeadlessGame& game) {
    std::vector<MenuButton> buttons;
    for (GameObject* object : game.ObjectsWith("Clickable")) {
        const auto* clickable = object->Get<Clickable>();
        if (clickable->message == nullptr || object->Get<Sprite>() == nullptr) {
            continue;
        }
        MenuButton button;
        button.place = PlacementOf(*object);
        button.command = clickable->message->id;
        button.hover = clickable->hover;
        if (button.command == MsgLoadLevel || button.command == MsgSwitchLevel) {
            button.level = static_cast<const LevelMessage&>(*clickable->message).fileName;
        }
        buttons.push_back(button);
    }
    return buttons;
}
}  // namespace

std::optional<std::vector<MenuButton>> GameLayout::ReadButtons() const {
    HeadlessGame game(ConfigFor(root_));
    if (!game.Start()) {
        return std::nullopt;
    }
    return Buttons(game);
}

std::optional<GameLayout::Menu> GameLayout::ReadMenu() const {
    HeadlessGame game(ConfigFor(root_));
    if (!game.Start()) {
        return std::nullopt;
    }
    Menu menu;
    const std::vector<Placement> sprites = DrawnSprites();
    const auto background = std::find_if(sprites.begin(), sprites.end(), BackgroundPiece);
    if (background == sprites.end()) {
        return std::nullopt;
    }
    menu.background = *background;
    menu.buttons = Buttons(game);
    menu.sprites = sprites;
    for (GameObject* object : game.ObjectsWith("Cursor")) {
        menu.cursorSize = PlacementOf(*object).size;
    }
    return menu;
}

std::optional<GameLayout::Level> GameLayout::ReadLevel(const MenuButton& button) const {
    HeadlessGame game(ConfigFor(root_));
    if (!game.Start()) {
        return std::nullopt;
    }
    // The headless window is 1280 x 1024: client and virtual positions agree.
    game.MoveMouse(static_cast<int>(button.place.position.x), static_cast<int>(button.place.position.y));
    game.LeftClick();
    game.Frame();
    const std::vector<std::string> levels = game.LevelNames();
    if (std::find(levels.begin(), levels.end(), button.level) == levels.end()) {
        return std::nullopt;
    }
    Level level;
    level.file = button.level;
    bool player = false;
    for (GameObject* object : game.ObjectsWith("IDAnnouncer")) {
        if (object->Get<IDAnnouncer>()->player) {
            level.player = PlacementOf(*object);
            player = true;
        }
    }
    bool cursor = false;
    for (GameObject* object : game.ObjectsWith("MouseTargeting")) {
        level.cursor = PlacementOf(*object);
        cursor = true;
    }
    GameObject* snowball = gFactory != nullptr ? gFactory->CreateObject(GameFiles::kSnowball) : nullptr;
    if (!player || !cursor || snowball == nullptr) {
        return std::nullopt;
    }
    level.snowball = PlacementOf(*snowball);
    return level;
}
