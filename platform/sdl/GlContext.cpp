#include "platform/sdl/GlContext.h"

namespace {
template <class T>
bool Load(T& entry, const char* name) {
    entry = reinterpret_cast<T>(SDL_GL_GetProcAddress(name));
    return entry != nullptr;
}
}  // namespace

std::shared_ptr<GlContext> GlContext::Create(SDL_Window* window) {
    if (window == nullptr || (SDL_GetWindowFlags(window) & SDL_WINDOW_OPENGL) == 0) {
        return nullptr;
    }
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (context == nullptr) {
        return nullptr;
    }
    std::shared_ptr<GlContext> result(new GlContext(window, context));
    if (!result->LoadEntryPoints()) {
        return nullptr;
    }
    return result;
}

GlContext::~GlContext() { SDL_GL_DeleteContext(context_); }

void GlContext::MakeCurrent() const { SDL_GL_MakeCurrent(window_, context_); }

bool GlContext::LoadEntryPoints() {
    return Load(GenFramebuffers, "glGenFramebuffers") && Load(DeleteFramebuffers, "glDeleteFramebuffers") &&
           Load(BindFramebuffer, "glBindFramebuffer") && Load(FramebufferRenderbuffer, "glFramebufferRenderbuffer") &&
           Load(CheckFramebufferStatus, "glCheckFramebufferStatus") && Load(GenRenderbuffers, "glGenRenderbuffers") &&
           Load(DeleteRenderbuffers, "glDeleteRenderbuffers") && Load(BindRenderbuffer, "glBindRenderbuffer") &&
           Load(RenderbufferStorage, "glRenderbufferStorage") && Load(BlitFramebuffer, "glBlitFramebuffer");
}
