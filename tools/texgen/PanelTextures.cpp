#include "tools/texgen/PanelTextures.h"

#include <cmath>
#include <cstdint>
#include <numbers>
#include <utility>

#include "tools/texgen/Canvas.h"
#include "tools/texgen/UiTextures.h"

namespace {

using namespace palette;

constexpr float kPi = std::numbers::pi_v<float>;
const Colour kParchment{0.94f, 0.89f, 0.76f, 1};
const Colour kParchmentDark{0.84f, 0.76f, 0.60f, 1};
const Colour kInk{0.30f, 0.22f, 0.14f, 1};
const Colour kElements[4] = {kAir, kFire, kEarth, kWater};

const Canvas::Inside kEverywhere = [](float, float) { return true; };

// Parchment with soft blotches and fine fibres.
Colour ParchmentAt(float x, float y) {
  const float blotch = 0.6f * Noise(x, y, 90, 1) + 0.4f * Noise(x, y, 23, 2);
  const float fibre = Noise(x * 0.25f, y * 3.0f, 6, 3);
  return Brighter(Mix(kParchment, kParchmentDark, blotch * 0.7f), 1.0f - 0.05f * fibre);
}

// The part of `outer` outside `inner`.
Canvas::Inside Ring(Canvas::Inside outer, Canvas::Inside inner) {
  return [outer = std::move(outer), inner = std::move(inner)](float x, float y) { return outer(x, y) && !inner(x, y); };
}

// A flat copy of the canvas over a background colour, for JPEG files.
TgaImage Opaque(const Canvas& canvas, const Colour& background) {
  Canvas flat(canvas.width, canvas.height);
  flat.Fill(0, 0, flat.width, flat.height, kEverywhere, background);
  TgaImage top = canvas.ToTga();
  TgaImage out = flat.ToTga();
  for (std::size_t i = 0; i < out.bgra.size(); i += 4) {
    const float a = top.bgra[i + 3] / 255.0f;
    for (std::size_t k = 0; k < 3; ++k)
      out.bgra[i + k] = static_cast<std::uint8_t>(std::lround(top.bgra[i + k] * a + out.bgra[i + k] * (1 - a)));
    out.bgra[i + 3] = 255;
  }
  return out;
}

// A framed area of the background: a faint shadow, a gold rim and a
// lighter or darker inside, in UI units scaled to texels.
void Area(Canvas& c, float s, float x0, float y0, float x1, float y1, const Colour& inside) {
  c.Fill(static_cast<int>(x0 * s), static_cast<int>(y0 * s), static_cast<int>(x1 * s + 8), static_cast<int>(y1 * s + 8),
         RoundedBox(x0 * s + 4, y0 * s + 4, x1 * s + 4, y1 * s + 4, 14), Colour{0.25f, 0.18f, 0.1f, 0.25f});
  Panel(c, x0 * s, y0 * s, x1 * s, y1 * s, 14, 3, Brighter(kRim, 0.75f), inside, Brighter(inside, 0.94f), 0);
}

// The whole panel behind the controls: UI units map to texels by 1.024, and
// only the top 0.625 of the texture shows.
Canvas Background() {
  constexpr float s = 1.024f;
  Canvas c(1024, 1024);
  c.Fill(0, 0, 1024, 1024, kEverywhere, [](float x, float y) { return ParchmentAt(x, y); });
  const Canvas::Inside shown = RoundedBox(0, 0, 1024, 640, 0);
  c.Fill(0, 0, 1024, 641, Ring(shown, RoundedBox(7, 7, 1017, 633, 8)), kNight);
  c.Fill(0, 0, 1024, 641, Ring(RoundedBox(7, 7, 1017, 633, 8), RoundedBox(10, 10, 1014, 630, 6)), kRim);
  Area(c, s, 14, 18, 470, 200, Brighter(kParchment, 1.03f));   // the hero
  Area(c, s, 20, 29, 175, 184, Brighter(kNight, 1.6f));        // the portrait's frame
  Area(c, s, 595, 16, 988, 252, Brighter(kParchment, 1.04f));  // the information card and its button
  Area(c, s, 5, 296, 995, 571, Mix(kParchment, kParchmentDark, 0.35f));  // the slots
  for (int e = 0; e < 4; ++e) ElementMark(c, e, 488 * s, (40 + 50 * static_cast<float>(e)) * s, 13);
  return c;
}

// The ornament between the left column and the grid of the list tabs: a
// gold stem with the four element marks, transparent around it.
Canvas ListDivider() {
  Canvas c(128, 256);
  c.Fill(60, 8, 68, 248, RoundedBox(61, 8, 67, 248, 3), Brighter(kRim, 0.8f));
  for (int e = 0; e < 4; ++e) {
    const float y = 38 + 60 * static_cast<float>(e);
    c.Fill(40, static_cast<int>(y) - 24, 88, static_cast<int>(y) + 24, Disc(64, y, 21), Brighter(kRim, 0.8f));
    c.Fill(40, static_cast<int>(y) - 24, 88, static_cast<int>(y) + 24, Disc(64, y, 18), kParchment);
    ElementMark(c, e, 64, y, 12);
  }
  return c;
}

// A tab's box: rounded above, open below, in a light tint of its element
// with its mark in the left cap.
Canvas TabBox(int element) {
  Canvas c(128, 128);
  const Colour body = Mix(kElements[element], Colour{1, 1, 1, 1}, 0.6f);
  Panel(c, 2, 2, 126, 170, 30, 4, Brighter(kElements[element], 0.7f), Brighter(body, 1.05f), Brighter(body, 0.85f),
        0.25f);
  ElementMark(c, element, 17, 56, 10);
  return c;
}

// The frame of a slot: a gold rim around a faint, darker inside.
Canvas SlotFrame() {
  Canvas c(128, 128);
  const Canvas::Inside inner = RoundedBox(9, 9, 119, 119, 11);
  c.Fill(0, 0, 128, 128, inner, Colour{0.35f, 0.25f, 0.12f, 0.18f});
  c.Fill(0, 0, 128, 128, Ring(RoundedBox(3, 3, 125, 125, 16), inner),
         Gradient(Brighter(kRim, 1.05f), Brighter(kRim, 0.7f), 3, 125));
  return c;
}

std::vector<std::pair<float, float>> StarCorners(float cx, float cy, float outer, float inner, int points) {
  std::vector<std::pair<float, float>> corners;
  for (int i = 0; i < 2 * points; ++i) {
    const float r = i % 2 == 0 ? outer : inner;
    const float a = -kPi / 2 + kPi * static_cast<float>(i) / static_cast<float>(points);
    corners.emplace_back(cx + r * std::cos(a), cy + r * std::sin(a));
  }
  return corners;
}

// Experience: a five-pointed gold star with a dark edge.
Canvas Star() {
  Canvas c(64, 64);
  c.Fill(0, 0, 64, 64, Polygon(StarCorners(32, 34, 31, 13, 5)), kInk);
  c.Fill(0, 0, 64, 64, Polygon(StarCorners(32, 34, 26, 10.5f, 5)), Gradient(Brighter(kAir, 1.2f), kAir, 8, 56));
  return c;
}

// Gold: a coin with a raised rim and a diamond stamped in its middle.
Canvas Coin() {
  Canvas c(64, 64);
  c.Fill(0, 0, 64, 64, Disc(32, 32, 30), kInk);
  c.Fill(0, 0, 64, 64, Disc(32, 32, 27), Gradient(Brighter(kAir, 1.25f), Brighter(kAir, 0.8f), 5, 59));
  c.Fill(0, 0, 64, 64, Disc(32, 32, 20), Gradient(Brighter(kAir, 0.85f), Brighter(kAir, 1.15f), 12, 52));
  c.Fill(0, 0, 64, 64, Polygon({{32, 19}, {45, 32}, {32, 45}, {19, 32}}), Brighter(kAir, 0.7f));
  return c;
}

// The skill button's icon: a plus.
void PlusIcon(Canvas& c, float cx, float cy, const Colour& colour) {
  const int x0 = static_cast<int>(cx) - 20, y0 = static_cast<int>(cy) - 20;
  c.Fill(x0, y0, x0 + 41, y0 + 41, RoundedBox(cx - 17, cy - 5, cx + 17, cy + 5, 2), colour);
  c.Fill(x0, y0, x0 + 41, y0 + 41, RoundedBox(cx - 5, cy - 17, cx + 5, cy + 17, 2), colour);
}

// The bar of the progress bars: a white tube lit from above, drawn in the
// shader's dark colour for the whole bar and tinted for the filled part.
Canvas BarTube() {
  Canvas c(128, 32);
  c.Fill(0, 0, 128, 32, RoundedBox(0, 0, 128, 32, 5), Colour{0.55f, 0.55f, 0.55f, 1});
  c.Fill(0, 0, 128, 32, RoundedBox(2, 2, 126, 30, 4),
         [](float, float y) {
           const float t = std::fabs(y - 11) / 19;
           return Brighter(Colour{1, 1, 1, 1}, 1.0f - 0.45f * t * t);
         });
  return c;
}

// The skill glow: eight soft gold rays around a bright middle.
Canvas StarGlow() {
  Canvas c(128, 128);
  for (int ring = 0; ring < 10; ++ring) {
    const float r = 60.0f - static_cast<float>(ring) * 5.0f;
    c.Fill(0, 0, 128, 128, Polygon(StarCorners(64, 64, r, r * 0.32f, 8)),
           Colour{kRim.r, kRim.g, kRim.b, 0.06f + 0.02f * static_cast<float>(ring)});
  }
  return c;
}

// The turning background: muted swirls of the four element colours over
// night blue. Every wave has a whole number of periods across the texture,
// so it repeats seamlessly when turned and zoomed.
Canvas TurningBackground() {
  constexpr int kSize = 512;
  Canvas c(kSize, kSize);
  const float waves[4][3] = {{2, 1, 0.3f}, {-1, 2, 1.7f}, {1, -2, 4.1f}, {1, 1, 2.6f}};
  c.Fill(0, 0, kSize, kSize, kEverywhere, [&waves](float x, float y) {
    Colour colour = Brighter(kNight, 1.2f);
    for (int e = 0; e < 4; ++e) {
      const float phase = 2 * kPi * (waves[e][0] * x + waves[e][1] * y) / kSize + waves[e][2];
      const float swirl = 2 * kPi * (waves[(e + 1) % 4][1] * x - waves[(e + 2) % 4][0] * y) / kSize;
      const float v = 0.5f + 0.5f * std::sin(phase + 0.6f * std::sin(swirl));
      colour = Mix(colour, kElements[e], 0.22f * v * v * v);
    }
    return colour;
  });
  return c;
}

}  // namespace

std::vector<GeneratedTexture> PanelTextures() {
  std::vector<GeneratedTexture> textures;
  const auto add = [&textures](const char* name, const Canvas& canvas) {
    textures.push_back({name, canvas.ToTga(), false});
  };
  const auto addJpeg = [&textures](const char* name, const Canvas& canvas) {
    textures.push_back({name, Opaque(canvas, kParchment), true});
  };
  addJpeg("ui/panel.jpg", Background());
  add("ui/panel_lists.tga", ListDivider());
  const char* tabs[4] = {"ui/bm1.tga", "ui/bm2.tga", "ui/bm3.tga", "ui/bm4.tga"};
  for (int e = 0; e < 4; ++e) add(tabs[e], TabBox(e));
  add("slotsel.tga", SlotFrame());
  add("star.tga", Star());
  add("gold.tga", Coin());
  add("ui/button_skill.tga", ButtonQuarters(PlusIcon));
  addJpeg("ui/sbar.jpg", ScrollTrack());
  addJpeg("ui/button_up.jpg", ButtonQuarters(UpIcon));
  addJpeg("ui/button_down.jpg", ButtonQuarters(DownIcon));
  add("ui/pbar.tga", BarTube());
  add("ui/star_effect.tga", StarGlow());
  addJpeg("ui/tileset_back.jpg", TurningBackground());
  return textures;
}
