// Writes the duel's tile atlas, "textures/tileset.jpg", into the folder
// given on the command line.
#include <cstdio>
#include <string>

#include "platform/Image.h"
#include "tools/tilegen/TileAtlas.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: qv_tilegen <textures folder>\n");
    return 2;
  }
  const TgaImage painted = PaintTileAtlas().ToTga();
  platform::Image image;
  image.width = painted.width;
  image.height = painted.height;
  image.bgra = painted.bgra;
  const std::string path = std::string(argv[1]) + "/tileset.jpg";
  if (!platform::WriteJpeg(image, path, 92, platform::JpegColour::Colour)) {
    std::fprintf(stderr, "could not write %s\n", path.c_str());
    return 1;
  }
  return 0;
}
