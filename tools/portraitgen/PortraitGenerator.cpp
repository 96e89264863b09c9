// Generates the pictures the catalogues name: hero portraits, monster faces
// and artifact icons, into the textures folder given on the command line.
#include <cstdio>
#include <filesystem>
#include <string>

#include "tools/portraitgen/ArtifactIcons.h"
#include "tools/portraitgen/HeroPortraits.h"
#include "tools/portraitgen/MonsterFaces.h"

namespace {

bool Write(const TgaImage& image, const std::filesystem::path& path) {
  if (WriteTga(image, path.string())) return true;
  std::fprintf(stderr, "could not write %s\n", path.string().c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <textures folder>\n", argv[0]);
    return 2;
  }
  const std::filesystem::path root = argv[1];
  for (const char* folder : {"heroes", "monsters", "artifacts"}) std::filesystem::create_directories(root / folder);
  bool ok = true;
  for (const HeroPortrait& p : DrawHeroPortraits()) ok = Write(p.image, root / "heroes" / (p.name + ".tga")) && ok;
  for (const MonsterFace& f : DrawMonsterFaces()) ok = Write(f.image, root / "monsters" / (f.id + ".tga")) && ok;
  for (const ArtifactIcon& i : DrawArtifactIcons()) ok = Write(i.image, root / "artifacts" / (i.name + ".tga")) && ok;
  return ok ? 0 : 1;
}
