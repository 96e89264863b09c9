// Shows rectangles of a window's back buffer without a swap, where the
// window system's OpenGL binding offers a copy of part of the back buffer
// to the window (X11 with GLX_MESA_copy_sub_buffer). The back buffer keeps
// its contents, unlike after a swap.
#pragma once

#include <vector>

#include "platform/GLChangedAreas.h"

struct SDL_Window;

namespace platform {

struct Image;

class GLSubBufferPresent {
 public:
  // Looks the copy up for `window` (with its context current); without
  // it Available is false.
  explicit GLSubBufferPresent(SDL_Window* window);

  bool Available() const { return copy_ != nullptr; }
  SDL_Window* Window() const { return window_; }
  // Copies the rectangles (OpenGL window coordinates, rows from the
  // bottom) of the back buffer to the window if the window is `width` x
  // `height` now. False when it is not, or when the window system refused
  // a copy (the window took another size meanwhile, so a rectangle fell
  // outside the driver's buffer): the frame must then be swapped whole. A
  // refused copy is never fatal.
  bool Copy(const std::vector<PixelRect>& areas, int width, int height) const;
  // What the window shows, `width` x `height` from its top left, top row
  // first (for tests). False without the copy or when it cannot be read
  // (the window has another size by now).
  bool Read(int width, int height, Image& out) const;

 private:
  using CopyFn = void (*)(void* display, unsigned long drawable, int x, int y, int width, int height);
  SDL_Window* window_;
  CopyFn copy_ = nullptr;
  void* display_ = nullptr;
  unsigned long drawable_ = 0;
};

}  // namespace platform
