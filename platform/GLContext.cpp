#include "platform/GLContext.h"

#include <SDL.h>

namespace platform {

std::unique_ptr<GLContext> GLContext::Create(SDL_Window* window, std::string& error) {
  if (window == nullptr) {
    error = "no window";
    return nullptr;
  }
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
  if (SDL_GL_GetCurrentContext() == context_) SDL_GL_MakeCurrent(window_, nullptr);
  SDL_GL_DeleteContext(context_);
}

}  // namespace platform
