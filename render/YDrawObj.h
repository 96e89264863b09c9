// A drawer of things that are drawn in order of distance: units, tiles,
// their labels and particles queue themselves in a YDrawQueue with a drawer
// and are drawn when the queue is flushed.
#pragma once

#include <cstdint>

class YDrawObj {
 public:
  virtual ~YDrawObj() = default;

  // Draws the item that was queued (usually a pointer to the thing to draw,
  // as an integer). Called by the flush after the entry has left the queue;
  // the drawer may push new entries.
  virtual void Draw(std::uintptr_t item) = 0;
};
