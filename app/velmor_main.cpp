// The Linux game: SDL2 window and input, OpenGL drawing, the shared start-up.
#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "core/Application.h"
#include "core/GameLaunch.h"
#include "platform/sdl/SdlPlatform.h"

int main(int argc, char** argv) {
    // Where the data is looked for: the working directory and the
    // program's own place (a symbolic link to it resolved).
    std::error_code error;
    const std::string workingDirectory = std::filesystem::current_path(error).string();
    const std::string executable = std::filesystem::read_symlink("/proc/self/exe", error).string();
    const GameLaunch launch =
        GameLaunch::Prepare(std::vector<std::string>(argv + 1, argv + argc), workingDirectory, executable);
    if (!launch.play) {
        std::fputs(launch.text.c_str(), launch.problem ? stderr : stdout);
        return launch.exitStatus;
    }

    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
        std::fprintf(stderr, "velmor: cannot initialise SDL: %s\n", SDL_GetError());
        return 1;
    }
    if (TTF_Init() != 0) {
        std::fprintf(stderr, "velmor: cannot initialise SDL_ttf: %s\n", TTF_GetError());
        SDL_Quit();
        return 1;
    }
    int status = 0;
    {
        // The start-up reports its own failures (window, device, font) on
        // one line of standard error and then returns non-zero.
        SdlPlatform platform;
        platform.SetIconFile(launch.options.dataFolder + "Images/icon.png");
        Application application(platform, launch.options);
        status = application.Run();
    }
    TTF_Quit();
    SDL_Quit();
    return status;
}
