#pragma once

#include <SDL.h>
#include <SDL_opengl.h>

#include <memory>

// The OpenGL context on the main window, shared by the Direct3D object and
// its devices, with the framebuffer-object entry points that OpenGL 1.x
// headers do not export. Deleted with the last of its holders.
class GlContext {
public:
    // Null when the window cannot have a context or the framebuffer-object
    // entry points are missing.
    static std::shared_ptr<GlContext> Create(SDL_Window* window);
    ~GlContext();
    GlContext(const GlContext&) = delete;
    GlContext& operator=(const GlContext&) = delete;

    SDL_Window* Window() const { return window_; }
    void MakeCurrent() const;

    PFNGLGENFRAMEBUFFERSPROC GenFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC DeleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC BindFramebuffer = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC FramebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC CheckFramebufferStatus = nullptr;
    PFNGLGENRENDERBUFFERSPROC GenRenderbuffers = nullptr;
    PFNGLDELETERENDERBUFFERSPROC DeleteRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC BindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC RenderbufferStorage = nullptr;
    PFNGLBLITFRAMEBUFFERPROC BlitFramebuffer = nullptr;

private:
    GlContext(SDL_Window* window, SDL_GLContext context) : window_(window), context_(context) {}
    bool LoadEntryPoints();

    SDL_Window* window_;
    SDL_GLContext context_;
};
