#include "tools/texgen/FinalTextures.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "tools/texgen/Canvas.h"

namespace {

using namespace palette;
using Points = std::vector<std::pair<float, float>>;

// The scene texture is square; the game draws its top 62.5 % over the whole
// 1000 x 625 interface space, so one interface unit is 1.024 texels.
constexpr int kSize = 1024;
constexpr int kRows = 640;
constexpr float kScale = kSize / 1000.0f;
// Where the code puts the flares (the crystal) and the rising fire (the
// brazier), in interface units.
constexpr float kCrystalX = 712, kCrystalY = 133;
constexpr float kFireX = 244, kFireY = 143;

const Canvas::Inside kEverywhere = [](float, float) { return true; };
const Colour kStone{0.16f, 0.15f, 0.22f, 1};
const Colour kStoneLit{0.30f, 0.22f, 0.22f, 1};

float Smooth(float t) {
  t = std::clamp(t, 0.0f, 1.0f);
  return t * t * (3 - 2 * t);
}

// A shape given in interface units, drawn on the scene texture.
Points Ui(Points points) {
  for (auto& [x, y] : points) {
    x *= kScale;
    y *= kScale;
  }
  return points;
}
void FillUi(Canvas& c, const Points& points, const Canvas::Paint& paint) {
  c.Fill(0, 0, kSize, kRows, Polygon(Ui(points)), paint);
}
void FillUi(Canvas& c, const Points& points, const Colour& colour) {
  c.Fill(0, 0, kSize, kRows, Polygon(Ui(points)), colour);
}

// Stone lit from the left by the beacon: warmer near it.
Canvas::Paint StoneNear(float lightX, float lightY) {
  return [=](float x, float y) {
    const float d = std::hypot(x / kScale - lightX, y / kScale - lightY);
    const Colour base = Brighter(kStone, 0.85f + 0.3f * Noise(x, y, 14, 31));
    return Mix(base, kStoneLit, 0.8f * (1 - Smooth(d / 330)));
  };
}

void Sky(Canvas& c) {
  c.Fill(0, 0, kSize, kRows, kEverywhere, [](float x, float y) {
    const float t = Smooth(y / (430 * kScale));
    Colour sky = Mix(Colour{0.04f, 0.05f, 0.13f, 1}, Colour{0.42f, 0.22f, 0.27f, 1}, t * t);
    // Stars: sparse bright texels, fewer near the horizon.
    const int ix = static_cast<int>(x), iy = static_cast<int>(y);
    if (Hash(ix / 3, iy / 3, 7) > 0.994f && t < 0.6f) sky = Mix(sky, Colour{0.95f, 0.92f, 0.8f, 1}, 0.8f - t);
    return sky;
  });
}

void Mountains(Canvas& c) {
  FillUi(c,
         {{0, 470},
          {0, 360},
          {90, 300},
          {170, 350},
          {290, 280},
          {420, 360},
          {520, 320},
          {610, 370},
          {760, 290},
          {880, 340},
          {1000, 300},
          {1000, 470}},
         Colour{0.13f, 0.11f, 0.21f, 1});
  FillUi(c,
         {{0, 470},
          {0, 410},
          {140, 380},
          {260, 420},
          {400, 390},
          {560, 430},
          {700, 395},
          {850, 425},
          {1000, 390},
          {1000, 470}},
         Colour{0.09f, 0.08f, 0.15f, 1});
  // The ground.
  c.Fill(0, static_cast<int>(440 * kScale), kSize, kRows, kEverywhere,
         Gradient(Colour{0.10f, 0.09f, 0.12f, 1}, Colour{0.05f, 0.05f, 0.07f, 1}, 440 * kScale, kRows));
}

// Battlements along the top edge of a wall from x0 to x1 at height y.
void Battlements(Canvas& c, float x0, float x1, float y, const Canvas::Paint& paint) {
  for (float x = x0; x + 14 <= x1; x += 26)
    FillUi(c, {{x, y}, {x, y - 14}, {x + 14, y - 14}, {x + 14, y}}, paint);
}

// The left tower with the beacon: a bowl on its top whose fire the game
// adds as rising particles.
void BeaconTower(Canvas& c) {
  const Canvas::Paint stone = StoneNear(kFireX, kFireY);
  FillUi(c, {{196, 560}, {206, 205}, {282, 205}, {292, 560}}, stone);
  Battlements(c, 194, 300, 205, stone);
  // The brazier: a bowl on a short stem, glowing inside.
  FillUi(c, {{236, 205}, {240, 184}, {248, 184}, {252, 205}}, Colour{0.22f, 0.16f, 0.12f, 1});
  FillUi(c, {{212, 166}, {276, 166}, {262, 186}, {226, 186}}, Colour{0.35f, 0.22f, 0.12f, 1});
  c.Fill(0, 0, kSize, kRows, kEverywhere, [](float x, float y) {
    const float d = std::hypot(x / kScale - kFireX, (y / kScale - 160) * 1.4f);
    return Colour{1.0f, 0.55f, 0.2f, 0.55f * (1 - Smooth(d / 90))};
  });
  FillUi(c, {{218, 166}, {232, 138}, {242, 155}, {250, 128}, {260, 152}, {270, 166}}, Brighter(kAir, 1.1f));
  // A lit window below.
  FillUi(c, {{236, 300}, {236, 280}, {244, 272}, {252, 280}, {252, 300}}, Brighter(kAir, 0.9f));
}

// The keep on the right: a tall tower whose spire carries the crystal the
// flares shine from, four element windows on it.
void Keep(Canvas& c) {
  const Canvas::Paint stone = StoneNear(kFireX, kFireY);
  FillUi(c, {{652, 560}, {664, 250}, {760, 250}, {772, 560}}, stone);
  Battlements(c, 650, 776, 250, stone);
  FillUi(c, {{680, 236}, {712, 150}, {744, 236}}, Brighter(kStone, 0.8f));
  // The crystal: a bright diamond, the flares' centre.
  const float cx = kCrystalX, cy = kCrystalY;
  c.Fill(0, 0, kSize, kRows, kEverywhere, [](float x, float y) {
    const float d = std::hypot(x / kScale - kCrystalX, y / kScale - kCrystalY);
    return Colour{0.85f, 0.9f, 1.0f, 0.6f * (1 - Smooth(d / 60))};
  });
  FillUi(c, {{cx, cy - 22}, {cx + 12, cy}, {cx, cy + 22}, {cx - 12, cy}}, Colour{0.96f, 0.97f, 1.0f, 1});
  // The four element windows, told apart by shape as well: a triangle for
  // air, a flame tip for fire, a square for earth, a drop-like disc for water.
  const float wy = 330;
  FillUi(c, {{672, wy + 16}, {680, wy}, {688, wy + 16}}, kAir);
  FillUi(c, {{694, wy + 16}, {694, wy + 6}, {702, wy - 2}, {710, wy + 6}, {710, wy + 16}}, kFire);
  FillUi(c, {{716, wy + 16}, {716, wy}, {732, wy}, {732, wy + 16}}, kEarth);
  c.Fill(0, 0, kSize, kRows, Disc(746 * kScale, (wy + 9) * kScale, 8 * kScale), Brighter(kWater, 1.3f));
}

// The wall between the towers with its gate.
void Wall(Canvas& c) {
  const Canvas::Paint stone = StoneNear(kFireX, kFireY);
  FillUi(c, {{290, 560}, {290, 400}, {656, 400}, {656, 560}}, stone);
  Battlements(c, 300, 650, 400, stone);
  FillUi(c, {{440, 560}, {440, 480}, {473, 452}, {506, 480}, {506, 560}}, Colour{0.05f, 0.04f, 0.06f, 1});
}

// The hero on the hill in front, staff raised towards the keep.
void Hero(Canvas& c) {
  FillUi(c, {{0, 625}, {0, 585}, {200, 560}, {420, 575}, {640, 565}, {860, 585}, {1000, 575}, {1000, 625}},
         Colour{0.03f, 0.03f, 0.05f, 1});
  const Colour cloak{0.02f, 0.02f, 0.03f, 1};
  // Left of the keep, against the lit wall, so the figure reads.
  const float x = 584;
  FillUi(c, {{x - 16, 575}, {x - 6, 520}, {x + 6, 520}, {x + 18, 575}}, cloak);
  c.Fill(0, 0, kSize, kRows, Disc(x * kScale, 512 * kScale, 9 * kScale), cloak);
  FillUi(c, {{x + 26, 575}, {x + 30, 486}, {x + 34, 486}, {x + 32, 575}}, cloak);
  c.Fill(0, 0, kSize, kRows, Disc((x + 32) * kScale, 484 * kScale, 5 * kScale), Brighter(kWater, 1.4f));
}

Canvas FinalScene() {
  Canvas c(kSize, kSize);
  Sky(c);
  Mountains(c);
  Wall(c);
  BeaconTower(c);
  Keep(c);
  Hero(c);
  return c;
}

// The flare: a white core fading through gold, with eight soft rays; its
// strength is in the alpha, for drawing by adding light.
Canvas Flare() {
  constexpr int kFlare = 256;
  constexpr float kCentre = kFlare / 2.0f;
  Canvas c(kFlare, kFlare);
  c.Fill(0, 0, kFlare, kFlare, kEverywhere, [](float x, float y) {
    const float dx = x - kCentre, dy = y - kCentre;
    const float r = std::hypot(dx, dy) / kCentre;
    const float a = std::atan2(dy, dx);
    const float rays = std::pow(std::fabs(std::cos(a * 4)), 24.0f) * (1 - Smooth(r / 0.95f));
    const float glow = std::pow(1 - Smooth(r), 2.5f);
    const float core = 1 - Smooth(r / 0.18f);
    Colour colour = Mix(kRim, Colour{1, 1, 1, 1}, core);
    colour.a = std::clamp(0.8f * glow + 0.5f * rays + core, 0.0f, 1.0f);
    return colour;
  });
  return c;
}

}  // namespace

std::vector<GeneratedTexture> FinalTextures() {
  return {{"ui/game_final.jpg", FinalScene().ToTga(), true},
          {"ui/varrick_flare.tga", Flare().ToTga(), false}};
}
