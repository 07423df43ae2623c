#include "platform/win32/NativeShell.h"

#include "core/WindowsApi.h"

#include <cstdio>
#include <vector>

namespace native {
namespace {

// A program of the GUI subsystem gets working standard streams only when
// they were redirected; started from a console, it may borrow that one.
bool ConnectStream(FILE* stream, DWORD which) {
    const HANDLE handle = GetStdHandle(which);
    if (handle != nullptr && handle != INVALID_HANDLE_VALUE) {
        return true;
    }
    if (!AttachConsole(ATTACH_PARENT_PROCESS) && GetLastError() != ERROR_ACCESS_DENIED) {
        return false;
    }
    return std::freopen("CONOUT$", "w", stream) != nullptr;
}

}  // namespace

std::string ExecutablePath() {
    // Paths may be longer than MAX_PATH; the buffer grows until it fits.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            return std::string(buffer.data(), length);
        }
        if (buffer.size() >= 32768) {
            return {};
        }
        buffer.resize(buffer.size() * 2);
    }
}

void ReportText(const std::string& text, bool problem) {
    FILE* stream = problem ? stderr : stdout;
    const bool written = ConnectStream(stream, problem ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE) &&
                         std::fputs(text.c_str(), stream) >= 0 && std::fflush(stream) == 0;
    if (problem || !written) {
        MessageBoxA(nullptr, text.c_str(), "Velmor", MB_OK | (problem ? MB_ICONERROR : MB_ICONINFORMATION));
    }
}

}  // namespace native
