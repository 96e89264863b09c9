#include "tools/texgen/UiTextures.h"

#include <cmath>

#include "tools/texgen/Canvas.h"

namespace {

using namespace palette;

const Colour kWaterLight = Brighter(kWater, 1.35f);
const Colour kWaterDark = Brighter(kWater, 0.55f);
const Colour kNightLight = Brighter(kNight, 1.8f);

// Two looks one above the other (normal on top, hot below), each a pill
// whose ends fill the texture's outer quarters: drawn with side caps, the
// ends keep their shape and the middle half stretches.
Canvas FrameHalves(int width, int halfHeight, const Colour& body) {
  Canvas c(width, halfHeight * 2);
  const float w = static_cast<float>(width), h = static_cast<float>(halfHeight), r = h * 0.36f;
  Panel(c, 2, 2, w - 2, h - 2, r, 3, Brighter(kRim, 0.85f), Brighter(body, 1.1f), Brighter(body, 0.7f));
  Panel(c, 2, h + 2, w - 2, 2 * h - 2, r, 3, kRim, Brighter(body, 1.5f), Brighter(body, 1.0f));
  return c;
}

// A triangle pointing down inside the box, for the combo box's right cap.
void DownArrow(Canvas& c, float x0, float y0, float size, const Colour& colour) {
  c.Fill(static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x0 + size + 1), static_cast<int>(y0 + size + 1),
         Polygon({{x0, y0 + size * 0.25f}, {x0 + size, y0 + size * 0.25f}, {x0 + size * 0.5f, y0 + size * 0.8f}}),
         colour);
}

Canvas Combo() {
  Canvas c = FrameHalves(256, 64, kNightLight);
  DownArrow(c, 204, 14, 34, Brighter(kRim, 0.85f));
  DownArrow(c, 204, 64 + 14, 34, kRim);
  return c;
}

// The edit box's field: a dark inset with a blue rim, drawn whole.
Canvas Edit() {
  Canvas c(256, 64);
  Panel(c, 2, 2, 254, 62, 14, 3, kWater, Brighter(kNight, 0.7f), Brighter(kNight, 1.3f), 0);
  return c;
}

}  // namespace

void ElementMark(Canvas& c, int element, float cx, float cy, float r) {
  const int x0 = static_cast<int>(cx - r - 1), y0 = static_cast<int>(cy - r - 1);
  const int x1 = static_cast<int>(cx + r + 2), y1 = static_cast<int>(cy + r + 2);
  const float k = r * 0.78f;
  switch (element) {
    case 0:
      c.Fill(x0, y0, x1, y1, Polygon({{cx, cy - r}, {cx + r, cy + r * 0.8f}, {cx - r, cy + r * 0.8f}}), kAir);
      break;
    case 1:
      c.Fill(x0, y0, x1, y1, Polygon({{cx, cy - r}, {cx + r, cy}, {cx, cy + r}, {cx - r, cy}}), kFire);
      break;
    case 2:
      c.Fill(x0, y0, x1, y1, RoundedBox(cx - k, cy - k, cx + k, cy + k, r * 0.15f), kEarth);
      break;
    default:
      c.Fill(x0, y0, x1, y1, Disc(cx, cy, r * 0.9f), kWater);
      break;
  }
}

namespace {

// A panel four times as wide as high: the top and bottom quarters are the
// caps (a title band above, the element marks in the corners), the middle
// half stretches with the window's height. A frame drawn in nine pieces
// cuts it 32 texels in from each side and stretches what lies between, so
// the marks and the band's rounded ends lie wholly within those 32 texels
// and every column between the cuts is the same.
Canvas Window() {
  Canvas c(512, 128);
  Panel(c, 1, 1, 511, 127, 18, 3, kRim, Brighter(kNight, 1.4f), kNight, 0);
  c.Fill(21, 6, 491, 29, RoundedBox(22, 7, 490, 28, 6), Colour{kWater.r, kWater.g, kWater.b, 0.55f});
  ElementMark(c, 0, 13.5f, 13.5f, 6.5f);
  ElementMark(c, 1, 498.5f, 13.5f, 6.5f);
  ElementMark(c, 2, 13.5f, 114.5f, 6.5f);
  ElementMark(c, 3, 498.5f, 114.5f, 6.5f);
  return c;
}

// The drop-down list's box: the same rim on every side, so it reads the
// same either way up.
Canvas List() {
  Canvas c(128, 128);
  Panel(c, 1, 1, 127, 127, 12, 2, kRim, Brighter(kNight, 1.2f), Brighter(kNight, 1.2f), 0);
  return c;
}

}  // namespace

Canvas ScrollTrack() {
  Canvas c(64, 64);
  Panel(c, 3, 1, 29, 63, 7, 2, kWaterDark, Brighter(kNight, 0.6f), Brighter(kNight, 1.1f));
  Panel(c, 35, 1, 61, 63, 7, 2, Brighter(kRim, 0.7f), kAir, Brighter(kAir, 0.75f));
  return c;
}

Canvas ButtonQuarters(const ButtonIcon& icon) {
  Canvas c(128, 128);
  const Colour bodies[4] = {kWater, kWaterLight, kWaterDark, Grey(kWater)};
  const Colour icons[4] = {kRim, Brighter(kRim, 1.2f), kAir, Grey(kRim)};
  for (int look = 0; look < 4; ++look) {
    const float x = static_cast<float>(look % 2 * 64), y = static_cast<float>(look / 2 * 64);
    const float shift = look == 2 ? 2.0f : 0.0f;
    Panel(c, x + 3, y + 3, x + 61, y + 61, 14, 3, look == 3 ? Grey(kRim) : kRim, Brighter(bodies[look], 1.15f),
          Brighter(bodies[look], 0.75f));
    icon(c, x + 32 + shift, y + 32 + shift, icons[look]);
  }
  return c;
}

void UpIcon(Canvas& c, float cx, float cy, const Colour& colour) {
  c.Fill(static_cast<int>(cx) - 20, static_cast<int>(cy) - 20, static_cast<int>(cx) + 21, static_cast<int>(cy) + 21,
         Polygon({{cx, cy - 15}, {cx + 17, cy + 11}, {cx - 17, cy + 11}}), colour);
}

void DownIcon(Canvas& c, float cx, float cy, const Colour& colour) {
  c.Fill(static_cast<int>(cx) - 20, static_cast<int>(cy) - 20, static_cast<int>(cx) + 21, static_cast<int>(cy) + 21,
         Polygon({{cx - 17, cy - 11}, {cx + 17, cy - 11}, {cx, cy + 15}}), colour);
}

namespace {

// A cross of two bars: the close button.
void CrossIcon(Canvas& c, float cx, float cy, const Colour& colour) {
  const auto bar = [&](float dx, float dy) {
    return Polygon({{cx - 15 * dx - 4 * dy, cy - 15 * dy + 4 * dx},
                    {cx + 15 * dx - 4 * dy, cy + 15 * dy + 4 * dx},
                    {cx + 15 * dx + 4 * dy, cy + 15 * dy - 4 * dx},
                    {cx - 15 * dx + 4 * dy, cy - 15 * dy - 4 * dx}});
  };
  const float d = std::sqrt(0.5f);
  c.Fill(static_cast<int>(cx) - 20, static_cast<int>(cy) - 20, static_cast<int>(cx) + 21, static_cast<int>(cy) + 21,
         bar(d, d), colour);
  c.Fill(static_cast<int>(cx) - 20, static_cast<int>(cy) - 20, static_cast<int>(cx) + 21, static_cast<int>(cy) + 21,
         bar(d, -d), colour);
}

// The tracker's groove, drawn stretched over the whole tracker.
Canvas Track() {
  Canvas c(256, 32);
  Panel(c, 2, 10, 254, 22, 5, 2, kWaterDark, Brighter(kNight, 0.6f), Brighter(kNight, 1.3f), 0);
  return c;
}

// The tracker's knob: a fire-red disc with a gold rim.
Canvas Thumb() {
  Canvas c(64, 64);
  c.Fill(0, 0, 64, 64, Disc(32, 32, 29), kRim);
  c.Fill(0, 0, 64, 64, Disc(32, 32, 24), Gradient(Brighter(kFire, 1.3f), Brighter(kFire, 0.7f), 8, 56));
  c.Fill(0, 0, 64, 64, Disc(26, 24, 9), Colour{1, 1, 1, 0.3f});
  return c;
}

// A picture: the four element marks on a dark round plate with a gold
// rim, `side` texels across (drawn for 128 and scaled from there).
Canvas Emblem(int side) {
  const float k = static_cast<float>(side) / 128;
  Canvas c(side, side);
  c.Fill(0, 0, side, side, Disc(64 * k, 64 * k, 62 * k), kRim);
  c.Fill(0, 0, side, side, Disc(64 * k, 64 * k, 58 * k), Gradient(Brighter(kNight, 1.6f), kNight, 6 * k, 122 * k));
  ElementMark(c, 0, 42 * k, 42 * k, 17 * k);
  ElementMark(c, 1, 86 * k, 42 * k, 17 * k);
  ElementMark(c, 2, 42 * k, 86 * k, 17 * k);
  ElementMark(c, 3, 86 * k, 86 * k, 17 * k);
  return c;
}

// A soft gold ring that lights what lies under a hot image.
Canvas Glow() {
  Canvas c(64, 64);
  for (int ring = 0; ring < 8; ++ring) {
    const float r = 30.0f - static_cast<float>(ring) * 2.5f;
    c.Fill(0, 0, 64, 64, Disc(32, 32, r), Colour{kRim.r, kRim.g, kRim.b, 0.07f + 0.02f * static_cast<float>(ring)});
  }
  return c;
}

}  // namespace

std::vector<std::pair<std::string, TgaImage>> UiTextures() {
  std::vector<std::pair<std::string, TgaImage>> textures;
  textures.emplace_back("ui_button.tga", FrameHalves(256, 64, kWater).ToTga());
  textures.emplace_back("ui_combo.tga", Combo().ToTga());
  textures.emplace_back("ui_edit.tga", Edit().ToTga());
  textures.emplace_back("ui_window.tga", Window().ToTga());
  textures.emplace_back("ui_list.tga", List().ToTga());
  textures.emplace_back("ui_scroll.tga", ScrollTrack().ToTga());
  textures.emplace_back("ui_arrow_up.tga", ButtonQuarters(UpIcon).ToTga());
  textures.emplace_back("ui_arrow_down.tga", ButtonQuarters(DownIcon).ToTga());
  textures.emplace_back("ui_close.tga", ButtonQuarters(CrossIcon).ToTga());
  textures.emplace_back("ui_track.tga", Track().ToTga());
  textures.emplace_back("ui_thumb.tga", Thumb().ToTga());
  textures.emplace_back("ui_emblem.tga", Emblem(128).ToTga());
  textures.emplace_back("appicon.tga", Emblem(64).ToTga());  // the program's window icon
  textures.emplace_back("ui_glow.tga", Glow().ToTga());
  return textures;
}
