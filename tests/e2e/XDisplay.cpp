#include "e2e/XDisplay.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>

namespace {
// The game's window may go away between two requests; Xlib's default
// handler would end the test program for that.
int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

// The first 32-bit number of a window's CARDINAL property; -1 when it has none.
long FirstCardinal(Display* display, Window window, const char* property) {
    const Atom atom = XInternAtom(display, property, True);
    if (atom == None) {
        return -1;
    }
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    long value = -1;
    if (XGetWindowProperty(display, window, atom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after, &data) ==
            Success &&
        data != nullptr) {
        if (type == XA_CARDINAL && format == 32 && count == 1) {
            value = *reinterpret_cast<long*>(data);
        }
    }
    if (data != nullptr) {
        XFree(data);
    }
    return value;
}

std::string WindowTitle(Display* display, Window window) {
    char* name = nullptr;
    std::string title;
    if (XFetchName(display, window, &name) != 0 && name != nullptr) {
        title = name;
        XFree(name);
    }
    return title;
}

// Where a colour channel sits in the image's pixel value.
std::uint32_t Channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) {
        return 0;
    }
    const int shift = std::countr_zero(mask);
    const unsigned long value = (pixel & mask) >> shift;
    const unsigned long top = mask >> shift;
    return static_cast<std::uint32_t>(value * 255 / top);
}
}  // namespace

XDisplay::XDisplay() {
    XSetErrorHandler(IgnoreErrors);
    display_ = XOpenDisplay(nullptr);
}

XDisplay::~XDisplay() {
    if (display_ != nullptr) {
        XCloseDisplay(display_);
    }
}

unsigned long XDisplay::FindWindow(pid_t pid, const std::string& title) const {
    if (display_ == nullptr) {
        return 0;
    }
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display_, DefaultRootWindow(display_), &root, &parent, &children, &count) == 0) {
        return 0;
    }
    Window found = 0;
    for (unsigned int i = 0; i < count && found == 0; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display_, children[i], &attributes) == 0 || attributes.map_state != IsViewable) {
            continue;
        }
        if (FirstCardinal(display_, children[i], "_NET_WM_PID") == pid && WindowTitle(display_, children[i]) == title) {
            found = children[i];
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

long XDisplay::IconWidth(unsigned long window) const {
    return display_ == nullptr ? 0 : std::max(0L, FirstCardinal(display_, window, "_NET_WM_ICON"));
}

bool XDisplay::Size(unsigned long window, int& width, int& height) const {
    XWindowAttributes attributes;
    if (display_ == nullptr || XGetWindowAttributes(display_, window, &attributes) == 0) {
        return false;
    }
    width = attributes.width;
    height = attributes.height;
    return true;
}

Screenshot XDisplay::Capture(unsigned long window, int left, int top, int width, int height) const {
    int windowWidth = 0;
    int windowHeight = 0;
    if (!Size(window, windowWidth, windowHeight) || windowWidth <= 0 || windowHeight <= 0) {
        return {};
    }
    const int right = std::min(windowWidth, left + width);
    const int bottom = std::min(windowHeight, top + height);
    left = std::max(0, left);
    top = std::max(0, top);
    if (right <= left || bottom <= top) {
        return {};
    }
    XImage* image = XGetImage(display_, window, left, top, static_cast<unsigned>(right - left),
                              static_cast<unsigned>(bottom - top), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return {};
    }
    Screenshot shot(windowWidth, windowHeight);
    const bool direct = image->bits_per_pixel == 32 && image->byte_order == LSBFirst;
    for (int y = 0; y < bottom - top; ++y) {
        const auto* row =
            reinterpret_cast<const std::uint32_t*>(image->data + std::ptrdiff_t(y) * image->bytes_per_line);
        for (int x = 0; x < right - left; ++x) {
            const unsigned long pixel = direct ? row[x] : XGetPixel(image, x, y);
            shot.Set(left + x, top + y,
                     (Channel(pixel, image->red_mask) << 16) | (Channel(pixel, image->green_mask) << 8) |
                         Channel(pixel, image->blue_mask));
        }
    }
    XDestroyImage(image);
    return shot;
}
