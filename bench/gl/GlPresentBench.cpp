// Presents per second and CPU use of the OpenGL device drawing next to
// nothing (a 64 x 64 back buffer cleared each frame), with the default
// presentation interval and with the immediate one. Where the swap does not
// wait for the display (Xvfb), the default interval is paced by the device
// to the display's refresh rate. Needs an X display:
//   bash scripts/xvfb.sh build/bench/gl/gl_present_bench [seconds]
#include <SDL.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "platform/sdl/GlDevice.h"
#include "platform/sdl/SdlPlatform.h"

namespace {
LRESULT IgnoreMessages(WindowHandle, UINT, WPARAM, LPARAM) { return 0; }

double ProcessCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void Measure(Direct3D& d3d, WindowHandle window, std::uint32_t interval, const char* name, double seconds) {
    D3DPRESENT_PARAMETERS parameters;
    parameters.BackBufferWidth = 64;
    parameters.BackBufferHeight = 64;
    parameters.Windowed = true;
    parameters.EnableAutoDepthStencil = true;
    parameters.PresentationInterval = interval;
    RenderDevice* device = nullptr;
    if (Failed(d3d.CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window, 0, &parameters, &device))) {
        std::fprintf(stderr, "gl_present_bench: cannot create the device\n");
        return;
    }
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    const double cpuStart = ProcessCpuSeconds();
    long presents = 0;
    double elapsed = 0.0;
    while (elapsed < seconds) {
        device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000U, 1.0f, 0);
        device->Present(nullptr, nullptr, nullptr, nullptr);
        ++presents;
        elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    }
    const double cpu = ProcessCpuSeconds() - cpuStart;
    std::printf("%-10s %7.1f presents/s  CPU %5.1f %%\n", name, static_cast<double>(presents) / elapsed,
                100.0 * cpu / elapsed);
    device->Release();
}
}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 5.0;
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0' || SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "gl_present_bench: needs an X display (scripts/xvfb.sh)\n");
        return 1;
    }
    int status = 1;
    {
        SdlPlatform platform;
        WindowHandle window = platform.CreateMainWindow("Velmor", "Velmor", 64, 64, &IgnoreMessages);
        Direct3D* d3d = window != nullptr ? platform.Direct3DCreate9(D3D_SDK_VERSION) : nullptr;
        if (d3d != nullptr) {
            SDL_DisplayMode mode{};
            SDL_GetCurrentDisplayMode(0, &mode);
            std::printf("display refresh rate: %d Hz (0: unknown, paced at 60)\n", mode.refresh_rate);
            Measure(*d3d, window, D3DPRESENT_INTERVAL_DEFAULT, "default", seconds);
            Measure(*d3d, window, D3DPRESENT_INTERVAL_IMMEDIATE, "immediate", seconds);
            d3d->Release();
            status = 0;
        }
        platform.DestroyMainWindow(window, "Velmor");
    }
    SDL_Quit();
    return status;
}
