#pragma once

#include <string>

// Tests that open real windows need an X display, and those that send real
// input need xdotool too. Empty when this machine has what they need,
// otherwise the reason to skip:
//   if (const std::string missing = MissingForDisplayTests(true); !missing.empty()) GTEST_SKIP() << missing;
std::string MissingForDisplayTests(bool needsXdotool);
