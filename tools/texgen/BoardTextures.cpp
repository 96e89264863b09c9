#include "tools/texgen/BoardTextures.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/texgen/Canvas.h"

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
const Canvas::Inside kEverywhere = [](float, float) { return true; };

Colour GreyOf(float v, float a = 1) {
  return Colour{v, v, v, a};
}

// The mark of an element as an inside test, centred at (c, c) with radius r:
// air a triangle, fire a diamond, earth a square, water a disc.
Canvas::Inside MarkShape(int element, float c, float r) {
  switch (element) {
    case 0:
      return Polygon({{c, c - r}, {c + r, c + r * 0.75f}, {c - r, c + r * 0.75f}});
    case 1:
      return Polygon({{c, c - r}, {c + r, c}, {c, c + r}, {c - r, c}});
    case 2: {
      const float k = r * 0.75f;
      return RoundedBox(c - k, c - k, c + k, c + k, r * 0.12f);
    }
    default:
      return Disc(c, c, r * 0.85f);
  }
}

// The light wash over the whole board: soft clouds, a little darker
// towards the edges.
Canvas Wash() {
  constexpr int kSize = 256;
  constexpr float c = kSize / 2.0f;
  Canvas canvas(kSize, kSize);
  canvas.Fill(0, 0, kSize, kSize, kEverywhere, [&](float x, float y) {
    const float clouds = 0.6f * Noise(x, y, 48, 51) + 0.4f * Noise(x, y, 13, 52);
    const float edge = std::max(std::abs(x - c), std::abs(y - c)) / c;
    return GreyOf(1.0f - 0.12f * clouds - 0.1f * edge * edge);
  });
  return canvas;
}

// A square of the board in light greys, coloured by its shader's material:
// a bevelled rim, a faint grain and the element's mark engraved in the
// middle, so that squares differ by shape as well as by colour.
Canvas Square(int element) {
  constexpr int kSize = 128;
  constexpr float c = kSize / 2.0f;
  Canvas canvas(kSize, kSize);
  canvas.Fill(0, 0, kSize, kSize, kEverywhere, [&](float x, float y) {
    const float grain =
        0.05f * Noise(x, y, 16, 40 + element) + 0.03f * Hash(static_cast<int>(x), static_cast<int>(y), 7);
    const float edge = std::min({x, y, kSize - x, kSize - y});
    const float bevel = edge < 3 ? 0.55f : (edge < 6 ? 0.97f : 0.9f);
    return GreyOf(bevel - grain);
  });
  const float r = 30;
  const auto outline = MarkShape(element, c, r + 4);
  canvas.Fill(0, 0, kSize, kSize, outline, GreyOf(1.0f));
  canvas.Fill(0, 0, kSize, kSize, MarkShape(element, c, r), GreyOf(0.68f));
  canvas.Fill(0, 0, kSize, kSize, MarkShape(element, c, r * 0.45f), GreyOf(0.8f));
  return canvas;
}

// Wall tops: four cut stones with dark joints.
Canvas WallTop() {
  constexpr int kSize = 128;
  Canvas canvas(kSize, kSize);
  canvas.Fill(0, 0, kSize, kSize, kEverywhere, Colour{0.22f, 0.2f, 0.19f, 1});
  const float stones[4][4] = {{4, 4, 70, 58}, {74, 4, 124, 58}, {4, 62, 52, 124}, {56, 62, 124, 124}};
  for (const auto& s : stones) {
    canvas.Fill(0, 0, kSize, kSize, RoundedBox(s[0], s[1], s[2], s[3], 5), [&](float x, float y) {
      const float n = 0.7f * Noise(x, y, 20, 3) + 0.3f * Noise(x, y, 5, 4);
      const float light = y < s[1] + 4 || x < s[0] + 4 ? 0.1f : 0.0f;  // lit upper left edges
      return Colour{0.62f + 0.15f * n + light, 0.58f + 0.14f * n + light, 0.52f + 0.12f * n + light, 1};
    });
  }
  return canvas;
}

// The sides of walls and pits: dark rock in bands.
Canvas Rock() {
  constexpr int kSize = 64;
  Canvas canvas(kSize, kSize);
  canvas.Fill(0, 0, kSize, kSize, kEverywhere, [](float x, float y) {
    const float band = 0.5f + 0.5f * std::sin(y * 0.35f + 2.5f * Noise(x, y, 16, 21));
    const float n = Noise(x, y, 6, 22);
    return Colour{0.38f + 0.12f * band + 0.08f * n, 0.33f + 0.1f * band + 0.07f * n,
                  0.3f + 0.08f * band + 0.06f * n, 1};
  });
  return canvas;
}

// The border across (u: inner edge to outer) and along (v): dark bronze
// between two gold lines, a stud every third of the texture's length.
Canvas Border() {
  constexpr int kWidth = 64, kHeight = 192;
  Canvas canvas(kWidth, kHeight);
  canvas.Fill(0, 0, kWidth, kHeight, kEverywhere, [](float x, float y) {
    const float grain = 0.06f * Noise(x, y, 8, 31);
    const float u = x / kWidth;
    if (u < 0.12f || u > 0.9f) return Brighter(palette::kRim, u < 0.12f ? 0.95f - 2 * u : 0.8f);
    return Colour{0.26f + grain, 0.2f + grain, 0.15f + grain, 1};
  });
  for (int k = 0; k < 3; ++k) {
    const float cy = (static_cast<float>(k) + 0.5f) * kHeight / 3;
    canvas.Fill(0, 0, kWidth, kHeight, Polygon({{33, cy - 9}, {42, cy}, {33, cy + 9}, {24, cy}}),
                Brighter(palette::kRim, 0.9f));
  }
  return canvas;
}

// The power point: a white eight-pointed star in a ring with a soft glow,
// within the middle of the cell so that a wall in front never cuts it.
Canvas PowerPoint() {
  constexpr int kSize = 128;
  constexpr float c = kSize / 2.0f;
  Canvas canvas(kSize, kSize);
  canvas.Fill(0, 0, kSize, kSize, Disc(c, c, 44), [&](float x, float y) {
    const float d = std::hypot(x - c, y - c) / 44;
    return Colour{1, 0.95f, 0.75f, 0.45f * (1 - d) * (1 - d)};
  });
  canvas.Fill(
      0, 0, kSize, kSize,
      [&](float x, float y) {
        const float d = std::hypot(x - c, y - c);
        return d > 36 && d < 41;
      },
      Colour{1, 0.92f, 0.6f, 0.95f});
  std::vector<std::pair<float, float>> star;
  for (int k = 0; k < 16; ++k) {
    const float angle = static_cast<float>(k) * kPi / 8;
    const float radius = k % 2 == 0 ? 32.0f : 12.0f;
    star.emplace_back(c + radius * std::sin(angle), c - radius * std::cos(angle));
  }
  canvas.Fill(0, 0, kSize, kSize, Polygon(star), Colour{1, 1, 0.9f, 1});
  return canvas;
}

// The path arrow: v from 0 (the tip, at the target) to 0.5 is the head, the
// rest the shaft, which the clamped texture stretches along the way.
Canvas Arrow() {
  constexpr int kWidth = 64, kHeight = 128;
  Canvas canvas(kWidth, kHeight);
  const Canvas::Inside head = Polygon({{32, 2}, {61, 58}, {44, 58}, {44, 64}, {20, 64}, {20, 58}, {3, 58}});
  const Canvas::Inside shaft = RoundedBox(20, 56, 44, 128, 0);
  const auto body = [&](float x, float y) { return head(x, y) || shaft(x, y); };
  canvas.Fill(0, 0, kWidth, kHeight, body, Colour{0.25f, 0.1f, 0.02f, 0.9f});
  const Canvas::Inside innerHead =
      Polygon({{32, 9}, {54, 53}, {38, 53}, {38, 64}, {26, 64}, {26, 53}, {10, 53}});
  const Canvas::Inside innerShaft = RoundedBox(26, 56, 38, 128, 0);
  canvas.Fill(
      0, 0, kWidth, kHeight, [&](float x, float y) { return innerHead(x, y) || innerShaft(x, y); },
      Gradient(Colour{1, 0.95f, 0.55f, 1}, Colour{1, 0.7f, 0.2f, 1}, 0, 64));
  return canvas;
}

}  // namespace

std::vector<GeneratedTexture> BoardTextures() {
  std::vector<GeneratedTexture> textures;
  const char* elements[4] = {"air", "fire", "earth", "water"};
  for (int e = 0; e < 4; ++e)
    textures.push_back({std::string("board/") + elements[e] + ".tga", Square(e).ToTga()});
  textures.push_back({"board/wash.jpg", Wash().ToTga(), true});
  textures.push_back({"board/wall.tga", WallTop().ToTga()});
  textures.push_back({"board/rock.tga", Rock().ToTga()});
  textures.push_back({"board/border.tga", Border().ToTga()});
  textures.push_back({"board/power_point.tga", PowerPoint().ToTga()});
  textures.push_back({"board/arrow.tga", Arrow().ToTga()});
  return textures;
}
