// Generates the game's textures into the folder given on the command line.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "platform/Image.h"
#include "tools/texgen/BattleTextures.h"
#include "tools/texgen/BoardHudTextures.h"
#include "tools/texgen/BoardTextures.h"
#include "tools/texgen/BookTextures.h"
#include "tools/texgen/Canvas.h"
#include "tools/texgen/FinalTextures.h"
#include "tools/texgen/MenuTextures.h"
#include "tools/texgen/PanelTextures.h"
#include "tools/texgen/TgaWriter.h"
#include "tools/texgen/UiTextures.h"

namespace {

// A two-tone checker board with a light border: shows filtering, wrapping
// and texture-matrix motion clearly in the renderer's debug view.
TgaImage DebugChecker() {
  constexpr int kSize = 64;
  TgaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const bool dark = ((x / 8) + (y / 8)) % 2 == 0;
      const bool border = x == 0 || y == 0 || x == kSize - 1 || y == kSize - 1;
      if (border)
        image.Set(x, y, 250, 240, 200, 255);
      else if (dark)
        image.Set(x, y, 60, 90, 160, 255);
      else
        image.Set(x, y, 220, 180, 90, 255);
    }
  }
  return image;
}

// The mouse pointer: a gold arrow with a dark outline on a transparent
// background; its tip is the top-left texel.
TgaImage Cursor() {
  constexpr int kSize = 64;
  const std::vector<std::pair<float, float>> arrow = {
      {0, 0}, {0, 44}, {11, 34}, {20, 54}, {28, 50}, {19, 31}, {33, 31}};
  const Canvas::Inside inside = Polygon(arrow);
  const auto InsidePolygon = [&inside](int x, int y) {  // at the texel's centre
    return inside(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
  };
  TgaImage image(kSize, kSize);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      if (!InsidePolygon(x, y)) continue;
      // Texels next to the outside (or on the texture's border) draw the outline.
      bool edge = x == 0 || y == 0;
      for (int d = 0; d < 4 && !edge; ++d) {
        const int nx = x + (d == 0) - (d == 1), ny = y + (d == 2) - (d == 3);
        edge = !InsidePolygon(nx, ny);
      }
      if (edge)
        image.Set(x, y, 40, 25, 10, 255);
      else
        image.Set(x, y, 235, 190, 70, 255);
    }
  }
  return image;
}

bool Write(const TgaImage& image, const std::string& folder, const std::string& name, bool jpeg = false) {
  const std::filesystem::path path = std::filesystem::path(folder) / name;
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  const platform::Image flat{image.width, image.height, image.bgra};
  if (jpeg ? platform::WriteJpeg(flat, path.string(), 92, platform::JpegColour::Colour) : WriteTga(image, path.string()))
    return true;
  std::fprintf(stderr, "could not write %s\n", path.string().c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <textures folder>\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  bool ok = Write(DebugChecker(), folder, "debug_checker.tga");
  ok = Write(Cursor(), folder, "cursor.tga") && ok;
  for (const auto& [name, image] : UiTextures()) ok = Write(image, folder, name) && ok;
  for (const GeneratedTexture& texture : PanelTextures())
    ok = Write(texture.image, folder, texture.name, texture.jpeg) && ok;
  for (const GeneratedTexture& texture : BattleTextures())
    ok = Write(texture.image, folder, texture.name, texture.jpeg) && ok;
  for (const GeneratedTexture& texture : BoardHudTextures())
    ok = Write(texture.image, folder, texture.name, texture.jpeg) && ok;
  for (const GeneratedTexture& texture : BoardTextures())
    ok = Write(texture.image, folder, texture.name, texture.jpeg) && ok;
  for (const GeneratedTexture& texture : MenuTextures())
    ok = Write(texture.image, folder, texture.name, texture.jpeg) && ok;
  for (const GeneratedTexture& texture : BookTextures())
    ok = Write(texture.image, folder, texture.name, texture.jpeg) && ok;
  for (const GeneratedTexture& texture : FinalTextures())
    ok = Write(texture.image, folder, texture.name, texture.jpeg) && ok;
  return ok ? 0 : 1;
}
