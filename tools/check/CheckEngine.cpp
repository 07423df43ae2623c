#include "tools/check/CheckEngine.h"

#include "game/GameLogic.h"
#include "game/Level.h"
#include "objects/Factory.h"

CheckEngine::CheckEngine(const std::string& root) {
    Application::Options options;
    options.seed = 1;
    options.dataRoot = root;
    app_.emplace(platform_, options);
}

CheckEngine::~CheckEngine() {
    if (gFactory != nullptr) {
        gFactory->SetDataObserver(nullptr);
    }
    app_->Shutdown();
}

bool CheckEngine::Start() {
    if (!app_->Startup() || gFactory == nullptr || gGameLogic == nullptr) {
        return false;
    }
    for (Level* level = gGameLogic->levels.head; level != nullptr; level = level->next) {
        level->Unload(false);
    }
    Flush();
    return true;
}

void CheckEngine::Flush() {
    gGameLogic->inPlay = false;
    gFactory->Update(0.0f);
}
