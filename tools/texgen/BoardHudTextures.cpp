#include "tools/texgen/BoardHudTextures.h"

#include <array>
#include <cmath>
#include <string>
#include <utility>

#include "tools/texgen/Canvas.h"
#include "tools/texgen/UiTextures.h"

namespace {

using namespace palette;

// The panel picture covers the 1000 x 625 UI space at 1.024 texels a unit.
constexpr float kHudScale = 1.024f;
const Colour kPanelTop = Brighter(kNight, 1.5f);
const Colour kPanelBottom = Brighter(kNight, 0.9f);

// The control panel: a closed book (a cover with a spine band).
void BookIcon(Canvas& c, float cx, float cy, const Colour& colour) {
  const int x0 = static_cast<int>(cx) - 20, y0 = static_cast<int>(cy) - 20;
  c.Fill(x0, y0, x0 + 41, y0 + 41, RoundedBox(cx - 13, cy - 17, cx + 14, cy + 17, 3), colour);
  c.Fill(x0, y0, x0 + 41, y0 + 41, RoundedBox(cx - 9, cy - 17, cx - 5, cy + 17, 1), Brighter(colour, 0.45f));
}

// The main menu: three bars.
void MenuIcon(Canvas& c, float cx, float cy, const Colour& colour) {
  const int x0 = static_cast<int>(cx) - 20, y0 = static_cast<int>(cy) - 20;
  for (float dy : {-12.0f, 0.0f, 12.0f})
    c.Fill(x0, y0, x0 + 41, y0 + 41, RoundedBox(cx - 17, cy + dy - 4, cx + 17, cy + dy + 4, 2), colour);
}

// An element icon: its mark on a dark disc with a rim in its colour.
Canvas ElementIcon(int element) {
  const Colour colours[4] = {kAir, kFire, kEarth, kWater};
  Canvas c(64, 64);
  c.Fill(0, 0, 64, 64, Disc(32, 32, 31), colours[element]);
  c.Fill(0, 0, 64, 64, Disc(32, 32, 27), Brighter(kNight, 1.2f));
  ElementMark(c, element, 32, 33, 17);
  return c;
}

// A gold-rimmed band round the board area, clear inside.
Canvas BoardFrame() {
  constexpr int kW = 736, kH = 608, kBand = 14;
  Canvas c(kW, kH);
  const auto inner = RoundedBox(kBand, kBand, kW - kBand, kH - kBand, 18);
  const auto band = [inner](float x, float y) { return !inner(x, y); };
  c.Fill(0, 0, kW, kH, band, Gradient(kPanelTop, kPanelBottom, 0, kH));
  const auto rimOuter = RoundedBox(kBand - 4, kBand - 4, kW - kBand + 4, kH - kBand + 4, 20);
  c.Fill(
      0, 0, kW, kH, [&](float x, float y) { return rimOuter(x, y) && !inner(x, y); }, kRim);
  return c;
}

// Texel coordinates of a UI point of the panel picture.
float T(float ui) {
  return ui * kHudScale;
}

// The gold rim round a portrait's window (the window is cut clear later:
// painting only blends over what is there).
void PortraitWindow(Canvas& c, float x, float y, float size) {
  const float x0 = T(x), y0 = T(y), x1 = T(x + size), y1 = T(y + size);
  const int bx0 = static_cast<int>(x0) - 8, by0 = static_cast<int>(y0) - 8;
  const int bx1 = static_cast<int>(x1) + 9, by1 = static_cast<int>(y1) + 9;
  c.Fill(bx0, by0, bx1, by1, RoundedBox(x0 - 5, y0 - 5, x1 + 5, y1 + 5, 8), kRim);
}

// The clock's dial: a dark face with a ring of the four element colours.
void ClockDial(Canvas& c) {
  const float cx = T(843), cy = T(214), r = T(122);
  const int x0 = static_cast<int>(cx - r) - 2, y0 = static_cast<int>(cy - r) - 2;
  const int x1 = static_cast<int>(cx + r) + 3, y1 = static_cast<int>(cy + r) + 3;
  c.Fill(x0, y0, x1, y1, Disc(cx, cy, r), kRim);
  const Colour colours[4] = {kAir, kFire, kEarth, kWater};
  const auto quarterColour = [&](float x, float y) {
    // Air at the top, then clockwise fire, earth, water.
    const float angle = std::atan2(x - cx, cy - y);  // 0 up, growing clockwise
    const int quarter = static_cast<int>(std::floor((angle + 3.14159265f / 4) / (3.14159265f / 2)) + 4) % 4;
    return Brighter(colours[quarter], 0.8f);
  };
  c.Fill(x0, y0, x1, y1, Disc(cx, cy, r - 4), quarterColour);
  c.Fill(x0, y0, x1, y1, Disc(cx, cy, r - 14), Brighter(kNight, 0.7f));
  c.Fill(x0, y0, x1, y1, Disc(cx, cy, T(8)), kRim);
}

// The panel picture: clear left of the board frame (the board shows there),
// a dark panel on the right with the clock dial, the portrait frames, two
// name plates and the card area; the portraits' windows are clear.
TgaImage HudPanel() {
  constexpr int kW = 1024, kH = 640;
  Canvas c(kW, kH);
  const float left = T(731);
  c.Fill(
      static_cast<int>(left), 0, kW, kH, [left](float x, float) { return x >= left; },
      Gradient(kPanelTop, kPanelBottom, 0, kH));
  // The strip under the board's frame belongs to the panel too.
  const float bottom = T(605);
  c.Fill(
      0, static_cast<int>(bottom), kW, kH, [bottom](float, float y) { return y >= bottom; },
      Gradient(kPanelTop, kPanelBottom, 0, kH));
  c.Fill(
      static_cast<int>(left), 0, static_cast<int>(left) + 6, kH,
      [left](float x, float) { return x >= left && x < left + 4; }, kRim);
  ClockDial(c);
  PortraitWindow(c, 703, 325, 82);
  PortraitWindow(c, 901, 23, 82);
  for (const auto& [x0, y0, x1, y1] :
       {std::array<float, 4>{790, 345, 900, 372}, std::array<float, 4>{768, 67, 896, 94}})
    Panel(c, T(x0), T(y0), T(x1), T(y1), 6, 2, kRim, Brighter(kNight, 0.6f), Brighter(kNight, 0.4f), 0.1f);
  Panel(c, T(742), T(436), T(992), T(612), 12, 3, kRim, Brighter(kWater, 0.45f), Brighter(kNight, 0.8f),
        0.12f);
  TgaImage image = c.ToTga();
  // The portraits' windows are cut clear.
  for (const auto& [x, y] : {std::pair<float, float>{703, 325}, std::pair<float, float>{901, 23}}) {
    for (int ty = static_cast<int>(T(y)); ty < static_cast<int>(T(y + 82)) && ty < kH; ++ty)
      for (int tx = static_cast<int>(T(x)); tx < static_cast<int>(T(x + 82)) && tx < kW; ++tx)
        image.Set(tx, ty, 0, 0, 0, 0);
  }
  return image;
}

// The hand: a gold needle whose point is at the top; its tail is short.
Canvas ClockArrow() {
  constexpr int kW = 64, kH = 256;
  Canvas c(kW, kH);
  c.Fill(0, 0, kW, kH, Polygon({{32, 8}, {44, 120}, {36, 160}, {28, 160}, {20, 120}}), kRim);
  c.Fill(0, 0, kW, kH, Polygon({{32, 20}, {38, 118}, {32, 150}}), Brighter(kRim, 0.7f));
  c.Fill(0, 0, kW, kH, Disc(32, 128, 12), Brighter(kRim, 0.85f));
  return c;
}

// The glass: a faint disc with a bright crescent of light at its top left.
Canvas Lens() {
  constexpr int kSize = 128;
  Canvas c(kSize, kSize);
  c.Fill(0, 0, kSize, kSize, Disc(64, 64, 60), Colour{1, 1, 1, 0.04f});
  const auto inner = Disc(68, 68, 54);
  const auto outer = Disc(64, 64, 56);
  c.Fill(
      0, 0, kSize, kSize, [&](float x, float y) { return outer(x, y) && !inner(x, y); },
      Colour{1, 1, 1, 0.2f});
  return c;
}

}  // namespace

std::vector<GeneratedTexture> BoardHudTextures() {
  std::vector<GeneratedTexture> textures;
  const auto add = [&textures](std::string name, TgaImage image) {
    textures.push_back(GeneratedTexture{std::move(name), std::move(image), false});
  };
  add("ui/button_cp.tga", ButtonQuarters(BookIcon).ToTga());
  add("ui/button_mm.tga", ButtonQuarters(MenuIcon).ToTga());
  const char* icons[4] = {"ico_a.tga", "ico_f.tga", "ico_e.tga", "ico_w.tga"};
  for (int e = 0; e < 4; ++e) add(icons[e], ElementIcon(e).ToTga());
  add("ui/board_frame.tga", BoardFrame().ToTga());
  add("ui/board_hud.tga", HudPanel());
  add("ui/clock_arrow.tga", ClockArrow().ToTga());
  add("ui/linza.tga", Lens().ToTga());
  return textures;
}
