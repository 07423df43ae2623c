#include "harness/HeadlessGame.h"

#include "game/GameLogic.h"
#include "harness/Scene.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"

HeadlessGame::HeadlessGame() : HeadlessGame(Config{}) {}

HeadlessGame::HeadlessGame(Config config) : config_(std::move(config)) {
    platform.SetDesktopSize(1920, 1080);
    platform.SetTime(config_.startTime);
    Application::Options options;
    options.seed = config_.seed;
    options.dataRoot = config_.dataRoot;
    app = std::make_unique<Application>(platform, options);
}

HeadlessGame::~HeadlessGame() { Shutdown(); }

bool HeadlessGame::Start() { return app->Startup(); }

bool HeadlessGame::Frame(std::uint32_t milliseconds) {
    platform.Advance(milliseconds);
    return app->RunFrame();
}

bool HeadlessGame::Frames(int count, std::uint32_t milliseconds) {
    bool running = true;
    for (int i = 0; i < count && running; ++i) {
        running = Frame(milliseconds);
    }
    return running;
}

void HeadlessGame::Shutdown() {
    if (app) {
        app->Shutdown();
    }
}

std::vector<GameObject*> HeadlessGame::ObjectsWith(const std::string& componentName) const {
    return scene::WithComponent(componentName);
}

std::vector<std::string> HeadlessGame::LevelNames() const {
    std::vector<std::string> names;
    if (gGameLogic == nullptr) {
        return names;
    }
    for (Level* level = gGameLogic->levels.head; level != nullptr; level = level->next) {
        names.push_back(level->fileName);
    }
    return names;
}
