// A floating-point RGBA image to paint the generated textures on: shapes
// given by an inside test are filled with anti-aliased edges (4 x 4 samples
// per texel) and blended over what is there. Colours run from 0 to 1.
#pragma once

#include <functional>
#include <vector>

#include "tools/texgen/TgaWriter.h"

struct Colour {
  float r = 0, g = 0, b = 0, a = 1;
};

// a + (b - a) x t, alpha included.
Colour Mix(const Colour& a, const Colour& b, float t);
// The colour with its red, green and blue scaled by k (held to 1).
Colour Brighter(const Colour& c, float k);
// The colour's grey of equal brightness.
Colour Grey(const Colour& c);

// The game's palette: the four elements and the interface's own colours.
namespace palette {
inline constexpr Colour kAir{0.93f, 0.76f, 0.26f, 1};    // yellow
inline constexpr Colour kFire{0.80f, 0.22f, 0.15f, 1};   // red
inline constexpr Colour kEarth{0.30f, 0.60f, 0.27f, 1};  // green
inline constexpr Colour kWater{0.20f, 0.40f, 0.72f, 1};  // blue
inline constexpr Colour kNight{0.09f, 0.11f, 0.16f, 1};  // panel bodies
inline constexpr Colour kRim{0.98f, 0.86f, 0.50f, 1};    // gold rims
}  // namespace palette

class Canvas {
 public:
  using Inside = std::function<bool(float x, float y)>;
  using Paint = std::function<Colour(float x, float y)>;

  Canvas(int width, int height);  // fully transparent

  // Blends `paint` over every texel of the box [x0, x1) x [y0, y1) as far
  // as `inside` covers it.
  void Fill(int x0, int y0, int x1, int y1, const Inside& inside, const Paint& paint);
  void Fill(int x0, int y0, int x1, int y1, const Inside& inside, const Colour& colour);
  TgaImage ToTga() const;

  int width;
  int height;

 private:
  void Blend(int x, int y, const Colour& c, float cover);
  std::vector<Colour> texels_;
};

// Inside tests of the shapes the interface is drawn with; coordinates in
// texels, edges at texel borders.
Canvas::Inside RoundedBox(float x0, float y0, float x1, float y1, float radius);
Canvas::Inside Disc(float cx, float cy, float radius);
Canvas::Inside Polygon(std::vector<std::pair<float, float>> corners);
// A repeatable hash of a texel and a seed: 0 to 1.
float Hash(int x, int y, int seed);
// Smooth value noise on a grid of `cell` texels: 0 to 1.
float Noise(float x, float y, float cell, int seed);

// A vertical gradient from `top` at y0 to `bottom` at y1.
Canvas::Paint Gradient(const Colour& top, const Colour& bottom, float y0, float y1);

// A rounded panel: a rim of `rim` texels in `rimColour` around a body that
// runs from `top` to `bottom`, with a soft white gloss of that strength over
// its upper part (0: none).
void Panel(Canvas& canvas, float x0, float y0, float x1, float y1, float radius, float rim, const Colour& rimColour,
           const Colour& top, const Colour& bottom, float gloss = 0.22f);
