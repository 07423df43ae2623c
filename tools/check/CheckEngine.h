#pragma once

#include <optional>
#include <string>

#include "core/Application.h"
#include "platform/headless/HeadlessPlatform.h"

// The engine the checker reads with: the game's own start-up on the headless
// backend, emptied again of the menu it loads, so that only files read with
// the observer attached leave objects behind.
class CheckEngine {
public:
    explicit CheckEngine(const std::string& root);
    ~CheckEngine();
    CheckEngine(const CheckEngine&) = delete;
    CheckEngine& operator=(const CheckEngine&) = delete;

    // False when the engine cannot start.
    bool Start();

    // Deletes what was destroyed, without the end screens that the departure
    // of a player or the last enemy would otherwise bring up.
    static void Flush();

private:
    HeadlessPlatform platform_;
    std::optional<Application> app_;
};
