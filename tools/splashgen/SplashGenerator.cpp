// Generates the splash screens' images into the folder given on the
// command line, lettered with the DejaVu fonts of the second folder.
#include <cstdio>
#include <exception>
#include <string>

#include "tools/splashgen/SplashFonts.h"
#include "tools/splashgen/StudioCard.h"
#include "tools/splashgen/TitleCard.h"
#include "tools/texgen/TgaWriter.h"

namespace {

bool Write(const Canvas& canvas, const std::string& folder, const char* name) {
  const std::string path = folder + "/" + name;
  if (WriteTga(canvas.ToTga(), path)) return true;
  std::fprintf(stderr, "splashgen: could not write %s\n", path.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <splash folder> <DejaVu fonts folder>\n", argv[0]);
    return 2;
  }
  try {
    const SplashFonts fonts(argv[2]);
    bool ok = Write(PaintStudioCard(fonts), argv[1], "studio.tga");
    ok = Write(PaintTitleCard(fonts), argv[1], "title.tga") && ok;
    return ok ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "splashgen: %s (install the Debian package fonts-dejavu-core)\n", e.what());
    return 1;
  }
}
