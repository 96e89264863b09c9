#include "tools/fontgen/MoveSymbols.h"

#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "tools/texgen/Canvas.h"

namespace {

constexpr float kSizeOfLine = 0.74f;    // the symbol's side over the line height
constexpr float kSideBearing = 0.06f;   // blank on either side, over the line height

// One arrow from the centre outwards along (dx, dy): a shaft and a head.
Canvas::Inside Arrow(float cx, float cy, float dx, float dy, float length, float shaft, float head) {
  const float px = -dy, py = dx;  // across the arrow
  const float neck = length - head * 1.1f;
  const auto at = [&](float along, float across) {
    return std::pair<float, float>{cx + dx * along + px * across, cy + dy * along + py * across};
  };
  return Polygon({at(0, -shaft), at(neck, -shaft), at(neck, -head), at(length, 0), at(neck, head), at(neck, shaft),
                  at(0, shaft)});
}

}  // namespace

std::optional<RenderedGlyph> MoveSymbol(std::uint8_t byte, float linePixels) {
  if (byte != kStraightMoveByte && byte != kAnyMoveByte) return std::nullopt;
  const int side = static_cast<int>(std::lround(linePixels * kSizeOfLine));
  const float c = static_cast<float>(side) / 2, length = c - 0.5f;
  const int arrows = byte == kStraightMoveByte ? 4 : 8;
  // Bold strokes: at the card's text size the symbol is ten pixels wide, a
  // plus against an eight-pointed star.
  const float shaft = static_cast<float>(side) * (arrows == 4 ? 0.1f : 0.075f);
  const float head = static_cast<float>(side) * (arrows == 4 ? 0.24f : 0.14f);
  Canvas canvas(side, side);
  for (int i = 0; i < arrows; ++i) {
    const float a = 2 * std::numbers::pi_v<float> * static_cast<float>(i) / static_cast<float>(arrows);
    canvas.Fill(0, 0, side, side, Arrow(c, c, std::cos(a), std::sin(a), length, shaft, head), Colour{1, 1, 1, 1});
  }
  canvas.Fill(0, 0, side, side, Disc(c, c, shaft * 2.2f), Colour{1, 1, 1, 1});
  const TgaImage image = canvas.ToTga();
  RenderedGlyph glyph;
  glyph.width = glyph.rows = side;
  glyph.left = static_cast<int>(std::lround(linePixels * kSideBearing));
  glyph.top = side - static_cast<int>(std::lround(linePixels * 0.04f));  // a little below the baseline, as letters
  glyph.advance = static_cast<float>(side) + 2 * static_cast<float>(glyph.left);
  glyph.coverage.resize(static_cast<std::size_t>(side * side));
  for (std::size_t i = 0; i < glyph.coverage.size(); ++i) glyph.coverage[i] = image.bgra[i * 4 + 3];
  return glyph;
}
