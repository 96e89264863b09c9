#include "tools/fontgen/BookSymbols.h"

#include <cmath>
#include <utility>
#include <vector>

#include "tools/texgen/Canvas.h"

namespace {

constexpr float kSizeOfLine = 0.74f;   // the symbol's side over the line height
constexpr float kSideBearing = 0.06f;  // blank on either side, over the line height

using Points = std::vector<std::pair<float, float>>;

// Shapes in the unit square, x to the right, y down.
Points ArrowRight() {
  return {{0.08f, 0.4f}, {0.5f, 0.4f}, {0.5f, 0.14f}, {0.94f, 0.5f},
          {0.5f, 0.86f}, {0.5f, 0.6f}, {0.08f, 0.6f}};
}
Points Mirrored(Points points) {
  for (auto& point : points) point.first = 1 - point.first;
  return points;
}
Points Scaled(const Points& unit, float side) {
  Points out;
  for (const auto& [x, y] : unit) out.push_back({x * side, y * side});
  return out;
}

std::vector<Points> Shapes(std::uint8_t byte) {
  if (byte == kForwardByte) return {ArrowRight()};
  if (byte == kBackByte) return {Mirrored(ArrowRight())};
  // The first page: a bar at the left, two heads pointing at it.
  return {{{0.06f, 0.14f}, {0.2f, 0.14f}, {0.2f, 0.86f}, {0.06f, 0.86f}},
          {{0.24f, 0.5f}, {0.6f, 0.16f}, {0.6f, 0.84f}},
          {{0.56f, 0.5f}, {0.94f, 0.16f}, {0.94f, 0.84f}}};
}

}  // namespace

std::optional<RenderedGlyph> BookSymbol(std::uint8_t byte, float linePixels) {
  if (byte != kBackByte && byte != kFirstPageByte && byte != kForwardByte) return std::nullopt;
  const int side = static_cast<int>(std::lround(linePixels * kSizeOfLine));
  const float s = static_cast<float>(side);
  Canvas canvas(side, side);
  for (const Points& shape : Shapes(byte))
    canvas.Fill(0, 0, side, side, Polygon(Scaled(shape, s)), Colour{1, 1, 1, 1});
  const TgaImage image = canvas.ToTga();
  RenderedGlyph glyph;
  glyph.width = glyph.rows = side;
  glyph.left = static_cast<int>(std::lround(linePixels * kSideBearing));
  glyph.top =
      side - static_cast<int>(std::lround(linePixels * 0.04f));  // a little below the baseline, as letters
  glyph.advance = s + 2 * static_cast<float>(glyph.left);
  glyph.coverage.resize(static_cast<std::size_t>(side * side));
  for (std::size_t i = 0; i < glyph.coverage.size(); ++i) glyph.coverage[i] = image.bgra[i * 4 + 3];
  return glyph;
}
