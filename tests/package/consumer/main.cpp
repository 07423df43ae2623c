// Starts the engine on the headless backend with the data set in the given
// directory, runs ten frames of 16 ms and checks that the ball rolled.
#include <cstdio>

#include "core/Application.h"
#include "objects/Factory.h"
#include "objects/GameObject.h"
#include "physics/Position.h"
#include "platform/headless/HeadlessPlatform.h"

namespace {
const Position* FindBall() {
    for (const auto& [id, object] : gFactory->objects) {
        if (const Component* position = object->GetComponent("Position")) {
            return static_cast<const Position*>(position);
        }
    }
    return nullptr;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: velmor_consumer <directory holding Data/>\n");
        return 2;
    }
    HeadlessPlatform platform;
    Application::Options options;
    options.seed = 1;
    options.dataRoot = argv[1];
    Application application(platform, options);
    if (!application.Startup()) {
        std::fprintf(stderr, "velmor_consumer: the engine did not start\n");
        return 1;
    }
    const Position* ball = FindBall();
    if (ball == nullptr) {
        std::fprintf(stderr, "velmor_consumer: the level has no ball\n");
        return 1;
    }
    const Vec2 start = ball->position;
    for (int frame = 0; frame < 10; ++frame) {
        platform.Advance(16);
        application.RunFrame();
    }
    const Vec2 end = ball->position;
    std::printf("ball from (%g, %g) to (%g, %g)\n", start.x, start.y, end.x, end.y);
    if (!(end.x > start.x + 1.0f)) {
        std::fprintf(stderr, "velmor_consumer: the ball did not move\n");
        return 1;
    }
    return 0;
}
