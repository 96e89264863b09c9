// A coverage map (0 to 1 a pixel) for text and soft shapes of the splash
// generator, with the blur and growth that make shadows, glows and outlines.
#pragma once

#include <vector>

class Mask {
 public:
  Mask() = default;
  // All zero.
  Mask(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // 0 outside the mask.
  float At(int x, int y) const;
  // Raises the value at (x, y) to `value` when it is lower; ignored outside.
  void Max(int x, int y, float value);

  // An approximately Gaussian blur: three box passes of this radius each way.
  Mask Blurred(int radius) const;
  // Coverage times `gain`, clamped to 1: thickens a blurred mask into an outline.
  Mask Amplified(float gain) const;

  // Where the text's pen started: the left end of its baseline, in mask pixels.
  int originX = 0;
  int originY = 0;
  // The pen's advance over the whole text.
  float advance = 0;

 private:
  void BoxPass(int radius, bool horizontal);

  int width_ = 0;
  int height_ = 0;
  std::vector<float> values_;
};
