#pragma once

#include <sys/types.h>

#include <climits>
#include <string>

#include "e2e/Screenshot.h"

// A connection of the test's own to the X server the game runs on: finds
// the game's window and reads back what the server shows in it.
class XDisplay {
public:
    XDisplay();
    ~XDisplay();
    XDisplay(const XDisplay&) = delete;
    XDisplay& operator=(const XDisplay&) = delete;

    bool Open() const { return display_ != nullptr; }
    // The viewable top-level window titled `title` that process `pid` owns;
    // 0 while there is none.
    unsigned long FindWindow(pid_t pid, const std::string& title) const;
    // The window's size in pixels; false once it is gone.
    bool Size(unsigned long window, int& width, int& height) const;
    // The width of the first icon the window gives the desktop
    // (_NET_WM_ICON); 0 when it gives none.
    long IconWidth(unsigned long window) const;
    // The window's client area; empty when it cannot be read. With a
    // rectangle, only its pixels are read (the rest stays black): quicker,
    // for watching one place closely.
    Screenshot Capture(unsigned long window, int left = 0, int top = 0, int width = INT_MAX,
                       int height = INT_MAX) const;

private:
    struct _XDisplay* display_ = nullptr;
};
