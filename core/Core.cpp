#include "core/Core.h"

#include "core/Messages.h"
#include "objects/Factory.h"
#include "platform/Platform.h"

Core* gCore = nullptr;

Core::Core(Platform& platform) : platform_(platform) {}

Core::~Core() {
    if (!systems.empty()) {
        // Objects first, as the program's teardown does: their components
        // leave the systems' lists while every system still exists.
        for (const std::unique_ptr<System>& system : systems) {
            if (auto* factory = dynamic_cast<Factory*>(system.get())) {
                factory->DestroyAllObjects();
            }
        }
        DestroySystems();
    }
    if (gCore == this) {
        gCore = nullptr;
    }
}

void Core::InitializeSystems() {
    // Indexing instead of iterators: the deque is never resized here, but
    // a system may look at the queue while it initializes.
    for (std::size_t i = 0; i < systems.size(); ++i) {
        systems[i]->Initialize();
    }
}

bool Core::BeginLoop() {
    lastTime = platform_.TimeGetTime();
    return running;
}

bool Core::RunFrame() {
    const std::uint32_t now = platform_.TimeGetTime();
    // Unsigned difference: a wrap of the millisecond clock still gives the
    // true elapsed time.
    const std::uint32_t elapsed = now - lastTime;
    float dt = static_cast<float>(static_cast<double>(elapsed) / 1000.0);
    if (dt > kMaxStep) {
        dt = kMaxStep;
    }
    if (paused || zeroTimeFrames != 0) {
        dt = 0.0f;
    }
    if (zeroTimeFrames > 0) {
        --zeroTimeFrames;
    }
    lastTime = now;
    lastDt = dt;

    platform_.PumpMessages();

    for (std::size_t i = 0; i < systems.size(); ++i) {
        systems[i]->Update(dt);
    }
    return running;
}

void Core::GameLoop() {
    if (!BeginLoop()) {
        return;
    }
    while (RunFrame()) {
    }
}

void Core::BroadcastMessage(Message* message) {
    if (message->id == MsgQuit) {
        running = false;
        return;
    }
    // The id as it was sent decides the pause state, whatever a receiver
    // does with the message object meanwhile.
    const MessageId id = message->id;
    for (std::size_t i = 0; i < systems.size(); ++i) {
        systems[i]->SendMessage(message);
    }
    if (id == MsgPause) {
        paused = true;
    } else if (id == MsgResume) {
        paused = false;
        zeroTimeFrames = 2;
    }
}

void Core::DestroySystems() {
    while (!systems.empty()) {
        // Take the front out first so that a system's destructor never sees
        // itself in the queue.
        std::unique_ptr<System> front = std::move(systems.front());
        systems.pop_front();
        front.reset();
    }
    gCore = nullptr;
}

void BroadcastToSystems(Message& message) {
    if (gCore != nullptr) {
        gCore->BroadcastMessage(&message);
    }
}
