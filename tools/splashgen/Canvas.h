// A float image the splash cards are painted on: alpha compositing of flat
// or shaded colour by coverage, anti-aliased polygons, additive light, and
// the conversion to a 32-bit TGA image with a fixed dither, so the output is
// the same on every run.
#pragma once

#include <functional>
#include <span>
#include <vector>

#include "tools/splashgen/Mask.h"
#include "tools/splashgen/Rgba.h"
#include "tools/texgen/TgaWriter.h"

struct PointF {
  float x = 0, y = 0;
};

class Canvas {
 public:
  // The colour at a pixel centre (x + 0.5, y + 0.5).
  using Shade = std::function<Rgba(float x, float y)>;

  // Transparent black.
  Canvas(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }

  // Every pixel from the shade, replacing what was there.
  void Fill(const Shade& shade);
  // Composites the colour over the pixel with its alpha times `coverage`
  // (0 to 1); pixels outside the canvas are ignored.
  void Over(int x, int y, const Rgba& colour, float coverage);
  // Adds colour x amount as light (no alpha change; clamped on output).
  void Add(int x, int y, const Rgba& colour, float amount);
  // The polygon (even-odd rule), 4 x 4 samples a pixel, in the shade's colours.
  void FillPolygon(std::span<const PointF> polygon, const Shade& shade);
  void FillPolygon(std::span<const PointF> polygon, const Rgba& colour);
  // The mask's coverage in the shade's colours, its top left at (left, top).
  void PaintMask(const Mask& mask, int left, int top, const Shade& shade);
  // Like PaintMask, added as light.
  void AddMask(const Mask& mask, int left, int top, const Rgba& colour, float amount);

  // 8 bits a channel, rounded with a small ordered dither that leaves
  // exact 8-bit values unchanged.
  TgaImage ToTga() const;

 private:
  struct Texel {
    float r = 0, g = 0, b = 0, a = 0;  // premultiplied
  };
  Texel* At(int x, int y);

  int width_;
  int height_;
  std::vector<Texel> texels_;
};
