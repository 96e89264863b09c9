// Draws the board's fading unit copies from the depth-sorted draw queue 1:
// each queued item is the index of a copy in the board object's list, so
// the list may grow between queueing and the flush.
#pragma once

#include "render/YDrawObj.h"

class YTessor;
struct YTessorBlurCopy;
struct YColor;

class YUnitBlurDrawer final : public YDrawObj {
 public:
  explicit YUnitBlurDrawer(YTessor& tessor) : tessor_(tessor) {}

  // Draws copy number `item` through YTessor::DrawUnitBlur with its matrix
  // and its colour of the moment; an index no longer in the list is skipped.
  void Draw(std::uintptr_t item) override;

  // t x birth + (1 - t) x end, t = remaining / total lifetime (held to
  // 0..1; a copy without a lifetime shows its end colour).
  static YColor CopyColour(const YTessorBlurCopy& copy);

 private:
  YTessor& tessor_;
};
