#include "tools/splashgen/TitleCard.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "tools/splashgen/Painting.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;
constexpr float kCentreX = 512;

// The board seen from a camera 6 units above its plane: depth z maps to
// the row horizonY + focal x 6 / z, lateral x to centre + focal x x / z.
constexpr float kFocal = 760, kEyeHeight = 6, kHorizonY = 118;
constexpr float kNearZ = 6.8f;  // the board's near edge; it is 9 units deep

constexpr Rgba kAir = Rgba::Hex(0xA8D8F0), kFire = Rgba::Hex(0xF0602A), kEarth = Rgba::Hex(0x7E9C3A),
               kWater = Rgba::Hex(0x2C72D0), kMutex = Rgba::Hex(0x4A4A62), kPower = Rgba::Hex(0xF2C060);
constexpr Rgba kSkyTop = Rgba::Hex(0x070914), kSkyHorizon = Rgba::Hex(0x1E1834), kGround = Rgba::Hex(0x06060C);

// Board square (column, row) to the image: column 0 is left, row 0 is far.
PointF Project(float column, float row) {
  const float z = kNearZ + 9 - row;
  return {kCentreX + kFocal * (column - 4.5f) / z, kHorizonY + kFocal * kEyeHeight / z};
}

// The element of a square: four quarters around a neutral middle cross
// with the power point at its centre.
Rgba SquareColour(int column, int row) {
  if (column == 4 && row == 4) return kPower;
  if (column == 4 || row == 4) return kMutex;
  if (row < 4) return column < 4 ? kAir : kFire;
  return column < 4 ? kWater : kEarth;
}

std::array<PointF, 4> SquareOutline(int column, int row, float inset) {
  const float c0 = static_cast<float>(column) + inset, c1 = static_cast<float>(column + 1) - inset;
  const float r0 = static_cast<float>(row) + inset, r1 = static_cast<float>(row + 1) - inset;
  return {Project(c0, r0), Project(c1, r0), Project(c1, r1), Project(c0, r1)};
}

void Sky(Canvas& c) {
  c.Fill([](float, float y) {
    if (y < 400) return Rgba::Mix(kSkyTop, kSkyHorizon, Smoothstep(0, 400, y));
    return Rgba::Mix(kSkyHorizon, kGround, Smoothstep(400, 560, y));
  });
  RadialLight(c, {kCentreX, 250}, 560, 300, Rgba::Hex(0x4A3878), 0.35f);
}

// One square: a darker bevel, then its face, fading into the night with distance.
void Square(Canvas& c, int column, int row) {
  const float fog = 0.6f * static_cast<float>(8 - row) / 8.0f;
  const bool light = (column + row) % 2 == 0;
  const Rgba base = Rgba::Mix(SquareColour(column, row).Scaled(light ? 1.0f : 0.78f), kSkyHorizon, fog);
  const auto bevel = SquareOutline(column, row, 0.05f);
  c.FillPolygon(bevel, base.Scaled(0.55f));
  const auto face = SquareOutline(column, row, 0.11f);
  const PointF centre = Project(static_cast<float>(column) + 0.5f, static_cast<float>(row) + 0.5f);
  const float halfX = (face[1].x - face[0].x) * 0.6f, halfY = (face[2].y - face[0].y) * 0.6f;
  c.FillPolygon(face, [=](float x, float y) {
    const float d = std::hypot((x - centre.x) / halfX, (y - centre.y) / halfY);
    return base.Scaled(1.18f - 0.4f * Smoothstep(0, 1.2f, d));
  });
}

void Board(Canvas& c) {
  const std::array<PointF, 4> slab = {Project(-0.15f, -0.15f), Project(9.15f, -0.15f), Project(9.15f, 9.15f),
                                      Project(-0.15f, 9.15f)};
  c.FillPolygon(slab, Rgba::Hex(0x0E0C16));
  for (int row = 0; row < 9; ++row)
    for (int column = 0; column < 9; ++column) Square(c, column, row);
  const struct {
    float column, row;
    Rgba colour;
  } quarters[] = {{2, 2, kAir}, {7, 2, kFire}, {2, 7, kWater}, {7, 7, kEarth}, {4.5f, 4.5f, kPower}};
  for (const auto& q : quarters) {
    const PointF at = Project(q.column, q.row);
    const float scale = kFocal / (kNearZ + 9 - q.row) / 80.0f;
    RadialLight(c, at, 260 * scale, 110 * scale, q.colour, 0.28f);
  }
  // The near rows sink into the dark, keeping the eye on the title.
  c.FillPolygon(std::array<PointF, 4>{PointF{0, 560}, PointF{kWidth, 560}, PointF{kWidth, kHeight},
                                      PointF{0, kHeight}},
                [](float, float y) { return Rgba{0, 0, 0, 0.6f * Smoothstep(560, kHeight, y)}; });
}

// A small deterministic generator for the motes (the same sequence on every run).
float NextUnit(std::uint32_t& state) {
  state = state * 1664525u + 1013904223u;
  return static_cast<float>(state >> 8) / 16777216.0f;
}

// Sparks rising from the four quarters, each in its quarter's colour.
void Motes(Canvas& c) {
  std::uint32_t state = 20240611u;
  const Rgba colours[] = {kAir, kFire, kWater, kEarth};
  const float columns[] = {2, 7, 2, 7}, rows[] = {2, 2, 7, 7};
  for (int i = 0; i < 72; ++i) {
    const int q = i % 4;
    const PointF ground = Project(columns[q] + (NextUnit(state) - 0.5f) * 4, rows[q] + (NextUnit(state) - 0.5f) * 3);
    const float rise = NextUnit(state) * NextUnit(state) * 230;
    const PointF at = {ground.x, ground.y - rise};
    const float size = 1.2f + NextUnit(state) * 2.2f;
    const float strength = 0.25f + 0.5f * NextUnit(state) * (1 - rise / 260);
    RadialLight(c, at, size * 5, size * 5, colours[q], strength * 0.35f);
    SoftDisc(c, at, size * 0.6f, Rgba::Mix(colours[q], Rgba::Hex(0xFFFFFF), 0.6f).WithAlpha(strength));
  }
}

// The upper rims of the letters' strokes: ink whose pixels `shift` rows
// above are empty.
Mask UpperRims(const Mask& mask, int shift) {
  Mask out(mask.Width(), mask.Height());
  out.originX = mask.originX, out.originY = mask.originY, out.advance = mask.advance;
  for (int y = 0; y < mask.Height(); ++y)
    for (int x = 0; x < mask.Width(); ++x) out.Max(x, y, mask.At(x, y) * (1 - mask.At(x, y - shift)));
  return out;
}

// The title in gilded letters with a shadow, a dark rim and a warm glow,
// as wide as `width`.
void Title(Canvas& c, const SplashFonts& fonts, float width, float baseline) {
  const char* const kTitle = "Quennel Varrick";
  const float size = 100 * width / fonts.serifBold.Measure(kTitle, 100, 2);
  const Mask mask = fonts.serifBold.Render(kTitle, size, 2, 48);
  const float capTop = baseline - fonts.serifBold.CapHeight(size);
  AddTextCentred(c, mask.Blurred(18), kCentreX, baseline, Rgba::Hex(0xFF9A40), 0.5f);
  PaintTextCentred(c, mask.Blurred(5), kCentreX, baseline + 7, [](float, float) { return Rgba{0, 0, 0, 0.85f}; });
  PaintTextCentred(c, mask.Blurred(2).Amplified(3), kCentreX, baseline,
                   [](float, float) { return Rgba::Hex(0x2A1608); });
  PaintTextCentred(c, mask, kCentreX, baseline, [=](float, float y) {
    const float t = Smoothstep(capTop, baseline + size * 0.05f, y);
    const Rgba upper = Rgba::Mix(Rgba::Hex(0xFFF6D6), Rgba::Hex(0xF4C870), Smoothstep(0, 0.55f, t));
    return Rgba::Mix(upper, Rgba::Hex(0xB8742C), Smoothstep(0.55f, 1, t));
  });
  AddTextCentred(c, UpperRims(mask, 3).Blurred(1), kCentreX, baseline, Rgba::Hex(0xFFF0C8), 0.45f);
}

// A fading rule with the four elements as small diamonds at its middle.
void Ornament(Canvas& c, float y) {
  const Rgba gold = Rgba::Hex(0xD8B070);
  for (float side : {-1.0f, 1.0f})
    Stroke(c, {kCentreX + side * 62, y}, {kCentreX + side * 300, y}, 1.6f, [=](float x, float) {
      return gold.WithAlpha(1 - Smoothstep(90, 300, std::abs(x - kCentreX)));
    });
  const Rgba colours[] = {kAir, kFire, kWater, kEarth};
  for (int i = 0; i < 4; ++i) {
    const float x = kCentreX + (static_cast<float>(i) - 1.5f) * 26;
    const PointF diamond[] = {{x, y - 7}, {x + 7, y}, {x, y + 7}, {x - 7, y}};
    c.FillPolygon(diamond, Rgba::Mix(colours[i], Rgba::Hex(0xFFFFFF), 0.15f));
    RadialLight(c, {x, y}, 18, 18, colours[i], 0.3f);
  }
}

void Subtitle(Canvas& c, const SplashFonts& fonts, float baseline) {
  const Mask mask = fonts.serif.Render("A duel of elements", 34, 3, 12);
  PaintTextCentred(c, mask.Blurred(3), kCentreX, baseline + 3, [](float, float) { return Rgba{0, 0, 0, 0.8f}; });
  PaintTextCentred(c, mask, kCentreX, baseline, [](float, float) { return Rgba::Hex(0xE8DEC8); });
}

}  // namespace

Canvas PaintTitleCard(const SplashFonts& fonts) {
  Canvas c(kWidth, kHeight);
  Sky(c);
  Board(c);
  Motes(c);
  Vignette(c, 0.55f, 0.7f);
  Title(c, fonts, 840, 232);
  Ornament(c, 266);
  Subtitle(c, fonts, 316);
  return c;
}
