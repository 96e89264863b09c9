// Owns the OpenGL context of a window. GL objects made while it lives hold
// its lifetime token, so an object released after the context has gone
// (when the context already freed it) makes no GL call.
#pragma once

#include <memory>
#include <string>

struct SDL_Window;

namespace platform {

class GLContext {
 public:
  // Creates a context for the window (made with OpenGL support) and makes it
  // current; null with the reason in `error` on failure.
  static std::unique_ptr<GLContext> Create(SDL_Window* window, std::string& error);
  ~GLContext();
  GLContext(const GLContext&) = delete;
  GLContext& operator=(const GLContext&) = delete;

  // Alive exactly as long as the context; GL objects keep a weak copy.
  std::weak_ptr<const void> Token() const { return token_; }
  SDL_Window* Window() const { return window_; }

 private:
  GLContext(SDL_Window* window, void* context);

  SDL_Window* window_ = nullptr;
  void* context_ = nullptr;
  std::shared_ptr<const void> token_;
};

}  // namespace platform
