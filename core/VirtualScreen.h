#pragma once

// The virtual screen that every game position lives in, origin top-left and
// y downwards; one unit is one pixel of the back buffer, which has this size.
constexpr int kVirtualWidth = 1280;
constexpr int kVirtualHeight = 1024;
