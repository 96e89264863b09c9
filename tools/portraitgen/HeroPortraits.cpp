#include "tools/portraitgen/HeroPortraits.h"

#include "tools/portraitgen/Drawing.h"
#include "tools/splashgen/Painting.h"

namespace {

constexpr int kSize = 128;
constexpr float kMid = 64;

enum class Race { kSylph, kEmberkin, kStoneborn, kTidecaller, kWanderer };

struct Portrait {
  const char* name;
  Race race;
  Element element;
  bool female;
};

const Portrait kPortraits[] = {
    {"sylph_male", Race::kSylph, Element::kAir, false},
    {"sylph_female", Race::kSylph, Element::kAir, true},
    {"emberkin_male", Race::kEmberkin, Element::kFire, false},
    {"emberkin_female", Race::kEmberkin, Element::kFire, true},
    {"stoneborn_male", Race::kStoneborn, Element::kEarth, false},
    {"stoneborn_female", Race::kStoneborn, Element::kEarth, true},
    {"tidecaller_male", Race::kTidecaller, Element::kWater, false},
    {"tidecaller_female", Race::kTidecaller, Element::kWater, true},
    {"wanderer", Race::kWanderer, Element::kNone, false},
};

const Rgba kSkin = Rgba::Hex(0xE8C4A0);
const Rgba kInk = Rgba::Hex(0x1E140E);

struct Look {
  Palette p;
  Rgba hair;
};

void Shoulders(Canvas& c, const Look& look) {
  const Polygon body = {{18, 128}, {26, 100}, {48, 90}, {80, 90}, {102, 100}, {110, 128}};
  FillShaded(c, body, look.p.base, look.p.base.Scaled(0.55f), kInk, 3);
  const Polygon collar = {{50, 90}, {78, 90}, {64, 106}};
  FillShaded(c, collar, look.p.light, look.p.base, kInk, 2);
}

void LongHair(Canvas& c, const Look& look) {
  const Polygon hair = {{36, 50}, {46, 30}, {82, 30}, {92, 50}, {96, 100}, {84, 104}, {44, 104}, {32, 100}};
  FillShaded(c, hair, look.hair, look.hair.Scaled(0.7f), kInk, 2.5f);
}

void Face(Canvas& c, bool female) {
  FillShaded(c, Ellipse({kMid, 62}, female ? 19.0f : 21.0f, 25), kSkin, kSkin.Scaled(0.85f), kInk, 2.5f);
  for (float side : {-1.0f, 1.0f}) {
    SoftDisc(c, {kMid + side * 8, 60}, 3, kInk);
    Line(c, {kMid + side * 13, 52}, {kMid + side * 4, 53}, 2, kInk);  // brows
  }
  Line(c, {kMid, 62}, {kMid - 2, 70}, 2, kSkin.Scaled(0.6f));
  Line(c, {kMid - 6, 76}, {kMid + 6, 76}, 2, Rgba::Hex(0x8A3A30));
}

void Beard(Canvas& c, const Look& look, float length) {
  const Polygon beard = {{44, 68}, {84, 68}, {80, 80 + length * 0.5f}, {kMid, 80 + length}, {48, 80 + length * 0.5f}};
  FillShaded(c, beard, look.hair, look.hair.Scaled(0.7f), kInk, 2);
  SoftDisc(c, {kMid, 76}, 4, Rgba::Hex(0x8A3A30));
}

void SylphGear(Canvas& c, const Look& look, bool female) {
  for (float side : {-1.0f, 1.0f}) {  // feathered, pointed ears
    const Polygon ear = {{kMid + side * 18, 56}, {kMid + side * 40, 36}, {kMid + side * 20, 68}};
    FillShaded(c, ear, kSkin, kSkin.Scaled(0.8f), kInk, 2);
    const Polygon feather = Drop({kMid + side * 24, 36}, 5, 26, side * 0.6f, -1);
    FillShaded(c, feather, look.p.light, look.p.base, kInk, 2);
  }
  if (!female) {
    const Polygon fringe = {{44, 48}, {50, 34}, {78, 34}, {84, 48}, {70, 42}, {58, 44}};
    FillShaded(c, fringe, look.hair, look.hair.Scaled(0.7f), kInk, 2);
  }
}

void EmberkinGear(Canvas& c, const Look& look) {
  for (float side : {-1.0f, 1.0f}) {  // curled horns
    const Polygon horn = {{kMid + side * 12, 42}, {kMid + side * 20, 40}, {kMid + side * 34, 24},
                          {kMid + side * 30, 14}, {kMid + side * 26, 26}};
    FillShaded(c, horn, Rgba::Hex(0xF0E4C8), Rgba::Hex(0x9A8460), kInk, 2);
  }
  for (int i = -2; i <= 2; ++i) {  // hair of flame
    const Polygon flame = Drop({kMid + static_cast<float>(i) * 7, 42}, 6, 22, static_cast<float>(i) * 0.25f, -1);
    FillShaded(c, flame, look.p.light, look.p.base, kInk, 1.5f);
  }
}

void StonebornGear(Canvas& c, const Look& look, bool female) {
  if (female) {
    for (float side : {-1.0f, 1.0f}) {  // braids
      for (int k = 0; k < 4; ++k)
        SoftDisc(c, {kMid + side * 24, 70 + static_cast<float>(k) * 9}, 5.5f, look.hair);
    }
  }
  const Polygon helm = {{38, 52}, {40, 30}, {88, 30}, {90, 52}, {80, 50}, {80, 42}, {48, 42}, {48, 50}};
  FillShaded(c, helm, Rgba::Hex(0xC8C8C0), Rgba::Hex(0x6E6E68), kInk, 2.5f);
  const Polygon gem = RegularPolygon({kMid, 36}, 5, 4, 0.785f);
  FillShaded(c, gem, look.p.light, look.p.base, kInk, 1.5f);
}

void TidecallerGear(Canvas& c, const Look& look, bool female) {
  // A hood whose rim breaks like a wave.
  const Polygon hood = {{30, 100}, {34, 50}, {48, 26}, {kMid, 20}, {86, 28}, {96, 44}, {86, 40},
                        {92, 56}, {98, 100}, {86, 100}, {86, 56}, {kMid, 34}, {42, 56}, {42, 100}};
  FillShaded(c, hood, look.p.base, look.p.dark, kInk, 2.5f);
  if (female) {
    for (int i = 0; i < 3; ++i) SoftDisc(c, {52.0f + static_cast<float>(i) * 12, 40}, 3, Rgba::Hex(0xF4F0FF));
  }
}

void WandererGear(Canvas& c, const Look& look) {
  const Polygon brim = Ellipse({kMid, 42}, 46, 8);
  FillShaded(c, brim, look.p.base, look.p.base.Scaled(0.6f), kInk, 2.5f);
  const Polygon crown = {{44, 42}, {48, 16}, {kMid, 12}, {80, 16}, {84, 42}};
  FillShaded(c, crown, look.p.base.Scaled(1.1f), look.p.base.Scaled(0.7f), kInk, 2.5f);
  Line(c, {45, 36}, {83, 36}, 4, Rgba::Hex(0xB03828));
}

Rgba HairOf(Race race) {
  switch (race) {
    case Race::kSylph: return Rgba::Hex(0xF6E8B0);
    case Race::kEmberkin: return Rgba::Hex(0x8A2010);
    case Race::kStoneborn: return Rgba::Hex(0x6A4A2A);
    case Race::kTidecaller: return Rgba::Hex(0x203A60);
    case Race::kWanderer: return Rgba::Hex(0x8A8A8A);
  }
  return kInk;
}

TgaImage Draw(const Portrait& portrait) {
  Canvas c(kSize, kSize);
  Card(c, portrait.element, false);
  const Look look{PaletteOf(portrait.element), HairOf(portrait.race)};
  RadialLight(c, {64, 56}, 60, 60, look.p.light, 0.2f);
  if (portrait.female && portrait.race != Race::kStoneborn && portrait.race != Race::kTidecaller) LongHair(c, look);
  Shoulders(c, look);
  Face(c, portrait.female);
  if (!portrait.female && portrait.race == Race::kStoneborn) Beard(c, look, 26);
  if (!portrait.female && portrait.race == Race::kWanderer) Beard(c, look, 12);
  if (!portrait.female && portrait.race == Race::kTidecaller) Beard(c, look, 6);
  if (!portrait.female && portrait.race == Race::kEmberkin) Beard(c, look, 16);
  switch (portrait.race) {
    case Race::kSylph: SylphGear(c, look, portrait.female); break;
    case Race::kEmberkin: EmberkinGear(c, look); break;
    case Race::kStoneborn: StonebornGear(c, look, portrait.female); break;
    case Race::kTidecaller: TidecallerGear(c, look, portrait.female); break;
    case Race::kWanderer: WandererGear(c, look); break;
  }
  ElementBadge(c, portrait.element, {108, 108}, 24);
  return c.ToTga();
}

}  // namespace

std::vector<HeroPortrait> DrawHeroPortraits() {
  std::vector<HeroPortrait> portraits;
  for (const Portrait& portrait : kPortraits) portraits.push_back({portrait.name, Draw(portrait)});
  return portraits;
}
