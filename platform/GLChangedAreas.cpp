#include "platform/GLChangedAreas.h"

#include <algorithm>

namespace platform {

namespace {

void AddOnce(std::vector<PixelRect>& rects, const PixelRect& rect) {
  if (std::find(rects.begin(), rects.end(), rect) == rects.end()) rects.push_back(rect);
}

}  // namespace

void GLChangedAreas::Sized(int width, int height) {
  size_ = {0, 0, width, height};
  if (size_ != swapped_) Forget();
}

void GLChangedAreas::StillPut(std::uint64_t picture) {
  picture_ = picture;
  anywhere_ = false;
  rects_.clear();
  whole_ = {};
}

void GLChangedAreas::StillDrawn(std::uint64_t picture, const PixelRect& whole) {
  StillPut(picture);
  whole_ = whole;
}

// Before the still layer (or without one) any draw makes the frame whole.
void GLChangedAreas::Drew(bool scissored, const PixelRect& scissor) {
  drawn_ = true;
  if (anywhere_) return;
  if (picture_ == 0 || !scissored) {
    anywhere_ = true;
    return;
  }
  if (scissor.width <= 0 || scissor.height <= 0) return;
  AddOnce(rects_, scissor);
  if (rects_.size() > kMostRects) anywhere_ = true;
}

void GLChangedAreas::Held(const PixelRect& rect) {
  AddOnce(held_, rect);
}

// What changed now, and what changed in the frame the window shows (the
// kept picture is back there now) but what stands as it was.
std::vector<PixelRect> GLChangedAreas::ToCopy() const {
  if (!FrameInRects() || size_ != swapped_) return {};
  if (whole_.width > 0) return {whole_};
  if (window_ != picture_) return {};
  std::vector<PixelRect> copy = rects_;
  for (const PixelRect& rect : windowRects_)
    if (std::find(held_.begin(), held_.end(), rect) == held_.end()) AddOnce(copy, rect);
  return copy;
}

void GLChangedAreas::Shown(bool copied) {
  const bool known = FrameInRects();
  std::vector<PixelRect> differ = rects_;
  for (const PixelRect& rect : held_) AddOnce(differ, rect);
  window_ = known ? picture_ : 0;
  windowRects_ = differ;
  back_ = copied && known ? picture_ : 0;
  if (!copied) swapped_ = size_;
  backRects_ = std::move(differ);
  StartFrame();
}

void GLChangedAreas::Forget() {
  window_ = 0;
  back_ = 0;
}

void GLChangedAreas::StartFrame() {
  picture_ = 0;
  drawn_ = false;
  anywhere_ = false;
  rects_.clear();
  held_.clear();
  whole_ = {};
}

}  // namespace platform
