#include "platform/GLContext.h"

#include <SDL.h>

#include "platform/Window.h"

namespace platform {

namespace {

// The kept probe context and its window; never destroyed at exit (the
// video subsystem may be gone by then), dropped by DropSpare.
struct Spare {
  std::unique_ptr<GLContext> context;
  std::unique_ptr<Window> window;
};

Spare& KeptSpare() {
  static Spare* spare = new Spare;
  return *spare;
}

}  // namespace

void GLContext::KeepAsSpare(std::unique_ptr<GLContext> context,
                            std::unique_ptr<platform::Window> probeWindow) {
  DropSpare();
  if (!context || !probeWindow) return;
  SDL_GL_MakeCurrent(context->window_, nullptr);
  KeptSpare().context = std::move(context);
  KeptSpare().window = std::move(probeWindow);
}

void GLContext::DropSpare() {
  Spare& spare = KeptSpare();
  spare.context.reset();
  spare.window.reset();
}

bool GLContext::HasSpare() {
  return KeptSpare().context != nullptr;
}

// Contexts of windows with the same frame buffer (every window with OpenGL
// support asks for the same one) can draw to each other's windows; when
// the driver says otherwise the spare is dropped and a context made.
std::unique_ptr<GLContext> GLContext::AdoptSpare(SDL_Window* window) {
  Spare& spare = KeptSpare();
  if (!spare.context) return nullptr;
  std::unique_ptr<GLContext> adopted;
  if (SDL_GL_MakeCurrent(window, spare.context->context_) == 0) {
    adopted.reset(new GLContext(window, spare.context->context_));
    spare.context->context_ = nullptr;
  }
  DropSpare();
  return adopted;
}

std::unique_ptr<GLContext> GLContext::Create(SDL_Window* window, std::string& error) {
  if (window == nullptr) {
    error = "no window";
    return nullptr;
  }
  if (std::unique_ptr<GLContext> adopted = AdoptSpare(window)) return adopted;
  // The frame buffer was fixed with the window; the context kind is asked
  // for again in case something changed SDL's settings since.
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (context == nullptr) {
    error = SDL_GetError();
    return nullptr;
  }
  return std::unique_ptr<GLContext>(new GLContext(window, context));
}

GLContext::GLContext(SDL_Window* window, void* context)
    : window_(window), context_(context), token_(std::make_shared<int>(0)) {}

GLContext::~GLContext() {
  token_.reset();
  if (context_ == nullptr) return;  // taken over by another window's GLContext
  if (SDL_GL_GetCurrentContext() == context_) SDL_GL_MakeCurrent(window_, nullptr);
  SDL_GL_DeleteContext(context_);
}

}  // namespace platform
