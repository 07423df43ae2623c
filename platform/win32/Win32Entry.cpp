#include "platform/win32/Win32Entry.h"

#include "core/Application.h"
#include "platform/win32/Win32Platform.h"

int RunWin32Game(void* instance) {
    Win32Platform platform(instance);
    Application application(platform);
    return application.Run();
}
