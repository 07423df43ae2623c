#include "core/WindowProc.h"

#include "core/Core.h"
#include "core/Messages.h"
#include "core/VirtualScreen.h"
#include "game/GameLogic.h"
#include "platform/Platform.h"

namespace {
void BroadcastButton(bool left, bool pressed) {
    // The event's own coordinates are not used: the button carries the
    // position of the last mouse move.
    const Vec2 position = gGameLogic != nullptr ? gGameLogic->mousePosition : Vec2{};
    MouseButtonMessage message(left, pressed, position);
    BroadcastToSystems(message);
}
}  // namespace

Vec2 MapClientToVirtual(int x, int y, int clientWidth, int clientHeight) {
    // A minimized window has an empty client area; the mapping would divide
    // by zero, so that axis maps to 0 instead of infinity or NaN.
    const double px = clientWidth > 0 ? (static_cast<double>(kVirtualWidth) / clientWidth) * x : 0.0;
    const double py = clientHeight > 0 ? (static_cast<double>(kVirtualHeight) / clientHeight) * y : 0.0;
    return {static_cast<float>(px), static_cast<float>(py)};
}

LRESULT WindowProc(WindowHandle window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case win::WM_DESTROY:
        // Null during teardown: the window destruction that teardown causes
        // itself produces no quit message.
        if (gCore != nullptr) {
            Message quit(MsgQuit);
            BroadcastToSystems(quit);
        }
        return 0;
    case win::WM_SIZE: return 0;
    case win::WM_KEYDOWN:
        if (gCore != nullptr) {
            KeyMessage key(static_cast<std::int32_t>(wParam));
            BroadcastToSystems(key);
        }
        return 0;
    case win::WM_MOUSEMOVE: {
        if (gCore == nullptr || gPlatform == nullptr) {
            return 0;
        }
        const WinRect client = gPlatform->GetClientRect(window);
        const Vec2 position = MapClientToVirtual(win::PointX(lParam), win::PointY(lParam), client.right - client.left,
                                                 client.bottom - client.top);
        MouseMoveMessage move(position);
        BroadcastToSystems(move);
        return 0;
    }
    case win::WM_LBUTTONDOWN:
        if (gCore != nullptr) BroadcastButton(true, true);
        return 0;
    case win::WM_LBUTTONUP:
        if (gCore != nullptr) BroadcastButton(true, false);
        return 0;
    case win::WM_RBUTTONDOWN:
        if (gCore != nullptr) BroadcastButton(false, true);
        return 0;
    case win::WM_RBUTTONUP:
        if (gCore != nullptr) BroadcastButton(false, false);
        return 0;
    default: return 0;
    }
}

bool IsEngineWindowMessage(UINT message) {
    switch (message) {
    case win::WM_DESTROY:
    case win::WM_SIZE:
    case win::WM_KEYDOWN:
    case win::WM_MOUSEMOVE:
    case win::WM_LBUTTONDOWN:
    case win::WM_LBUTTONUP:
    case win::WM_RBUTTONDOWN:
    case win::WM_RBUTTONUP: return true;
    default: return false;
    }
}
