#include "platform/OpenGLProbe.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <charconv>
#include <memory>

#include "platform/Window.h"

namespace platform {

namespace {

struct WindowDeleter {
  void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
};
struct ContextDeleter {
  void operator()(void* context) const { SDL_GL_DeleteContext(context); }
};
using WindowHandle = std::unique_ptr<SDL_Window, WindowDeleter>;
using ContextHandle = std::unique_ptr<void, ContextDeleter>;

std::string GLText(GLenum name) {
  const GLubyte* text = glGetString(name);
  return text != nullptr ? reinterpret_cast<const char*>(text) : std::string();
}

void RequestCompatibilityContext() {
  SDL_GL_ResetAttributes();
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
}

// Reads the context's texts while it is current; the handles go afterwards.
void ReadContext(OpenGLInfo& info) {
  info.version = GLText(GL_VERSION);
  info.renderer = GLText(GL_RENDERER);
  info.found = true;
  ParseGLVersion(info.version, info.major, info.minor);  // 0.0 when unreadable
}

}  // namespace

bool ParseGLVersion(std::string_view text, int& major, int& minor) {
  major = minor = 0;
  const std::size_t start = text.find_first_of("0123456789");
  if (start == std::string_view::npos) return false;
  const char* end = text.data() + text.size();
  int first = 0, second = 0;
  auto [afterMajor, error] = std::from_chars(text.data() + start, end, first);
  if (error != std::errc() || afterMajor == end || *afterMajor != '.') return false;
  auto [afterMinor, error2] = std::from_chars(afterMajor + 1, end, second);
  if (error2 != std::errc()) return false;
  major = first;
  minor = second;
  return true;
}

OpenGLInfo ProbeOpenGL() {
  OpenGLInfo info;
  if (!InitVideo()) {
    info.error = LastVideoError();
    return info;
  }
  RequestCompatibilityContext();
  const WindowHandle window(SDL_CreateWindow("", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 64, 64,
                                             SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN));
  const ContextHandle context(window ? SDL_GL_CreateContext(window.get()) : nullptr);
  if (!context) {
    info.error = SDL_GetError();
  } else {
    ReadContext(info);
  }
  SDL_GL_ResetAttributes();
  return info;
}

}  // namespace platform
