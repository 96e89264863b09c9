// Which parts of the back buffer a frame changed over a restored still
// picture, and what the window and the back buffer then hold, so that a
// frame whose changes stay inside a few scissor rectangles can be shown by
// copying only them, and the next one restores only those from the kept
// picture. Rectangles are in OpenGL window coordinates (rows from the
// bottom). Pictures are told apart by a number other than 0.
#pragma once

#include <cstdint>
#include <vector>

namespace platform {

struct PixelRect {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const PixelRect&) const = default;
};

// Whether the two share a pixel.
inline bool Meet(const PixelRect& a, const PixelRect& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

// Whether `outer` holds all of `inner`.
inline bool Contains(const PixelRect& outer, const PixelRect& inner) {
  return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.width <= outer.x + outer.width &&
         inner.y + inner.height <= outer.y + outer.height;
}

class GLChangedAreas {
 public:
  // The frame is shown at `width` x `height`. At a size other than the last
  // swapped frame's, what the window and the back buffer held counts no
  // more, and frames are swapped whole until one has been swapped at it:
  // the driver's back buffer may keep its old size till then, and a part
  // copied from it would fall outside it or in the wrong rows. Called as
  // each frame is presented, before ToCopy.
  void Sized(int width, int height);

  // The frame's still layer went onto the back buffer from kept picture
  // `picture`; what was drawn before it no longer counts.
  void StillPut(std::uint64_t picture);
  // The frame drew still layer `picture` whole onto the back buffer, which
  // is then shown by copying `whole` and keeps it.
  void StillDrawn(std::uint64_t picture, const PixelRect& whole);
  // A draw or colour clear: limited to `scissor`, or reaching anywhere.
  void Drew(bool scissored, const PixelRect& scissor);
  // The frame left `rect` as the back buffer and the window hold it (what
  // was drawn over the still picture there last stands): it is not shown
  // again and stays to be restored later.
  void Held(const PixelRect& rect);

  // Whether the back buffer holds `picture` but in the rectangles Stale
  // names (it was shown by copying parts, and so kept) and nothing was
  // drawn on it since.
  bool BackHolds(std::uint64_t picture) const { return picture != 0 && back_ == picture && !drawn_; }
  const std::vector<PixelRect>& Stale() const { return backRects_; }

  // The rectangles to copy to show this frame; empty when it must be
  // swapped whole (the window shows another picture, or the frame drew
  // outside its scissor rectangles or had no kept still layer, or no frame
  // was swapped at its size yet).
  std::vector<PixelRect> ToCopy() const;
  // The frame was shown by copying ToCopy, or else by a swap (which leaves
  // the back buffer undefined); the next frame starts.
  void Shown(bool copied);
  // The frame was not shown: the next one starts.
  void Dropped() { StartFrame(); }
  // The window and the back buffer hold nothing known (uncovered,
  // resized, the kept picture gone).
  void Forget();

 private:
  static constexpr std::size_t kMostRects = 4;
  bool FrameInRects() const { return picture_ != 0 && !anywhere_; }
  void StartFrame();

  PixelRect size_;     // of this frame (width and height)
  PixelRect swapped_;  // of the last frame swapped whole
  std::uint64_t picture_ = 0;  // of this frame's still layer
  bool anywhere_ = false;      // the frame drew outside any scissor
  bool drawn_ = false;         // the frame drew at all
  std::vector<PixelRect> rects_;
  std::vector<PixelRect> held_;
  PixelRect whole_;  // the back buffer, when the frame drew its still layer
  std::uint64_t window_ = 0;  // the picture the window shows but in windowRects_
  std::vector<PixelRect> windowRects_;
  std::uint64_t back_ = 0;  // likewise for the back buffer
  std::vector<PixelRect> backRects_;
};

}  // namespace platform
