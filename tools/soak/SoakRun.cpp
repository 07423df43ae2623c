#include "SoakRun.h"

#include <time.h>

#include <algorithm>
#include <chrono>

#include "components/Clickable.h"
#include "core/WinTypes.h"
#include "game/GameFiles.h"
#include "game/GameLogic.h"
#include "game/Level.h"
#include "objects/Factory.h"
#include "physics/Body.h"

namespace {

// Per-frame odds of each kind of input.
constexpr double kMouseMove = 0.25;
constexpr double kClick = 0.04;
constexpr double kClickOnAButton = 0.7;
constexpr double kRightClick = 0.3;
constexpr double kToggleMovementKey = 0.03;
constexpr double kReloadKey = 1.0 / 500.0;
constexpr double kOverlayKey = 1.0 / 300.0;
constexpr double kEscapeKey = 1.0 / 2000.0;

constexpr int kMovementKeys[] = {win::VK_UP, win::VK_DOWN, win::VK_LEFT, win::VK_RIGHT, 'W', 'A', 'S', 'D'};
constexpr int kWidth = 1280;
constexpr int kHeight = 1024;

double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

}  // namespace

SoakRun::SoakRun(unsigned seed, std::string dataRoot) : rng_(seed), seed_(seed), dataRoot_(std::move(dataRoot)) {}

SoakRun::~SoakRun() {
    if (app_) {
        app_->Shutdown();
    }
}

bool SoakRun::Start() { return Launch(seed_); }

bool SoakRun::Launch(unsigned gameSeed) {
    if (app_) {
        app_->Shutdown();
    }
    app_.reset();
    platform_ = std::make_unique<HeadlessPlatform>();
    // A desktop larger than the window: the client area is 1280 x 1024, so
    // client and game coordinates coincide.
    platform_->SetDesktopSize(1920, 1080);
    platform_->SetTime(1000);
    Application::Options options;
    options.seed = gameSeed;
    options.dataRoot = dataRoot_;
    app_ = std::make_unique<Application>(*platform_, options);
    quit_ = false;
    levels_.clear();
    levelList_.clear();
    if (!app_->Startup()) {
        return false;
    }
    NoteLevels();
    return true;
}

SoakRun::Cost SoakRun::Frame(bool& ok) {
    ok = true;
    if (quit_) {
        ++restarts;
        // The next game's rand() seed comes from the run's own sequence.
        if (!Launch(static_cast<unsigned>(rng_()))) {
            ok = false;
            return {};
        }
    }
    GiveInput();
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = ThreadSeconds();
    quit_ = !app_->RunFrame();
    // The recording device keeps every call for tests to inspect; a long
    // run keeps none, or the log alone would grow without end.
    platform_->Log().Clear();
    Cost cost;
    cost.cpu = ThreadSeconds() - cpuStart;
    cost.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!quit_) {
        NoteLevels();
    }
    Mix(ObjectCount());
    return cost;
}

void SoakRun::GiveInput() {
    HeadlessPlatform& p = *platform_;
    p.Advance(std::uniform_int_distribution<std::uint32_t>(1, 40)(rng_));
    if (Chance(kMouseMove)) {
        p.MouseMove(std::uniform_int_distribution<int>(0, kWidth - 1)(rng_),
                    std::uniform_int_distribution<int>(0, kHeight - 1)(rng_));
    }
    if (Chance(kClick)) {
        int x = 0;
        int y = 0;
        if (Chance(kClickOnAButton) && AimAtAButton(x, y)) {
            p.MouseMove(x, y);
        }
        if (Chance(kRightClick)) {
            p.RightDown();
            p.RightUp();
        } else {
            p.LeftDown();
            p.LeftUp();
        }
    }
    if (Chance(kToggleMovementKey)) {
        const int key =
            kMovementKeys[std::uniform_int_distribution<std::size_t>(0, std::size(kMovementKeys) - 1)(rng_)];
        p.SetKeyHeld(key, p.GetKeyState(key) >= 0);
    }
    if (Chance(kReloadKey)) {
        p.KeyDown('L');
    }
    if (Chance(kOverlayKey)) {
        p.KeyDown('P');
    }
    if (Chance(kEscapeKey)) {
        p.KeyDown(win::VK_ESCAPE);
    }
}

bool SoakRun::AimAtAButton(int& x, int& y) {
    if (gGameLogic == nullptr) {
        return false;
    }
    std::vector<const Body*> buttons;
    for (Level* level = gGameLogic->levels.head; level != nullptr; level = level->next) {
        for (Component* c = level->mouseListeners.head; c != nullptr; c = c->next) {
            const auto* clickable = dynamic_cast<const Clickable*>(c);
            if (clickable != nullptr && clickable->body != nullptr && clickable->body->shape != nullptr &&
                clickable->body->shape->IsLinked()) {
                buttons.push_back(clickable->body);
            }
        }
    }
    if (buttons.empty()) {
        return false;
    }
    const Body& body = *buttons[std::uniform_int_distribution<std::size_t>(0, buttons.size() - 1)(rng_)];
    const Vec2 centre = body.shape->Centre();
    const Vec2 half = *body.shape->extent;
    // Well inside: a rectangle's extent is its half size, a circle's x its
    // radius.
    std::uniform_real_distribution<float> spread(-0.6f, 0.6f);
    const float dx = spread(rng_) * half.x;
    const float dy = spread(rng_) * (body.shape->kind == ShapeCircle ? half.x : half.y);
    x = std::clamp(static_cast<int>(centre.x + dx), 0, kWidth - 1);
    y = std::clamp(static_cast<int>(centre.y + dy), 0, kHeight - 1);
    return true;
}

void SoakRun::NoteLevels() {
    std::vector<std::string> now;
    std::string joined;
    if (gGameLogic != nullptr) {
        for (Level* level = gGameLogic->levels.head; level != nullptr; level = level->next) {
            // Each file once: end screens pile up behind a level that is
            // lost or won again after a reload.
            if (std::find(now.begin(), now.end(), level->fileName) == now.end()) {
                now.push_back(level->fileName);
                joined += (joined.empty() ? "" : "+") + level->fileName;
            }
        }
    }
    if (joined == levels_) {
        return;
    }
    const bool first = levelList_.empty();
    for (const std::string& name : now) {
        if (std::find(levelList_.begin(), levelList_.end(), name) != levelList_.end()) {
            continue;
        }
        if (!first) {
            ++levelSwitches;
        }
        if (name == GameFiles::kEndLevel) {
            ++endScreens;
        }
    }
    for (const char c : joined) {
        Mix(static_cast<unsigned char>(c));
    }
    levels_ = std::move(joined);
    levelList_ = std::move(now);
}

std::size_t SoakRun::ObjectCount() const { return gFactory != nullptr ? gFactory->objects.size() : 0; }

void SoakRun::Mix(std::uint64_t value) {
    digest ^= value;
    digest *= 1099511628211ull;
}
