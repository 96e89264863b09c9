#include "tools/splashgen/StudioCard.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "tools/splashgen/Painting.h"

namespace {

constexpr int kWidth = 1024, kHeight = 512;
constexpr float kCentreX = 512;
constexpr PointF kFlame = {512, 204};  // the flame's heart

constexpr Rgba kWarmLight = Rgba::Hex(0xFFA040);
constexpr Rgba kPaleLight = Rgba::Hex(0xFFD890);

// Bronze lit from the flame: brightest where the metal faces it.
Rgba Bronze(float x, float y) {
  const float facing = 1 - std::min(1.0f, std::abs(x - (kFlame.x - 10)) / 70.0f);
  const float near = 1 - std::min(1.0f, std::abs(y - kFlame.y) / 260.0f);
  return Rgba::Mix(Rgba::Hex(0x4A3220), Rgba::Hex(0xD8A868), 0.25f + 0.55f * facing * facing + 0.2f * near);
}

// The glass: hot near the flame, amber towards the frame.
Rgba Glass(float x, float y) {
  const float d = std::hypot((x - kFlame.x) / 60.0f, (y - kFlame.y) / 80.0f);
  return Rgba::Mix(Rgba::Hex(0xFFE2A0), Rgba::Hex(0x7A3C14), std::min(1.0f, d)).WithAlpha(0.92f);
}

void Rect(Canvas& c, float x0, float y0, float x1, float y1, const Canvas::Shade& shade) {
  const PointF quad[] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
  c.FillPolygon(quad, shade);
}

void Handle(Canvas& c) {
  const PointF centre{kCentreX, 64};
  for (int y = 36; y < 94; ++y)
    for (int x = 480; x < 545; ++x) {
      const float d = std::hypot(static_cast<float>(x) + 0.5f - centre.x, static_cast<float>(y) + 0.5f - centre.y);
      const float coverage = std::clamp(3.0f - std::abs(d - 20.0f) + 0.5f, 0.0f, 1.0f);
      c.Over(x, y, Bronze(static_cast<float>(x), static_cast<float>(y)), coverage);
    }
  Rect(c, 508, 84, 516, 96, Bronze);
}

void Roof(Canvas& c) {
  const PointF roof[] = {{496, 94}, {528, 94}, {556, 122}, {468, 122}};
  c.FillPolygon(roof, Bronze);
  Rect(c, 458, 120, 566, 131, Bronze);
}

// The glass body, a bulging hexagon, with its frame.
void Body(Canvas& c) {
  const std::vector<PointF> glass = {{478, 131}, {546, 131}, {560, 197}, {546, 262}, {478, 262}, {464, 197}};
  c.FillPolygon(glass, Glass);
  const auto darkBronze = [](float x, float y) { return Bronze(x, y).Scaled(0.75f); };
  for (std::size_t i = 0; i < glass.size(); ++i) {
    const PointF a = glass[i], b = glass[(i + 1) % glass.size()];
    if (a.y != b.y) Stroke(c, a, b, 6, Bronze);
    SoftDisc(c, a, 3, Bronze(a.x, a.y));  // a round joint
  }
  Stroke(c, {493, 131}, {491, 262}, 3, darkBronze);
  Stroke(c, {531, 131}, {533, 262}, 3, darkBronze);
  Rect(c, 458, 258, 566, 270, Bronze);
  const PointF foot[] = {{474, 270}, {550, 270}, {538, 288}, {486, 288}};
  c.FillPolygon(foot, Bronze);
}

// A flame-shaped teardrop: pointed at `tip`, round at the bottom, `height`
// tall and at most 2 x halfWidth wide.
std::vector<PointF> Teardrop(PointF tip, float height, float halfWidth) {
  constexpr int kPoints = 96;
  constexpr float kSharpness = 1.6f;
  std::vector<PointF> outline;
  float widest = 0;
  for (int i = 0; i < kPoints; ++i) {
    const float t = 2 * std::numbers::pi_v<float> * static_cast<float>(i) / kPoints;
    const float x = std::sin(t) * std::pow(std::sin(t * 0.5f), kSharpness);
    widest = std::max(widest, std::abs(x));
    outline.push_back({x, (1 - std::cos(t)) * 0.5f});
  }
  for (PointF& p : outline) p = {tip.x + p.x / widest * halfWidth, tip.y + p.y * height};
  return outline;
}

void Flame(Canvas& c) {
  RadialLight(c, kFlame, 70, 80, kPaleLight, 0.55f);
  c.FillPolygon(Teardrop({512, 160}, 72, 19), Rgba::Hex(0xFF8A2A, 0.95f));
  c.FillPolygon(Teardrop({512, 176}, 54, 13), Rgba::Hex(0xFFC44E));
  c.FillPolygon(Teardrop({512, 194}, 34, 7.5f), Rgba::Hex(0xFFF6D8));
}

void Lettering(Canvas& c, const SplashFonts& fonts) {
  const Mask name = fonts.sans.Render("LANTERN HOLLOW", 58, 12, 24);
  AddTextCentred(c, name.Blurred(8), kCentreX, 392, kWarmLight, 0.35f);
  PaintTextCentred(c, name, kCentreX, 392, [](float, float y) {
    return Rgba::Mix(Rgba::Hex(0xFFF4DC), Rgba::Hex(0xE0C89C), Smoothstep(350, 392, y));
  });

  const float gamesSize = 24, tracking = 14;
  const Mask games = fonts.sans.Render("GAMES", gamesSize, tracking, 4);
  const Rgba gold = Rgba::Hex(0xD6AA64);
  PaintTextCentred(c, games, kCentreX, 446, [gold](float, float) { return gold; });
  const float half = games.advance * 0.5f + 28, lineY = 446 - fonts.sans.CapHeight(gamesSize) * 0.5f;
  for (float side : {-1.0f, 1.0f}) {
    Stroke(c, {kCentreX + side * half, lineY}, {kCentreX + side * (half + 150), lineY}, 1.6f, [=](float x, float) {
      return gold.WithAlpha(1 - Smoothstep(half, half + 150, std::abs(x - kCentreX)));
    });
  }
}

}  // namespace

Canvas PaintStudioCard(const SplashFonts& fonts) {
  Canvas c(kWidth, kHeight);
  c.Fill([](float, float) { return Rgba::Hex(kStudioGround); });
  RadialLight(c, {kCentreX, 210}, 320, 200, kWarmLight, 0.16f);
  RadialLight(c, {kCentreX, 290}, 170, 18, kWarmLight, 0.22f);  // the light on the ground
  Handle(c);
  Roof(c);
  Body(c);
  Flame(c);
  RadialLight(c, kFlame, 130, 150, kWarmLight, 0.18f);
  Lettering(c, fonts);
  return c;
}
