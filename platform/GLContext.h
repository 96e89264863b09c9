// Owns the OpenGL context of a window. GL objects made while it lives hold
// its lifetime token, so an object released after the context has gone
// (when the context already freed it) makes no GL call.
#pragma once

#include <memory>
#include <string>

struct SDL_Window;

namespace platform {

class Window;

class GLContext {
 public:
  // Creates a context for the window (made with OpenGL support) and makes it
  // current; null with the reason in `error` on failure. Takes the kept
  // spare context instead when there is one and it can draw to the window.
  static std::unique_ptr<GLContext> Create(SDL_Window* window, std::string& error);
  // Keeps a context made on a hidden probe window (the window goes with it,
  // not current) for the next Create to take over, so the start-up check's
  // context becomes the game window's rather than a second one being made.
  // A spare kept before is dropped.
  static void KeepAsSpare(std::unique_ptr<GLContext> context, std::unique_ptr<platform::Window> probeWindow);
  // Drops the kept spare, if any (before the video subsystem ends).
  static void DropSpare();
  static bool HasSpare();
  ~GLContext();
  GLContext(const GLContext&) = delete;
  GLContext& operator=(const GLContext&) = delete;

  // Alive exactly as long as the context; GL objects keep a weak copy.
  std::weak_ptr<const void> Token() const { return token_; }
  SDL_Window* Window() const { return window_; }

 private:
  GLContext(SDL_Window* window, void* context);
  static std::unique_ptr<GLContext> AdoptSpare(SDL_Window* window);

  SDL_Window* window_ = nullptr;
  void* context_ = nullptr;
  std::shared_ptr<const void> token_;
};

}  // namespace platform
