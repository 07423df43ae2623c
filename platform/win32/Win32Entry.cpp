#include "platform/win32/Win32Entry.h"

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "core/Application.h"
#include "core/GameLaunch.h"
#include "platform/win32/NativeShell.h"
#include "platform/win32/Win32Platform.h"

int RunWin32Game(void* instance, int argc, char** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc && argv != nullptr; ++i) {
        arguments.emplace_back(argv[i]);
    }
    std::error_code error;
    const std::string workingDirectory = std::filesystem::current_path(error).string();
    const GameLaunch launch = GameLaunch::Prepare(arguments, workingDirectory, native::ExecutablePath());
    if (!launch.play) {
        native::ReportText(launch.text, launch.problem);
        return launch.exitStatus;
    }
    Win32Platform platform(instance);
    Application application(platform, launch.options);
    return application.Run();
}
