// Remembers a window's client size between the desktop's size reports, to
// tell a resize the user dragged (which goes through the Sizing message so
// the window procedure can correct it) from one the program asked for or the
// desktop made itself (maximise, full screen). No display calls.
#pragma once

#include <optional>

#include "platform/WindowMessages.h"

namespace platform {

class ClientSizeTracker {
 public:
  // The size the window has now, without any negotiation.
  void Reset(int width, int height);

  // The program asks the desktop for this size: its report is not a drag.
  void Requested(int width, int height);

  // The desktop reports a new client size. Returns the dragged edge when the
  // change must be negotiated: it differs from the known size and from the
  // requested one, and the window is `userSizable` (not maximised, minimised
  // or full screen). The reported size becomes the known size either way.
  std::optional<SizingEdge> Changed(int width, int height, bool userSizable);

  int Width() const { return known_.width; }
  int Height() const { return known_.height; }

 private:
  struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
  };
  Size known_;
  std::optional<Size> requested_;
};

}  // namespace platform
