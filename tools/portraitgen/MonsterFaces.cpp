#include "tools/portraitgen/MonsterFaces.h"

#include <cmath>
#include <numbers>

#include "tools/portraitgen/Drawing.h"
#include "tools/splashgen/Painting.h"

namespace {

constexpr int kSize = 128;
constexpr float kPi = std::numbers::pi_v<float>;

enum class Head { kSpirit, kBird, kBeast, kImp, kBlob, kInsect, kGolem, kWorm, kDragon, kFrog, kCrystal };

struct Face {
  const char* id;
  Head head;
  Element element;
  int eyes;      // 1, 2 or 3
  int horns;     // 0 none, 1 short, 2 long and curved
  bool fangs;
  bool boss;
  float width;   // head width factor, 0.8 to 1.2
  bool sign = false;  // the element's sign on the body (the hydra's heads)
};

// Every type of the catalogue, each a distinct mix of head, element and features.
const Face kFaces[] = {
    {"wisp", Head::kSpirit, Element::kAir, 2, 0, false, false, 0.85f},
    {"sprite", Head::kImp, Element::kAir, 2, 0, false, false, 0.8f},
    {"harpy", Head::kBird, Element::kAir, 2, 0, false, false, 1.0f},
    {"storm_hawk", Head::kBird, Element::kAir, 2, 1, false, false, 0.85f},
    {"djinn", Head::kSpirit, Element::kAir, 2, 1, true, false, 1.1f},
    {"bloodsucker", Head::kInsect, Element::kAir, 2, 0, true, false, 0.9f},
    {"fire_imp", Head::kImp, Element::kFire, 2, 1, true, false, 0.9f},
    {"salamander", Head::kBeast, Element::kFire, 2, 0, false, false, 0.85f},
    {"hellhound", Head::kBeast, Element::kFire, 2, 1, true, false, 1.05f},
    {"fire_drake", Head::kDragon, Element::kFire, 2, 1, true, false, 0.95f},
    {"efreet", Head::kImp, Element::kFire, 2, 2, false, false, 1.1f},
    {"phoenix", Head::kBird, Element::kFire, 1, 2, false, false, 1.05f},
    {"mudling", Head::kBlob, Element::kEarth, 2, 0, false, false, 1.0f},
    {"stone_beetle", Head::kInsect, Element::kEarth, 2, 1, false, false, 1.1f},
    {"clay_golem", Head::kGolem, Element::kEarth, 2, 0, false, false, 1.0f},
    {"treant", Head::kGolem, Element::kEarth, 2, 2, false, false, 0.9f},
    {"basilisk", Head::kBeast, Element::kEarth, 1, 1, true, false, 1.0f},
    {"sand_larva", Head::kWorm, Element::kEarth, 0, 0, false, false, 0.85f},
    {"midworm", Head::kWorm, Element::kEarth, 2, 0, true, false, 1.0f},
    {"grim_worm", Head::kWorm, Element::kEarth, 3, 1, true, false, 1.15f},
    {"frogling", Head::kFrog, Element::kWater, 2, 0, false, false, 1.0f},
    {"marsh_eel", Head::kWorm, Element::kWater, 2, 0, true, false, 0.8f},
    {"siren", Head::kImp, Element::kWater, 2, 0, false, false, 0.85f},
    {"ice_troll", Head::kGolem, Element::kWater, 1, 1, true, false, 1.15f},
    {"sea_serpent", Head::kDragon, Element::kWater, 2, 0, true, false, 0.85f},
    {"water_elemental", Head::kCrystal, Element::kWater, 2, 0, false, false, 1.0f},
    {"door_keeper", Head::kGolem, Element::kEarth, 1, 0, false, true, 1.1f},
    {"tessort", Head::kImp, Element::kFire, 2, 2, true, true, 1.0f},
    {"sand_king", Head::kInsect, Element::kEarth, 3, 2, true, true, 1.15f},
    {"hydra_body", Head::kDragon, Element::kWater, 2, 2, true, true, 1.1f},
    {"hydra_air", Head::kWorm, Element::kAir, 1, 1, true, true, 0.8f, true},
    {"hydra_fire", Head::kWorm, Element::kFire, 1, 1, true, true, 0.8f, true},
    {"hydra_earth", Head::kWorm, Element::kEarth, 1, 1, true, true, 0.8f, true},
    {"hydra_water", Head::kWorm, Element::kWater, 1, 1, true, true, 0.8f, true},
    {"lich", Head::kSpirit, Element::kWater, 2, 0, true, true, 0.95f},
};

constexpr PointF kCentre = {64, 70};

struct Style {
  Palette p;
  Rgba outline;
};

void FillHead(Canvas& c, const Style& s, const Polygon& shape) {
  FillShaded(c, shape, s.p.light.Scaled(0.95f), s.p.base.Scaled(0.75f), s.outline, 3.0f);
}

// Eyes across the head at height y, `spread` apart; three eyes put one above.
void Eyes(Canvas& c, const Style& s, int count, float y, float spread, float radius) {
  const Rgba white = Rgba::Hex(0xFFF8E8), pupil = Rgba::Hex(0x140C06);
  auto eye = [&](PointF at) {
    SoftDisc(c, at, radius + 1.5f, s.outline);
    SoftDisc(c, at, radius, white);
    SoftDisc(c, {at.x, at.y + radius * 0.15f}, radius * 0.5f, pupil);
  };
  if (count == 1) eye({kCentre.x, y});
  if (count >= 2) {
    eye({kCentre.x - spread, y});
    eye({kCentre.x + spread, y});
  }
  if (count == 3) eye({kCentre.x, y - radius * 2.4f});
}

void Horns(Canvas& c, const Style& s, int kind, float top, float spread) {
  if (kind == 0) return;
  const float length = kind == 1 ? 16.0f : 30.0f;
  const Rgba horn = Rgba::Hex(0xEEE2C4);
  for (float side : {-1.0f, 1.0f}) {
    const PointF root{kCentre.x + side * spread, top + 6};
    const Polygon shape = kind == 1
        ? Polygon{{root.x - 6, root.y}, {root.x + 6, root.y}, {root.x + side * 4, root.y - length}}
        : Polygon{{root.x - 7, root.y + 2}, {root.x + 7, root.y}, {root.x + side * 16, root.y - length * 0.6f},
                  {root.x + side * 22, root.y - length}, {root.x + side * 8, root.y - length * 0.55f}};
    FillShaded(c, shape, horn, horn.Scaled(0.7f), s.outline, 2.0f);
  }
}

void Fangs(Canvas& c, const Style& s, float y, float spread) {
  const Rgba tooth = Rgba::Hex(0xFFFFF0);
  for (float side : {-1.0f, 1.0f}) {
    const float x = kCentre.x + side * spread;
    const Polygon fang = {{x - 4, y}, {x + 4, y}, {x, y + 11}};
    FillShaded(c, fang, tooth, tooth.Scaled(0.85f), s.outline, 1.5f);
  }
}

void Mouth(Canvas& c, const Style& s, float y, float halfWidth) {
  Line(c, {kCentre.x - halfWidth, y}, {kCentre.x, y + 4}, 3.0f, s.outline);
  Line(c, {kCentre.x, y + 4}, {kCentre.x + halfWidth, y}, 3.0f, s.outline);
}

void Crown(Canvas& c, const Style& s, float top) {
  const Rgba gold = Rgba::Hex(0xF4CC50);
  const Polygon crown = {{44, top}, {44, top - 12}, {52, top - 5}, {58, top - 16}, {64, top - 6},
                         {70, top - 16}, {76, top - 5}, {84, top - 12}, {84, top}};
  FillShaded(c, crown, gold, gold.Scaled(0.7f), s.outline, 2.0f);
}

// ---- Heads ---------------------------------------------------------------

// The top half of an ellipse, from its left end over the top to its right.
Polygon UpperArc(PointF centre, float rx, float ry) {
  Polygon arc;
  for (int i = 0; i <= 16; ++i) {
    const float a = kPi + kPi * static_cast<float>(i) / 16.0f;
    arc.push_back({centre.x + rx * std::cos(a), centre.y + ry * std::sin(a)});
  }
  return arc;
}

float DrawSpirit(Canvas& c, const Style& s, const Face& f) {
  Polygon shape = UpperArc({kCentre.x, 62}, 30 * f.width, 32);  // a round top over a wavy tail
  for (int i = 0; i <= 6; ++i) {
    const float x = kCentre.x - 30 * f.width + 60 * f.width * static_cast<float>(6 - i) / 6.0f;
    shape.push_back({x, 100 + (i % 2 == 0 ? 8.0f : -4.0f)});
  }
  FillHead(c, s, shape);
  Eyes(c, s, f.eyes, 60, 11, 6);
  if (f.fangs) Fangs(c, s, 76, 6);
  return 30;
}

float DrawBird(Canvas& c, const Style& s, const Face& f) {
  for (int i = -1; i <= 1; ++i) {  // the crest
    const Polygon feather = Drop({kCentre.x + static_cast<float>(i) * 10, 46}, 6, 30, static_cast<float>(i) * 0.5f, -1);
    FillShaded(c, feather, s.p.base, s.p.base.Scaled(0.6f), s.outline, 2.0f);
  }
  FillHead(c, s, Ellipse(kCentre, 30 * f.width, 28));
  const Polygon beak = {{kCentre.x - 10, 76}, {kCentre.x + 10, 76}, {kCentre.x, 104}};
  FillShaded(c, beak, Rgba::Hex(0xF8D070), Rgba::Hex(0xB07820), s.outline, 2.5f);
  Eyes(c, s, f.eyes, 66, 14, 6.5f);
  return 42;
}

float DrawBeast(Canvas& c, const Style& s, const Face& f) {
  for (float side : {-1.0f, 1.0f}) {  // pointed ears
    const Polygon ear = {{kCentre.x + side * 14, 50}, {kCentre.x + side * 34, 30}, {kCentre.x + side * 32, 62}};
    FillShaded(c, ear, s.p.base, s.p.base.Scaled(0.6f), s.outline, 2.5f);
  }
  FillHead(c, s, Ellipse({kCentre.x, 66}, 32 * f.width, 26));
  FillHead(c, s, Ellipse({kCentre.x, 86}, 18, 14));  // the snout
  SoftDisc(c, {kCentre.x, 80}, 5, s.outline);
  Eyes(c, s, f.eyes, 60, 14, 5.5f);
  if (f.fangs) Fangs(c, s, 94, 8);
  return 44;
}

float DrawImp(Canvas& c, const Style& s, const Face& f) {
  for (float side : {-1.0f, 1.0f}) {  // long ears
    const Polygon ear = {{kCentre.x + side * 24, 62}, {kCentre.x + side * 46, 52}, {kCentre.x + side * 26, 76}};
    FillShaded(c, ear, s.p.base, s.p.base.Scaled(0.6f), s.outline, 2.5f);
  }
  const Polygon head = {{kCentre.x - 26 * f.width, 52}, {kCentre.x + 26 * f.width, 52},
                        {kCentre.x + 22 * f.width, 84}, {kCentre.x, 102}, {kCentre.x - 22 * f.width, 84}};
  FillHead(c, s, head);
  Eyes(c, s, f.eyes, 66, 11, 5.5f);
  Mouth(c, s, 86, 9);
  if (f.fangs) Fangs(c, s, 88, 6);
  return 52;
}

float DrawBlob(Canvas& c, const Style& s, const Face& f) {
  Polygon shape = UpperArc({kCentre.x, 92}, 38 * f.width, 50);
  for (int i = 0; i < 12; ++i) {  // drips along the bottom
    const float x = kCentre.x - 38 * f.width + 76 * f.width * static_cast<float>(12 - i) / 12.0f;
    shape.push_back({x, i % 3 == 1 ? 112.0f : 100.0f});
  }
  FillHead(c, s, shape);
  Eyes(c, s, f.eyes, 72, 13, 7);
  Mouth(c, s, 90, 12);
  return 44;
}

float DrawInsect(Canvas& c, const Style& s, const Face& f) {
  for (float side : {-1.0f, 1.0f}) {  // antennae and mandibles
    Line(c, {kCentre.x + side * 10, 48}, {kCentre.x + side * 26, 22}, 3, s.outline);
    SoftDisc(c, {kCentre.x + side * 26, 22}, 4, s.p.light);
    const Polygon mandible = {{kCentre.x + side * 8, 92}, {kCentre.x + side * 24, 88}, {kCentre.x + side * 6, 110}};
    FillShaded(c, mandible, s.p.base, s.p.dark, s.outline, 2);
  }
  FillHead(c, s, Ellipse(kCentre, 34 * f.width, 30));
  Line(c, {kCentre.x, 42}, {kCentre.x, 62}, 2.5f, s.outline);  // the shell's seam
  Eyes(c, s, f.eyes, 72, 16, 7);
  return 40;
}

float DrawGolem(Canvas& c, const Style& s, const Face& f) {
  const float w = 30 * f.width;
  const Polygon head = {{kCentre.x - w, 42}, {kCentre.x + w, 42}, {kCentre.x + w + 4, 104}, {kCentre.x - w - 4, 104}};
  FillHead(c, s, head);
  Line(c, {kCentre.x - w + 6, 58}, {kCentre.x + w - 6, 58}, 5, s.outline);  // the brow
  Eyes(c, s, f.eyes, 70, 13, 5.5f);
  const Polygon mouth = {{kCentre.x - 14, 88}, {kCentre.x + 14, 88}, {kCentre.x + 14, 94}, {kCentre.x - 14, 94}};
  c.FillPolygon(mouth, s.outline);
  if (f.fangs) Fangs(c, s, 94, 10);
  return 42;
}

float DrawWorm(Canvas& c, const Style& s, const Face& f) {
  for (int ring = 2; ring >= 0; --ring) {  // body rings behind the head
    const float r = 26.0f * f.width + static_cast<float>(ring) * 5;
    FillHead(c, s, Ellipse({kCentre.x, 78 + static_cast<float>(ring) * 8}, r, r * 0.75f));
  }
  SoftDisc(c, {kCentre.x, 76}, 15, s.outline);  // the round maw
  SoftDisc(c, {kCentre.x, 76}, 11, Rgba::Hex(0x3A0E0E));
  if (f.fangs) {
    for (int i = 0; i < 6; ++i) {
      const float a = kPi * 2 * static_cast<float>(i) / 6;
      const PointF at{kCentre.x + 12 * std::cos(a), 76 + 12 * std::sin(a)};
      const Polygon tooth = {{at.x - 3, at.y}, {at.x + 3, at.y}, {kCentre.x + 5 * std::cos(a), 76 + 5 * std::sin(a)}};
      c.FillPolygon(tooth, Rgba::Hex(0xFFF8E0));
    }
  }
  Eyes(c, s, f.eyes, 52, 16, 5);
  return 40;
}

float DrawDragon(Canvas& c, const Style& s, const Face& f) {
  const float w = 28 * f.width;
  const Polygon head = {{kCentre.x - w, 50}, {kCentre.x + w, 50}, {kCentre.x + w + 6, 70},
                        {kCentre.x + 18, 106}, {kCentre.x - 18, 106}, {kCentre.x - w - 6, 70}};
  FillHead(c, s, head);
  for (float side : {-1.0f, 1.0f}) {  // nostrils and spines
    SoftDisc(c, {kCentre.x + side * 8, 98}, 3, s.outline);
    const Polygon spine = {{kCentre.x + side * (w + 6), 70}, {kCentre.x + side * (w + 18), 64}, {kCentre.x + side * (w + 4), 58}};
    FillShaded(c, spine, s.p.base, s.p.dark, s.outline, 2);
  }
  Eyes(c, s, f.eyes, 66, 15, 5.5f);
  if (f.fangs) Fangs(c, s, 104, 12);
  return 50;
}

float DrawFrog(Canvas& c, const Style& s, const Face& f) {
  FillHead(c, s, Ellipse({kCentre.x, 80}, 42 * f.width, 26));
  for (float side : {-1.0f, 1.0f}) FillHead(c, s, Ellipse({kCentre.x + side * 20, 56}, 13, 13));
  Eyes(c, s, 2, 55, 20, 7);
  Line(c, {kCentre.x - 26, 88}, {kCentre.x + 26, 88}, 3, s.outline);
  return 43;
}

float DrawCrystal(Canvas& c, const Style& s, const Face& f) {
  const Polygon gem = {{kCentre.x, 30}, {kCentre.x + 34 * f.width, 62}, {kCentre.x + 22, 108},
                       {kCentre.x - 22, 108}, {kCentre.x - 34 * f.width, 62}};
  FillHead(c, s, gem);
  Line(c, {kCentre.x, 30}, {kCentre.x, 108}, 2, s.p.light);
  Line(c, {kCentre.x - 34 * f.width, 62}, {kCentre.x + 34 * f.width, 62}, 2, s.p.light);
  Eyes(c, s, f.eyes, 76, 12, 5.5f);
  return 30;
}

float DrawHead(Canvas& c, const Style& s, const Face& f) {
  switch (f.head) {
    case Head::kSpirit: return DrawSpirit(c, s, f);
    case Head::kBird: return DrawBird(c, s, f);
    case Head::kBeast: return DrawBeast(c, s, f);
    case Head::kImp: return DrawImp(c, s, f);
    case Head::kBlob: return DrawBlob(c, s, f);
    case Head::kInsect: return DrawInsect(c, s, f);
    case Head::kGolem: return DrawGolem(c, s, f);
    case Head::kWorm: return DrawWorm(c, s, f);
    case Head::kDragon: return DrawDragon(c, s, f);
    case Head::kFrog: return DrawFrog(c, s, f);
    case Head::kCrystal: return DrawCrystal(c, s, f);
  }
  return 40;
}

TgaImage DrawFace(const Face& f) {
  Canvas canvas(kSize, kSize);
  Card(canvas, f.element, f.boss);
  const Style style{PaletteOf(f.element), PaletteOf(f.element).dark.Scaled(0.7f)};
  RadialLight(canvas, {64, 64}, 56, 56, style.p.light, 0.18f);
  // Horns go behind the head; the head tells where its top is.
  Canvas probe(kSize, kSize);
  const float top = DrawHead(probe, style, f);
  Horns(canvas, style, f.horns, top, 18 * f.width);
  DrawHead(canvas, style, f);
  if (f.boss) Crown(canvas, style, top + 2);
  if (f.sign) ElementBadge(canvas, f.element, {64, 104}, 30);
  ElementBadge(canvas, f.element, {108, 108}, 24);
  return canvas.ToTga();
}

}  // namespace

std::vector<MonsterFace> DrawMonsterFaces() {
  std::vector<MonsterFace> faces;
  for (const Face& face : kFaces) faces.push_back({face.id, DrawFace(face)});
  return faces;
}
