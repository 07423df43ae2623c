// The Linux game: SDL2 window and input, OpenGL drawing, the shared start-up.
#include <SDL.h>
#include <SDL_ttf.h>

#include <cstdio>

#include "core/Application.h"
#include "platform/sdl/SdlPlatform.h"

int main(int /*argc*/, char** /*argv*/) {
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
        Application application(platform);
        status = application.Run();
    }
    TTF_Quit();
    SDL_Quit();
    return status;
}
