#include "core/Application.h"

#include <cstdio>
#include <cstdlib>

#include "ai/AIController.h"
#include "core/Core.h"
#include "core/VirtualScreen.h"
#include "core/WindowProc.h"
#include "game/GameLogic.h"
#include "graphics/Graphics.h"
#include "objects/Factory.h"
#include "physics/Physics.h"
#include "physics/Position.h"
#include "platform/Platform.h"

void ClampWindowSize(const WinRect& desktop, int& width, int& height) {
    const int desktopWidth = desktop.right - desktop.left;
    const int desktopHeight = desktop.bottom - desktop.top;
    width = desktopWidth < kVirtualWidth ? desktopWidth : kVirtualWidth;
    height = desktopHeight < kVirtualHeight ? desktopHeight : kVirtualHeight;
}

Application::Application(Platform& platform) : Application(platform, Options{}) {}

Application::Application(Platform& platform, Options options) : platform_(platform), options_(std::move(options)) {}

Application::~Application() {
    if (started_) {
        Shutdown();
    }
}

bool Application::Running() const { return core_ != nullptr && core_->running; }

bool Application::Startup() {
    gPlatform = &platform_;

    int width = 0;
    int height = 0;
    ClampWindowSize(platform_.GetDesktopRect(), width, height);
    window_ = platform_.CreateMainWindow(kWindowClass, kWindowTitle, width, height, &WindowProc);
    if (window_ == nullptr) {
        std::fprintf(stderr, "velmor: cannot create the main window\n");
        gPlatform = nullptr;
        return false;
    }

    std::srand(options_.seed ? *options_.seed : platform_.TimeGetTime());
    platform_.ShowCursor(false);

    core_ = std::make_unique<Core>(platform_);
    gCore = core_.get();

    const std::string dataFolder = options_.dataFolder.empty() ? options_.dataRoot + "Data/" : options_.dataFolder;
    auto factory = std::make_unique<Factory>();
    factory->SetDataFolder(dataFolder);
    core_->systems.push_back(std::move(factory));
    auto graphics = std::make_unique<Graphics>(window_);
    graphics->SetDataFolder(dataFolder);
    Graphics* graphicsSystem = graphics.get();
    core_->systems.push_front(std::move(graphics));
    core_->systems.push_front(std::make_unique<Physics>());
    core_->systems.push_front(std::make_unique<AIController>());
    core_->systems.push_front(std::make_unique<GameLogic>());
    started_ = true;

    core_->InitializeSystems();
    if (graphicsSystem->InitializationFailed()) {
        Shutdown();
        return false;
    }
    gFactory->Register<Position>();
    gGameLogic->LoadLevels();
    core_->BeginLoop();
    return true;
}

bool Application::RunFrame() {
    if (core_ == nullptr || !core_->running) {
        return false;
    }
    return core_->RunFrame();
}

void Application::Shutdown() {
    if (!started_) {
        return;
    }
    started_ = false;
    if (gFactory != nullptr) {
        gFactory->DestroyAllObjects();
    }
    core_->DestroySystems();
    core_.reset();
    gCore = nullptr;
    if (window_ != nullptr) {
        platform_.DestroyMainWindow(window_, kWindowClass);
        window_ = nullptr;
    }
    if (gPlatform == &platform_) {
        gPlatform = nullptr;
    }
}

int Application::Run() {
    if (!Startup()) {
        return 1;
    }
    while (RunFrame()) {
    }
    Shutdown();
    return 0;
}
