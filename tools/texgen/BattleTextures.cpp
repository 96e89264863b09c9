#include "tools/texgen/BattleTextures.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "tools/texgen/Canvas.h"
#include "tools/texgen/UiTextures.h"

namespace {

using namespace palette;

constexpr float kPi = std::numbers::pi_v<float>;
const Canvas::Inside kEverywhere = [](float, float) { return true; };
const Colour kWhite{1, 1, 1, 1};

float Smooth(float t) {
  t = std::clamp(t, 0.0f, 1.0f);
  return t * t * (3 - 2 * t);
}

// A white glow about the canvas centre whose alpha falls from the middle
// by `profile` of the distance (0 at the centre, 1 at the edge).
template <typename Profile>
Canvas Glow(int size, Profile profile) {
  Canvas c(size, size);
  const float half = static_cast<float>(size) / 2;
  c.Fill(0, 0, size, size, kEverywhere, [&](float x, float y) {
    const float d = std::hypot(x - half, y - half) / half;
    return Colour{1, 1, 1, std::clamp(profile(d, std::atan2(y - half, x - half)), 0.0f, 1.0f)};
  });
  return c;
}

// ---- The screen ---------------------------------------------------------------------

// UI units to texels of the 1024-wide frame.
constexpr float kS = 1.024f;

struct Hole {
  float x0, y0, x1, y1, radius;
};
// What the frame leaves open: the board, the portraits, the spell lists,
// the log and the hint panel.
constexpr Hole kHoles[] = {
    {150, 4, 850, 502, 18},  {4, 27, 136, 159, 6},  {864, 27, 996, 159, 6},  {4, 284, 142, 490, 8},
    {858, 284, 996, 490, 8}, {4, 511, 488, 621, 8}, {512, 511, 996, 621, 8},
};

Canvas::Inside HoleShape(const Hole& h, float grow) {
  return RoundedBox((h.x0 - grow) * kS, (h.y0 - grow) * kS, (h.x1 + grow) * kS, (h.y1 + grow) * kS,
                    (h.radius + grow) * kS);
}

bool InAnyHole(float x, float y) {
  return std::any_of(std::begin(kHoles), std::end(kHoles),
                     [&](const Hole& h) { return HoleShape(h, 0)(x, y); });
}

Colour FrameBody(float x, float y) {
  const float grain = 0.6f * Noise(x, y, 40, 11) + 0.4f * Noise(x, y, 9, 12);
  return Brighter(kNight, 1.25f + 0.45f * grain);
}

// A dark well under the values drawn over the frame (health, mana, icon).
void Inset(Canvas& c, float x0, float y0, float x1, float y1) {
  c.Fill(static_cast<int>(x0 * kS) - 2, static_cast<int>(y0 * kS) - 2, static_cast<int>(x1 * kS) + 3,
         static_cast<int>(y1 * kS) + 3, RoundedBox(x0 * kS, y0 * kS, x1 * kS, y1 * kS, 5),
         Colour{0.02f, 0.03f, 0.06f, 0.55f});
}

Canvas Frame() {
  Canvas c(1024, 1024);
  constexpr int kShown = 640;
  c.Fill(
      0, 0, 1024, kShown, [](float x, float y) { return !InAnyHole(x, y); }, FrameBody);
  for (const Hole& h : kHoles) {
    const Canvas::Inside rim = [&h](float x, float y) {
      return HoleShape(h, 3)(x, y) && !HoleShape(h, 0)(x, y);
    };
    c.Fill(static_cast<int>((h.x0 - 4) * kS), static_cast<int>((h.y0 - 4) * kS),
           static_cast<int>((h.x1 + 5) * kS), static_cast<int>((h.y1 + 5) * kS), rim,
           Gradient(Brighter(kRim, 1.05f), Brighter(kRim, 0.65f), h.y0 * kS, h.y1 * kS));
  }
  Inset(c, 6, 183, 142, 207);    // health, left
  Inset(c, 857, 183, 993, 207);  // health, right
  Inset(c, 6, 206, 90, 280);     // mana, left
  Inset(c, 908, 206, 992, 280);  // mana, right
  Inset(c, 94, 228, 141, 275);   // icon, left
  Inset(c, 859, 228, 906, 275);  // icon, right
  for (int e = 0; e < 4; ++e)    // the four element marks between the log and the hint panel
    ElementMark(c, e, 500 * kS, (526 + 26 * static_cast<float>(e)) * kS, 6 * kS);
  return c;
}

// The spell list's background: a dark well with a faint line under each of
// the five rows (30 units apart from 24 units down).
Canvas SidePanel() {
  constexpr float s = 2.0f;
  Canvas c(292, 428);
  Panel(c, 0, 0, 292, 428, 16, 3, Brighter(kRim, 0.55f), Brighter(kNight, 1.7f), Brighter(kNight, 1.1f),
        0.08f);
  for (int row = 0; row < 5; ++row) {
    const float y = (24 + 30 * static_cast<float>(row) + 28) * s;
    c.Fill(10, static_cast<int>(y) - 1, 282, static_cast<int>(y) + 2, RoundedBox(16, y - 1, 276, y + 1, 1),
           Colour{kRim.r, kRim.g, kRim.b, 0.25f});
  }
  return c;
}

// The log's and the hint's background: a dark panel, lighter at the top.
Canvas BottomPanel() {
  Canvas c(512, 128);
  Panel(c, 0, 0, 512, 128, 10, 2, Brighter(kRim, 0.55f), Brighter(kNight, 1.8f), Brighter(kNight, 1.05f),
        0.06f);
  return c;
}

// ---- Icons ----------------------------------------------------------------------------

// Gold rays about a bright ring.
Canvas Flare() {
  return Glow(128, [](float d, float a) {
    const float ring = std::exp(-std::pow((d - 0.62f) / 0.12f, 2.0f));
    const float rays = std::pow(0.5f + 0.5f * std::cos(a * 12), 6.0f) * Smooth((1 - d) / 0.5f);
    return 0.9f * ring + 0.6f * rays;
  });
}

std::vector<std::pair<float, float>> ShieldCorners(float cx, float top, float w, float h) {
  std::vector<std::pair<float, float>> corners = {{cx - w, top}, {cx + w, top}, {cx + w, top + h * 0.45f}};
  for (int i = 1; i < 12; ++i) {
    const float t = static_cast<float>(i) / 12;
    corners.emplace_back(cx + w * std::cos(t * kPi / 2), top + h * 0.45f + h * 0.55f * std::sin(t * kPi / 2));
  }
  for (int i = 11; i > 0; --i) {
    const float t = static_cast<float>(i) / 12;
    corners.emplace_back(cx - w * std::cos(t * kPi / 2), top + h * 0.45f + h * 0.55f * std::sin(t * kPi / 2));
  }
  corners.emplace_back(cx - w, top + h * 0.45f);
  return corners;
}

// Earth's shield: a green shield with a gold rim and a square boss.
Canvas Shield() {
  Canvas c(64, 64);
  c.Fill(0, 0, 64, 64, Polygon(ShieldCorners(32, 4, 26, 56)), kRim);
  c.Fill(0, 0, 64, 64, Polygon(ShieldCorners(32, 8, 21, 49)),
         Gradient(Brighter(kEarth, 1.4f), Brighter(kEarth, 0.8f), 8, 57));
  c.Fill(0, 0, 64, 64, RoundedBox(25, 21, 39, 35, 2), kRim);
  return c;
}

// Water's reflection: a blue disc with a mirror on its right and a blow
// that strikes it and turns back.
Canvas Reflexes() {
  Canvas c(64, 64);
  c.Fill(0, 0, 64, 64, Disc(32, 32, 29), kRim);
  c.Fill(0, 0, 64, 64, Disc(32, 32, 25), Gradient(Brighter(kWater, 1.6f), Brighter(kWater, 0.8f), 7, 57));
  c.Fill(0, 0, 64, 64, RoundedBox(42, 14, 48, 50, 2), kWhite);                      // the mirror
  c.Fill(0, 0, 64, 64, Polygon({{12, 42}, {40, 31}, {41, 35}, {14, 46}}), kWhite);  // the blow in
  c.Fill(0, 0, 64, 64, Polygon({{40, 31}, {21, 18}, {19, 22}, {38, 35}}), kWhite);  // and out
  c.Fill(0, 0, 64, 64, Polygon({{14, 13}, {26, 15}, {18, 25}}), kWhite);            // its head
  return c;
}

// ---- Particles ------------------------------------------------------------------------

Canvas Spark() {
  return Glow(64,
              [](float d, float) { return std::exp(-d * d * 9) + 0.35f * std::exp(-d * d * 2.5f) - 0.02f; });
}

Canvas SparkStar() {
  return Glow(64, [](float d, float a) {
    const float arms = std::pow(std::fabs(std::cos(2 * a)), 24.0f) * Smooth(1 - d);
    return std::exp(-d * d * 14) + 0.8f * arms;
  });
}

Canvas Blast() {
  return Glow(128, [](float d, float) {
    return 0.75f * std::exp(-d * d * 4) + 0.35f * std::exp(-std::pow((d - 0.75f) / 0.1f, 2.0f)) - 0.02f;
  });
}

Canvas EnergyBlast() {
  return Glow(128, [](float d, float a) {
    const float spikes = std::pow(0.5f + 0.5f * std::cos(a * 9), 8.0f);
    const float ring = std::exp(-std::pow((d - 0.55f - 0.25f * spikes) / 0.08f, 2.0f));
    return 0.5f * std::exp(-d * d * 6) + ring;
  });
}

// A flame: a soft teardrop, brighter at its foot, half see-through so that
// many of them added together glow orange rather than white.
Canvas Flame() {
  Canvas c(64, 64);
  c.Fill(0, 0, 64, 64, kEverywhere, [](float x, float y) {
    const float dx = (x - 32) / 22, dy = (y - 40) / 22;
    const float up = y < 40 ? (40 - y) / 38 : 0;  // narrower towards the tip
    const float d = std::hypot(dx * (1 + 1.8f * up), dy * (y < 40 ? 0.7f : 1.2f));
    const float a = 0.6f * std::exp(-d * d * 1.6f) * (0.8f + 0.2f * Noise(x, y, 6, 21)) - 0.02f;
    const float core = std::exp(-d * d * 4);  // white in the middle, orange at the rim
    return Colour{1, 0.7f + 0.3f * core, 0.35f + 0.6f * core, std::clamp(a, 0.0f, 1.0f)};
  });
  return c;
}

Canvas Smoke() {
  return Glow(128, [](float d, float a) {
    const float edge = 0.82f + 0.08f * std::sin(a * 5 + 1.3f) * std::cos(a * 3);
    const float puff = Noise(64 + 60 * d * std::cos(a), 64 + 60 * d * std::sin(a), 14, 31);
    return Smooth((edge - d) / 0.55f) * (0.5f + 0.5f * puff);
  });
}

// A skull: round head, jaw, two eye holes and a nose.
Canvas Skull() {
  Canvas c(128, 128);
  c.Fill(0, 0, 128, 128, Disc(64, 54, 40), kWhite);
  c.Fill(0, 0, 128, 128, RoundedBox(40, 70, 88, 108, 10), kWhite);
  const Colour hole{0.12f, 0.1f, 0.1f, 1};
  c.Fill(0, 0, 128, 128, Disc(48, 60, 11), hole);
  c.Fill(0, 0, 128, 128, Disc(80, 60, 11), hole);
  c.Fill(0, 0, 128, 128, Polygon({{64, 72}, {70, 84}, {58, 84}}), hole);
  for (float x : {52.0f, 61.0f, 70.0f}) c.Fill(0, 0, 128, 128, RoundedBox(x, 92, x + 6, 106, 2), hole);
  return c;
}

// A six-armed snowflake.
Canvas Snow() {
  Canvas c(64, 64);
  for (int arm = 0; arm < 6; ++arm) {
    const float a = kPi * static_cast<float>(arm) / 3;
    const float ca = std::cos(a), sa = std::sin(a);
    const auto at = [&](float along, float across) {
      return std::pair<float, float>{32 + along * ca - across * sa, 32 + along * sa + across * ca};
    };
    c.Fill(0, 0, 64, 64, Polygon({at(0, -2), at(28, -1.5f), at(28, 1.5f), at(0, 2)}), kWhite);
    c.Fill(0, 0, 64, 64, Polygon({at(16, 0), at(24, 7), at(22.5f, 8), at(15, 2)}), kWhite);
    c.Fill(0, 0, 64, 64, Polygon({at(16, 0), at(24, -7), at(22.5f, -8), at(15, -2)}), kWhite);
  }
  c.Fill(0, 0, 64, 64, Disc(32, 32, 5), kWhite);
  return c;
}

// A falling drop: a pale blue teardrop pointing up.
Canvas Drop() {
  Canvas c(32, 64);
  std::vector<std::pair<float, float>> shape = {{16, 2}};
  for (int i = 0; i <= 16; ++i) {
    const float a = kPi * static_cast<float>(i) / 16;
    shape.emplace_back(16 + 11 * std::cos(a), 48 + 11 * std::sin(a));
  }
  c.Fill(0, 0, 32, 64, Polygon(shape),
         Gradient(Colour{0.85f, 0.95f, 1, 0.3f}, Colour{0.9f, 0.97f, 1, 1}, 2, 60));
  c.Fill(0, 0, 32, 64, Disc(12, 46, 3), kWhite);
  return c;
}

// A rock with a glowing tail above it (the rain falls downwards).
Canvas Meteor() {
  Canvas c(64, 64);
  c.Fill(0, 0, 64, 64, Polygon({{26, 2}, {38, 2}, {42, 40}, {22, 40}}),
         Gradient(Colour{1, 0.8f, 0.4f, 0}, Colour{1, 0.55f, 0.2f, 0.9f}, 2, 40));
  c.Fill(0, 0, 64, 64, Disc(32, 46, 14), [](float x, float y) {
    return Mix(Colour{0.55f, 0.42f, 0.32f, 1}, Colour{0.25f, 0.18f, 0.14f, 1}, Noise(x, y, 5, 41));
  });
  c.Fill(0, 0, 64, 64, Disc(28, 40, 5), Colour{1, 0.75f, 0.35f, 0.6f});
  return c;
}

// The lightning strip: a bright core across its width (u), the same along it.
Canvas Lightning() {
  Canvas c(64, 16);
  c.Fill(0, 0, 64, 16, kEverywhere, [](float x, float) {
    const float d = std::fabs(x - 32) / 32;
    const float core = std::exp(-d * d * 60);
    return Colour{0.75f + 0.25f * core, 0.8f + 0.2f * core, 1,
                  std::clamp(core + 0.45f * std::exp(-d * d * 6), 0.0f, 1.0f)};
  });
  return c;
}

// Stone shards of the four elements flying out from a flash.
Canvas Boom() {
  Canvas c(128, 128);
  c.Fill(0, 0, 128, 128, Disc(64, 64, 60), [](float x, float y) {
    const float d = std::hypot(x - 64, y - 64) / 60;
    return Colour{1, 0.95f, 0.8f, 0.7f * std::exp(-d * d * 5)};
  });
  const Colour colours[4] = {kAir, kFire, kEarth, kWater};
  for (int i = 0; i < 12; ++i) {
    const float a = 2 * kPi * (static_cast<float>(i) + 0.3f * Hash(i, 0, 51)) / 12;
    const float r = 36 + 16 * Hash(i, 1, 51);
    const float cx = 64 + r * std::cos(a), cy = 64 + r * std::sin(a), k = 6 + 4 * Hash(i, 2, 51);
    const float ca = std::cos(a), sa = std::sin(a);
    c.Fill(0, 0, 128, 128,
           Polygon({{cx + k * ca, cy + k * sa},
                    {cx - k * sa * 0.6f, cy + k * ca * 0.6f},
                    {cx - k * ca, cy - k * sa},
                    {cx + k * sa * 0.6f, cy - k * ca * 0.6f}}),
           Brighter(colours[i % 4], 1.3f));
  }
  return c;
}

// ---- Tile overlays ----------------------------------------------------------------------

// Flames for burning tiles; repeats in both directions.
Canvas TileFire() {
  constexpr int kSize = 64;
  Canvas c(kSize, kSize);
  c.Fill(0, 0, kSize, kSize, kEverywhere, [](float x, float y) {
    const float wave =
        0.5f + 0.5f * std::sin(2 * kPi * (2 * x / kSize + 0.15f * std::sin(2 * kPi * y / kSize)));
    const float heat =
        Smooth(wave * 1.2f - 0.1f) * (0.6f + 0.4f * std::sin(2 * kPi * y / kSize * 2 + x * 0.2f));
    return Colour{1, 0.45f + 0.5f * heat, 0.1f + 0.2f * heat, std::clamp(0.25f + 0.75f * heat, 0.0f, 1.0f)};
  });
  return c;
}

// Ice for frozen tiles: pale blue with crystal lines; repeats.
Canvas TileIce() {
  constexpr int kSize = 64;
  Canvas c(kSize, kSize);
  c.Fill(0, 0, kSize, kSize, kEverywhere, [](float x, float y) {
    const float line1 = std::fabs(std::sin(2 * kPi * (x + y) / kSize * 2));
    const float line2 = std::fabs(std::sin(2 * kPi * (x - 2 * y) / kSize));
    const float crack = std::max(std::pow(1 - line1, 12.0f), std::pow(1 - line2, 16.0f));
    return Colour{0.75f + 0.25f * crack, 0.88f + 0.12f * crack, 1, 0.55f + 0.4f * crack};
  });
  return c;
}

}  // namespace

std::vector<GeneratedTexture> BattleTextures() {
  const std::pair<const char*, Canvas (*)()> painted[] = {
      {"battle/frame.tga", Frame},
      {"battle/side_panel.tga", SidePanel},
      {"battle/bottom_panel.tga", BottomPanel},
      {"battle/flare.tga", Flare},
      {"battle/shield.tga", Shield},
      {"battle/reflexes.tga", Reflexes},
      {"battle/spark.tga", Spark},
      {"battle/spark_star.tga", SparkStar},
      {"battle/blast.tga", Blast},
      {"battle/blast_energy.tga", EnergyBlast},
      {"battle/boom.tga", Boom},
      {"battle/flame.tga", Flame},
      {"battle/snow.tga", Snow},
      {"battle/skull.tga", Skull},
      {"battle/smoke.tga", Smoke},
      {"battle/meteor.tga", Meteor},
      {"battle/drop.tga", Drop},
      {"battle/lightning.tga", Lightning},
      {"battle/tile_fire.tga", TileFire},
      {"battle/tile_ice.tga", TileIce},
  };
  std::vector<GeneratedTexture> textures;
  for (const auto& [name, paint] : painted) textures.push_back({name, paint().ToTga(), false});
  return textures;
}
