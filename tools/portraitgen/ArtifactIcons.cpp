#include "tools/portraitgen/ArtifactIcons.h"

#include <cmath>
#include <functional>
#include <numbers>

#include "tools/portraitgen/Drawing.h"
#include "tools/splashgen/Painting.h"

namespace {

constexpr int kSize = 64;
constexpr float kPi = std::numbers::pi_v<float>;
const Rgba kInk = Rgba::Hex(0x1A120C);
const Rgba kGold = Rgba::Hex(0xF2C850);
const Rgba kSteel = Rgba::Hex(0xC8CCD4);
const Rgba kBone = Rgba::Hex(0xEEE4C8);

using Painter = std::function<void(Canvas&, const Palette&)>;

struct Icon {
  const char* name;
  Element element;
  Painter paint;
};

void Shape(Canvas& c, const Polygon& polygon, const Rgba& colour) {
  FillShaded(c, polygon, colour, colour.Scaled(0.6f), kInk, 2);
}

void Ring(Canvas& c, PointF centre, float radius, float thickness, const Rgba& colour) {
  SoftDisc(c, centre, radius + thickness * 0.5f + 1.5f, kInk);
  SoftDisc(c, centre, radius + thickness * 0.5f, colour);
  SoftDisc(c, centre, radius - thickness * 0.5f, kInk);
}

void Gem(Canvas& c, PointF at, float size, const Palette& p) {
  Shape(c, RegularPolygon(at, size, 4, kPi / 4), p.light);
}

void Feather(Canvas& c, const Palette& p) {
  Shape(c, Drop({26, 40}, 9, 34, 0.5f, -1), p.base);
  Line(c, {18, 54}, {40, 14}, 2, kInk);
}

void Cord(Canvas& c) {
  Line(c, {16, 8}, {32, 30}, 2, Rgba::Hex(0x6A4A2A));
  Line(c, {48, 8}, {32, 30}, 2, Rgba::Hex(0x6A4A2A));
}

const Icon kIcons[] = {
    {"feather_charm", Element::kAir, [](Canvas& c, const Palette& p) {
       Feather(c, p);
       SoftDisc(c, {20, 50}, 5, kGold);
     }},
    {"ember_ring", Element::kFire, [](Canvas& c, const Palette& p) {
       Ring(c, {32, 38}, 14, 6, kGold);
       Gem(c, {32, 22}, 8, p);
     }},
    {"stone_amulet", Element::kEarth, [](Canvas& c, const Palette& p) {
       Cord(c);
       Shape(c, RegularPolygon({32, 40}, 14, 6, 0), p.base);
     }},
    {"tear_pendant", Element::kWater, [](Canvas& c, const Palette& p) {
       Cord(c);
       Shape(c, Drop({32, 44}, 10, 20, 0, -1), p.base);
     }},
    {"healing_herb", Element::kEarth, [](Canvas& c, const Palette& p) {
       Line(c, {32, 58}, {32, 20}, 3, Rgba::Hex(0x3A6A20));
       for (float side : {-1.0f, 1.0f}) {
         Shape(c, Drop({32 + side * 10, 40}, 6, 16, side, -0.6f), p.base);
         Shape(c, Drop({32 + side * 8, 26}, 5, 13, side, -0.8f), p.light);
       }
     }},
    {"iron_shield", Element::kNone, [](Canvas& c, const Palette&) {
       Shape(c, {{12, 10}, {52, 10}, {50, 36}, {32, 56}, {14, 36}}, kSteel);
       Line(c, {32, 14}, {32, 50}, 3, kInk);
       Line(c, {16, 26}, {48, 26}, 3, kInk);
     }},
    {"war_gauntlet", Element::kFire, [](Canvas& c, const Palette& p) {
       Shape(c, {{18, 58}, {18, 30}, {22, 14}, {28, 14}, {30, 24}, {34, 12}, {40, 12}, {42, 24}, {46, 16},
                 {50, 18}, {48, 34}, {44, 58}}, kSteel);
       Line(c, {18, 50}, {44, 50}, 4, p.base);
     }},
    {"storm_crown", Element::kAir, [](Canvas& c, const Palette& p) {
       Shape(c, {{10, 48}, {10, 22}, {20, 34}, {26, 14}, {32, 30}, {38, 14}, {44, 34}, {54, 22}, {54, 48}}, kGold);
       Gem(c, {32, 40}, 6, p);
     }},
    {"hourglass", Element::kEarth, [](Canvas& c, const Palette& p) {
       Line(c, {14, 10}, {50, 10}, 4, Rgba::Hex(0x7A5230));
       Line(c, {14, 54}, {50, 54}, 4, Rgba::Hex(0x7A5230));
       Shape(c, {{18, 12}, {46, 12}, {34, 32}, {46, 52}, {18, 52}, {30, 32}}, Rgba::Hex(0xDCEEF4));
       Shape(c, {{22, 52}, {42, 52}, {32, 40}}, p.light);
     }},
    {"sun_disc", Element::kAir, [](Canvas& c, const Palette& p) {
       Shape(c, Star({32, 32}, 28, 16, 12, 0), p.base);
       SoftDisc(c, {32, 32}, 13, kInk);
       SoftDisc(c, {32, 32}, 11, p.light);
     }},
    {"flame_sword", Element::kFire, [](Canvas& c, const Palette& p) {
       Shape(c, {{44, 8}, {50, 14}, {24, 42}, {20, 38}}, kSteel);
       Line(c, {14, 36}, {28, 50}, 5, kGold);
       Line(c, {20, 44}, {10, 54}, 4, Rgba::Hex(0x6A3A1A));
       Shape(c, Drop({38, 24}, 5, 16, 0.3f, -1), p.base);
     }},
    {"frost_orb", Element::kWater, [](Canvas& c, const Palette& p) {
       SoftDisc(c, {32, 30}, 20, kInk);
       SoftDisc(c, {32, 30}, 18, p.base);
       SoftDisc(c, {25, 23}, 6, p.light);
       Shape(c, {{20, 48}, {44, 48}, {40, 58}, {24, 58}}, kSteel);
     }},
    {"root_staff", Element::kEarth, [](Canvas& c, const Palette& p) {
       Line(c, {18, 58}, {42, 14}, 5, Rgba::Hex(0x7A5230));
       for (float a : {-0.9f, 0.0f, 0.9f}) Line(c, {42, 14}, {42 + 10 * std::sin(a), 14 - 10 * std::cos(a)}, 3, p.base);
       SoftDisc(c, {42, 14}, 5, p.light);
     }},
    {"serpent_ring", Element::kWater, [](Canvas& c, const Palette& p) {
       Ring(c, {32, 34}, 16, 7, p.base);
       Shape(c, Drop({46, 22}, 6, 14, 1, -1), p.base);
       SoftDisc(c, {47, 21}, 1.5f, kInk);
     }},
    {"mirror_shard", Element::kWater, [](Canvas& c, const Palette& p) {
       Shape(c, {{22, 8}, {46, 16}, {40, 50}, {28, 58}, {16, 30}}, Rgba::Hex(0xE4F2FF));
       Line(c, {24, 20}, {38, 40}, 2, p.light);
     }},
    {"keeper_key", Element::kEarth, [](Canvas& c, const Palette&) {
       Ring(c, {20, 20}, 9, 5, kGold);
       Line(c, {26, 26}, {52, 52}, 5, kGold);
       Line(c, {44, 44}, {38, 50}, 4, kGold);
       Line(c, {50, 50}, {44, 56}, 4, kGold);
     }},
    {"bone_totem", Element::kFire, [](Canvas& c, const Palette& p) {
       Shape(c, {{24, 58}, {24, 30}, {40, 30}, {40, 58}}, kBone);
       Shape(c, Ellipse({32, 20}, 14, 13), kBone);
       SoftDisc(c, {27, 20}, 3.5f, p.base);
       SoftDisc(c, {37, 20}, 3.5f, p.base);
     }},
    {"dragon_scale", Element::kFire, [](Canvas& c, const Palette& p) {
       Shape(c, {{32, 6}, {54, 24}, {46, 52}, {32, 58}, {18, 52}, {10, 24}}, p.base);
       Line(c, {32, 12}, {32, 52}, 2, p.light);
       Line(c, {18, 28}, {32, 40}, 2, p.light);
       Line(c, {46, 28}, {32, 40}, 2, p.light);
     }},
    {"hydra_heart", Element::kWater, [](Canvas& c, const Palette& p) {
       Polygon heart;
       for (int i = 0; i < 48; ++i) {
         const float t = 2 * kPi * static_cast<float>(i) / 48;
         const float x = 16 * std::pow(std::sin(t), 3.0f);
         const float y = 13 * std::cos(t) - 5 * std::cos(2 * t) - 2 * std::cos(3 * t) - std::cos(4 * t);
         heart.push_back({32 + x * 1.3f, 30 - y * 1.3f});
       }
       Shape(c, heart, Rgba::Hex(0xC02838));
       Line(c, {32, 14}, {32, 4}, 3, p.base);
       Line(c, {26, 16}, {20, 6}, 3, p.base);
       Line(c, {38, 16}, {44, 6}, 3, p.base);
     }},
};

TgaImage Draw(const Icon& icon) {
  Canvas canvas(kSize, kSize);
  const Palette palette = PaletteOf(icon.element);
  Card(canvas, icon.element, false);
  RadialLight(canvas, {32, 30}, 30, 30, palette.light, 0.25f);
  icon.paint(canvas, palette);
  return canvas.ToTga();
}

}  // namespace

std::vector<ArtifactIcon> DrawArtifactIcons() {
  std::vector<ArtifactIcon> icons;
  for (const Icon& icon : kIcons) icons.push_back({icon.name, Draw(icon)});
  return icons;
}
