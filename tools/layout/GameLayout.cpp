#include "tools/layout/GameLayout.h"

#include <algorithm>

#include "components/Clickable.h"
#include "components/IDAnnouncer.h"
#include "core/Application.h"
#include "game/GameLogic.h"
#include "graphics/Graphics.h"
#include "graphics/Sprite.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"
#include "physics/Position.h"
#include "platform/headless/HeadlessPlatform.h"

namespace {
Placement PlacementOf(const GameObject& object) {
    const auto* position = object.Get<Position>("Position");
    const auto* sprite = object.Get<Sprite>("Sprite");
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

bool CoversTheScreen(const Placement& place) {
    return place.position.x - place.size.x <= 0.0f && place.position.y - place.size.y <= 0.0f &&
           place.position.x + place.size.x >= 1280.0f && place.position.y + place.size.y >= 1024.0f;
}

// The engine on the headless backend, started on a data set. The window
// is 1280 x 1024, so client and virtual mouse positions agree.
class HeadlessRun {
public:
    explicit HeadlessRun(const std::string& root) {
        platform.SetDesktopSize(1920, 1080);
        platform.SetTime(1000);
        Application::Options options;
        options.seed = 1;
        options.dataRoot = root;
        app = std::make_unique<Application>(platform, options);
    }
    ~HeadlessRun() { app->Shutdown(); }

    bool Start() { return app->Startup(); }
    void Frame() {
        platform.Advance(16);
        app->RunFrame();
    }
    void Click(Vec2 at) {
        platform.MouseMove(static_cast<int>(at.x), static_cast<int>(at.y));
        platform.LeftDown();
        platform.LeftUp();
        Frame();
    }
    std::vector<GameObject*> ObjectsWith(const std::string& componentName) const {
        std::vector<GameObject*> found;
        for (const auto& entry : gFactory->objects) {
            if (entry.second->GetComponent(componentName) != nullptr) {
                found.push_back(&*entry.second);
            }
        }
        return found;
    }
    bool LevelLoaded(const std::string& fileName) const {
        for (Level* level = gGameLogic->levels.head; level != nullptr; level = level->next) {
            if (level->fileName == fileName) {
                return true;
            }
        }
        return false;
    }

    HeadlessPlatform platform;
    std::unique_ptr<Application> app;
};

std::vector<MenuButton> Buttons(const HeadlessRun& game) {
    std::vector<MenuButton> buttons;
    for (GameObject* object : game.ObjectsWith("Clickable")) {
        const auto* clickable = object->Get<Clickable>("Clickable");
        if (clickable->message == nullptr || object->GetComponent("Sprite") == nullptr) {
            continue;
        }
        MenuButton button;
        button.place = PlacementOf(*object);
        button.command = clickable->message->id;
        if (button.command == MsgLoadLevel || button.command == MsgSwitchLevel) {
            button.level = static_cast<const LevelMessage&>(*clickable->message).fileName;
        }
        buttons.push_back(button);
    }
    return buttons;
}
}  // namespace

std::optional<std::vector<MenuButton>> GameLayout::ReadButtons() const {
    HeadlessRun game(root_);
    if (!game.Start()) {
        return std::nullopt;
    }
    return Buttons(game);
}

std::optional<GameLayout::Menu> GameLayout::ReadMenu() const {
    HeadlessRun game(root_);
    if (!game.Start()) {
        return std::nullopt;
    }
    Menu menu;
    const std::vector<Placement> sprites = DrawnSprites();
    const auto background = std::find_if(sprites.begin(), sprites.end(), CoversTheScreen);
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
    HeadlessRun game(root_);
    if (!game.Start()) {
        return std::nullopt;
    }
    game.Click(button.place.position);
    if (!game.LevelLoaded(button.level)) {
        return std::nullopt;
    }
    Level level;
    level.file = button.level;
    bool player = false;
    for (GameObject* object : game.ObjectsWith("IDAnnouncer")) {
        if (object->Get<IDAnnouncer>("IDAnnouncer")->player) {
            level.player = PlacementOf(*object);
            player = true;
        }
    }
    bool cursor = false;
    for (GameObject* object : game.ObjectsWith("MouseTargeting")) {
        level.cursor = PlacementOf(*object);
        cursor = true;
    }
    GameObject* snowball = gFactory != nullptr ? gFactory->CreateObject("snowball.txt") : nullptr;
    if (!player || !cursor || snowball == nullptr) {
        return std::nullopt;
    }
    level.snowball = PlacementOf(*snowball);
    return level;
}
