#include "board/YUnitBlurDrawer.h"

#include <algorithm>

#include "board/YTessor.h"

void YUnitBlurDrawer::Draw(std::uintptr_t item) {
  const std::vector<YTessorBlurCopy>& copies = tessor_.BlurCopies();
  if (item >= copies.size()) return;
  const YTessorBlurCopy& copy = copies[item];
  if (copy.unit == nullptr) return;
  tessor_.DrawUnitBlur(copy.unit, copy.world, CopyColour(copy));
}

YColor YUnitBlurDrawer::CopyColour(const YTessorBlurCopy& copy) {
  const float t = copy.lifetime > 0.0f ? std::clamp(copy.remaining / copy.lifetime, 0.0f, 1.0f) : 0.0f;
  const auto mix = [t](float birth, float end) { return t * birth + (1.0f - t) * end; };
  return YColor(mix(copy.birth.r, copy.end.r), mix(copy.birth.g, copy.end.g), mix(copy.birth.b, copy.end.b),
                mix(copy.birth.a, copy.end.a));
}
