#include "tools/texgen/MenuTextures.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/texgen/Canvas.h"

namespace {

using namespace palette;

constexpr float kPi = std::numbers::pi_v<float>;
const Colour kElements[4] = {kAir, kFire, kEarth, kWater};
const Canvas::Inside kEverywhere = [](float, float) { return true; };

float Smooth(float t) {
  t = std::clamp(t, 0.0f, 1.0f);
  return t * t * (3 - 2 * t);
}

// Twelve soft rays round a warm core, the rays taking the element colours in
// turn; everything fades out within half the square's width, so the picture
// can turn and grow to twice its size without showing a border.
Canvas MenuBurst() {
  constexpr int kSize = 256;
  constexpr float kCentre = kSize / 2.0f;
  constexpr int kRays = 12;
  Canvas c(kSize, kSize);
  c.Fill(0, 0, kSize, kSize, kEverywhere, [](float x, float y) {
    const float dx = x - kCentre, dy = y - kCentre;
    const float r = std::sqrt(dx * dx + dy * dy) / kCentre;
    const float turn = (std::atan2(dy, dx) / (2 * kPi) + 0.5f) * kRays;
    const int ray = static_cast<int>(std::floor(turn)) % kRays;
    const float across = std::fabs(turn - std::floor(turn) - 0.5f) * 2;  // 0 on the ray's axis
    const float rayStrength = Smooth(1 - across / (0.35f + 0.8f * r)) * Smooth((0.55f - r) / 0.35f);
    const float core = Smooth((0.3f - r) / 0.3f);
    Colour colour = Mix(kElements[ray % 4], kRim, core);
    colour.a = std::clamp(0.55f * rayStrength + 0.6f * core * core, 0.0f, 1.0f);
    return colour;
  });
  return c;
}

// A hooded wizard with a staff whose orb glows, on night blue, and three
// dots below for the wait; readable by its shape alone.
Canvas WaitingWizard() {
  constexpr int kSize = 128;
  Canvas c(kSize, kSize);
  c.Fill(0, 0, kSize, kSize, kEverywhere, Gradient(Brighter(kNight, 2.2f), kNight, 0, kSize));
  c.Fill(0, 0, kSize, kSize, Disc(88, 34, 22), [](float x, float y) {
    const float r = std::hypot(x - 88, y - 34) / 22;
    return Colour{kWater.r, kWater.g, kWater.b, 0.5f * (1 - r)};
  });
  const Colour robe{0.36f, 0.30f, 0.46f, 1};
  c.Fill(0, 0, kSize, kSize, Polygon({{30, 112}, {52, 42}, {68, 42}, {86, 112}}), robe);
  c.Fill(0, 0, kSize, kSize, Disc(60, 40, 15), Brighter(robe, 1.15f));
  c.Fill(0, 0, kSize, kSize, Polygon({{60, 12}, {72, 36}, {48, 36}}), Brighter(robe, 1.15f));
  c.Fill(0, 0, kSize, kSize, Disc(60, 43, 9), Brighter(kNight, 0.6f));
  for (const float eye : {56.0f, 64.0f}) c.Fill(0, 0, kSize, kSize, Disc(eye, 42, 1.8f), kAir);
  c.Fill(0, 0, kSize, kSize, RoundedBox(85, 36, 90, 114, 2), Colour{0.55f, 0.40f, 0.24f, 1});
  c.Fill(0, 0, kSize, kSize, Disc(88, 34, 7), Brighter(kWater, 1.6f));
  for (int dot = 0; dot < 3; ++dot)
    c.Fill(0, 0, kSize, kSize, Disc(50.0f + 14.0f * static_cast<float>(dot), 121, 3), kRim);
  return c;
}

}  // namespace

std::vector<GeneratedTexture> MenuTextures() {
  return {{"ui/menu_burst.tga", MenuBurst().ToTga(), false},
          {"heroes/wizard_wait.jpg", WaitingWizard().ToTga(), true}};
}
