#include "platform/GLSubBufferPresent.h"

#include <SDL.h>
#include <SDL_syswm.h>
#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xutil.h>
#endif

#include <string_view>

#include "platform/Image.h"

namespace platform {

namespace {

constexpr std::string_view kExtension = "GLX_MESA_copy_sub_buffer";

bool HasWord(const char* list, std::string_view word) {
  if (list == nullptr) return false;
  const std::string_view all(list);
  for (std::size_t at = all.find(word); at != std::string_view::npos; at = all.find(word, at + 1)) {
    const std::size_t end = at + word.size();
    if ((at == 0 || all[at - 1] == ' ') && (end == all.size() || all[end] == ' ')) return true;
  }
  return false;
}

}  // namespace

GLSubBufferPresent::GLSubBufferPresent(SDL_Window* window) : window_(window) {
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
  using QueryFn = const char* (*)(Display*, int);
  auto query = reinterpret_cast<QueryFn>(SDL_GL_GetProcAddress("glXQueryExtensionsString"));
  Display* display = info.info.x11.display;
  if (query == nullptr || display == nullptr || !HasWord(query(display, DefaultScreen(display)), kExtension))
    return;
  copy_ = reinterpret_cast<CopyFn>(SDL_GL_GetProcAddress("glXCopySubBufferMESA"));
  display_ = display;
  drawable_ = info.info.x11.window;
#endif
}

void GLSubBufferPresent::Copy(int x, int y, int width, int height) const {
  if (copy_ != nullptr && width > 0 && height > 0) copy_(display_, drawable_, x, y, width, height);
}

bool GLSubBufferPresent::Read(int width, int height, Image& out) const {
#if defined(SDL_VIDEO_DRIVER_X11)
  if (copy_ == nullptr || width < 1 || height < 1) return false;
  auto* display = static_cast<Display*>(display_);
  XImage* image = XGetImage(display, drawable_, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height),
                            AllPlanes, ZPixmap);
  if (image == nullptr) return false;
  out.width = width;
  out.height = height;
  out.bgra.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
  std::size_t at = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x, at += 4) {
      const unsigned long pixel = XGetPixel(image, x, y);
      out.bgra[at] = static_cast<std::uint8_t>(pixel);
      out.bgra[at + 1] = static_cast<std::uint8_t>(pixel >> 8);
      out.bgra[at + 2] = static_cast<std::uint8_t>(pixel >> 16);
      out.bgra[at + 3] = 0xFF;
    }
  XDestroyImage(image);
  return true;
#else
  (void)width, (void)height, (void)out;
  return false;
#endif
}

}  // namespace platform
