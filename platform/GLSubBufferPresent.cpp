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

#if defined(SDL_VIDEO_DRIVER_X11)
// What the handler standing while NotFatal runs its requests noted.
struct RequestErrors {
  unsigned long firstRequest = 0;
  bool failed = false;
  XErrorHandler before = nullptr;
};
RequestErrors g_requestErrors;

int NoteRequestError(Display* display, XErrorEvent* error) {
  if (error->serial >= g_requestErrors.firstRequest) {
    g_requestErrors.failed = true;
    return 0;
  }
  return g_requestErrors.before != nullptr ? g_requestErrors.before(display, error) : 0;
}

// Runs `requests` (true when they were all made) under a handler that
// notes the errors they cause instead of ending the program, as Xlib's
// own does; false when one failed. Errors of requests made before go to
// the handler that stood then.
template <class Requests>
bool NotFatal(Display* display, Requests&& requests) {
  g_requestErrors = {NextRequest(display), false, nullptr};
  g_requestErrors.before = XSetErrorHandler(NoteRequestError);
  const bool made = requests();
  XSync(display, False);
  XSetErrorHandler(g_requestErrors.before);
  return made && !g_requestErrors.failed;
}

bool HasSize(Display* display, unsigned long drawable, int width, int height) {
  ::Window root = 0;
  int x = 0, y = 0;
  unsigned int w = 0, h = 0, border = 0, depth = 0;
  return XGetGeometry(display, drawable, &root, &x, &y, &w, &h, &border, &depth) != 0 &&
         static_cast<int>(w) == width && static_cast<int>(h) == height;
}
#endif

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

// The window's size is asked at the copy itself: the one the game knows
// may already be another.
bool GLSubBufferPresent::Copy(const std::vector<PixelRect>& areas, int width, int height) const {
#if defined(SDL_VIDEO_DRIVER_X11)
  if (copy_ == nullptr) return false;
  auto* display = static_cast<Display*>(display_);
  return NotFatal(display, [&] {
    if (!HasSize(display, drawable_, width, height)) return false;
    for (const PixelRect& area : areas)
      if (area.width > 0 && area.height > 0) copy_(display_, drawable_, area.x, area.y, area.width, area.height);
    return true;
  });
#else
  (void)areas, (void)width, (void)height;
  return false;
#endif
}

bool GLSubBufferPresent::Read(int width, int height, Image& out) const {
#if defined(SDL_VIDEO_DRIVER_X11)
  if (copy_ == nullptr || width < 1 || height < 1) return false;
  auto* display = static_cast<Display*>(display_);
  XImage* image = nullptr;
  const bool read = NotFatal(display, [&] {
    image = XGetImage(display, drawable_, 0, 0, static_cast<unsigned>(width), static_cast<unsigned>(height),
                      AllPlanes, ZPixmap);
    return image != nullptr;
  });
  if (!read) {  // the window has another size by now
    if (image != nullptr) XDestroyImage(image);
    return false;
  }
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
