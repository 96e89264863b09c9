#include "tools/texgen/BookTextures.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "tools/texgen/Canvas.h"

namespace {

using namespace palette;

// The book texture is square; the book fills its top 70.7 %, which the game
// draws over (62, 5, 876, 620) of the 1000 x 625 interface space.
constexpr int kBookSize = 1024;
constexpr int kBookRows = 724;
constexpr float kUiLeft = 62, kUiTop = 5, kUiWidth = 876, kUiHeight = 620;
constexpr float kSpine = kBookSize / 2.0f;

// Texels of the book texture at a point of the interface space.
float TexX(float uiX) {
  return (uiX - kUiLeft) * kBookSize / kUiWidth;
}
float TexY(float uiY) {
  return (uiY - kUiTop) * kBookRows / kUiHeight;
}

// The back link's place in the interface space (the book code's rect).
constexpr float kMarkX = 260, kMarkY = 527, kMarkW = 74.4f, kMarkH = 95.81f;

const Colour kParchment{0.94f, 0.87f, 0.70f, 1};
const Colour kLeather{0.36f, 0.13f, 0.09f, 1};
const Colour kInk{0.42f, 0.27f, 0.14f, 1};

float Smooth(float t) {
  t = std::clamp(t, 0.0f, 1.0f);
  return t * t * (3 - 2 * t);
}

// The ribbon and its back arrow in the unit square of the bookmark's rect,
// mapped into a picture by `map`.
using Map = std::pair<float, float> (*)(float, float);
std::vector<std::pair<float, float>> Mapped(const std::vector<std::pair<float, float>>& unit, Map map) {
  std::vector<std::pair<float, float>> out;
  for (const auto& [u, v] : unit) out.push_back(map(u, v));
  return out;
}
const std::vector<std::pair<float, float>> kRibbon = {
    {0.22f, 0}, {0.78f, 0}, {0.78f, 0.97f}, {0.5f, 0.8f}, {0.22f, 0.97f}};
// A bold arrow pointing left: the way back out of the book.
const std::vector<std::pair<float, float>> kArrow = {
    {0.3f, 0.47f}, {0.5f, 0.33f}, {0.5f, 0.42f}, {0.7f, 0.42f}, {0.7f, 0.52f}, {0.5f, 0.52f}, {0.5f, 0.61f}};

std::pair<float, float> InBook(float u, float v) {
  return {TexX(kMarkX + u * kMarkW), TexY(kMarkY + v * kMarkH)};
}
constexpr int kMarkSize = 128;
std::pair<float, float> InMark(float u, float v) {
  return {u * kMarkSize, v * kMarkSize};
}

// The parchment of one page: warm noise, darker towards the spine and a
// little towards the outer edges.
Colour PaperAt(float x, float y, float outer) {
  const float blotch = Noise(x, y, 90, 11) * 0.6f + Noise(x, y, 23, 12) * 0.4f;
  const float toSpine = std::fabs(x - kSpine);
  const float shade = 1 - 0.28f * (1 - Smooth(toSpine / 70)) - 0.08f * Smooth((toSpine - (outer - 30)) / 30);
  return Brighter(Mix(kParchment, Colour{0.86f, 0.76f, 0.56f, 1}, blotch * 0.7f), shade);
}

void DrawPage(Canvas& c, bool left) {
  const float x0 = left ? 40 : kSpine + 4, x1 = left ? kSpine - 4 : kBookSize - 40;
  // The edges of the pages below: a darker block, a little larger.
  c.Fill(0, 0, kBookSize, kBookRows, RoundedBox(x0 - (left ? 6 : 0), 22, x1 + (left ? 0 : 6), 708, 8),
         Colour{0.72f, 0.62f, 0.45f, 1});
  const float outer = kSpine - 44;
  c.Fill(static_cast<int>(x0), 16, static_cast<int>(x1) + 1, 702, RoundedBox(x0, 16, x1, 702, 6),
         [outer](float x, float y) { return PaperAt(x, y, outer); });
  // A thin ink frame inside the page, corners marked by the four elements
  // as diamonds.
  const float f0 = left ? 86 : kSpine + 40, f1 = left ? kSpine - 40 : kBookSize - 86;
  const Canvas::Inside frame = [=](float x, float y) {
    const bool inOuter = x >= f0 && x < f1 && y >= 34 && y < 690;
    const bool inInner = x >= f0 + 2.5f && x < f1 - 2.5f && y >= 36.5f && y < 687.5f;
    return inOuter && !inInner;
  };
  c.Fill(0, 0, kBookSize, kBookRows, frame, Colour{kInk.r, kInk.g, kInk.b, 0.55f});
  const Colour elements[4] = {kAir, kFire, kEarth, kWater};
  const std::pair<float, float> corners[4] = {{f0, 35}, {f1, 35}, {f1, 689}, {f0, 689}};
  for (int i = 0; i < 4; ++i) {
    const auto [cx, cy] = corners[i];
    const int bx = static_cast<int>(cx), by = static_cast<int>(cy);
    c.Fill(bx - 12, by - 12, bx + 13, by + 13,
           Polygon({{cx, cy - 11}, {cx + 11, cy}, {cx, cy + 11}, {cx - 11, cy}}),
           Brighter(elements[i], 0.9f));
  }
}

Canvas OpenBook() {
  Canvas c(kBookSize, kBookSize);
  // The leather cover with a gold rim.
  c.Fill(0, 0, kBookSize, kBookRows, RoundedBox(8, 4, kBookSize - 8, 720, 22), Brighter(kRim, 0.75f));
  c.Fill(0, 0, kBookSize, kBookRows, RoundedBox(13, 9, kBookSize - 13, 715, 18),
         [](float x, float y) { return Brighter(kLeather, 0.8f + 0.4f * Noise(x, y, 40, 5)); });
  DrawPage(c, true);
  DrawPage(c, false);
  // The spine: the fold's shadow.
  c.Fill(
      static_cast<int>(kSpine) - 14, 0, static_cast<int>(kSpine) + 14, kBookRows,
      [](float, float y) { return y >= 14 && y < 704; },
      [](float x, float) {
        const float d = std::fabs(x - kSpine) / 14;
        return Colour{0.25f, 0.15f, 0.08f, 0.75f * (1 - d) * (1 - d)};
      });
  // The ribbon hanging from the book's lower edge, unlit; the lit one is the
  // back link's picture.
  c.Fill(0, 0, kBookSize, kBookRows, Polygon(Mapped(kRibbon, InBook)), Brighter(kFire, 0.75f));
  c.Fill(0, 0, kBookSize, kBookRows, Polygon(Mapped(kArrow, InBook)), Colour{kRim.r, kRim.g, kRim.b, 0.45f});
  return c;
}

// The lit bookmark: the ribbon bright, with a gold rim, a glow round it and
// a gold arrow.
Canvas LitBookmark() {
  Canvas c(kMarkSize, kMarkSize);
  c.Fill(
      0, 0, kMarkSize, kMarkSize, [](float, float) { return true; },
      [](float x, float y) {
        const float dx = std::max(std::fabs(x - 64) - 34, 0.0f), dy = std::max(std::fabs(y - 64) - 52, 0.0f);
        const float d = std::hypot(dx, dy);
        return Colour{kRim.r, kRim.g, kRim.b, 0.5f * (1 - Smooth(d / 10))};
      });
  const std::vector<std::pair<float, float>> ribbon = Mapped(kRibbon, InMark);
  c.Fill(0, 0, kMarkSize, kMarkSize, Polygon(ribbon), kRim);
  std::vector<std::pair<float, float>> inner;
  for (const auto& [x, y] : ribbon) inner.push_back({64 + (x - 64) * 0.86f, y * 0.93f + 2});
  c.Fill(0, 0, kMarkSize, kMarkSize, Polygon(inner), Brighter(kFire, 1.15f));
  c.Fill(0, 0, kMarkSize, kMarkSize, Polygon(Mapped(kArrow, InMark)), Brighter(kRim, 1.1f));
  return c;
}

}  // namespace

std::vector<GeneratedTexture> BookTextures() {
  return {{"ui/pages.tga", OpenBook().ToTga(), false}, {"ui/bookmark.tga", LitBookmark().ToTga(), false}};
}
