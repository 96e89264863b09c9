// Generates the board's piece meshes as text mesh files into the folder
// given on the command line, and removes compiled files left beside them by
// an earlier run, so the game compiles the new shapes.
#include <cstdio>
#include <filesystem>
#include <string>

#include "tools/meshgen/PieceShapes.h"

namespace {

bool WriteMesh(const TextMesh& mesh, const std::string& folder, const std::string& name) {
  const std::string path = folder + "/" + name + ".mes";
  std::error_code ignored;
  std::filesystem::remove(folder + "/" + name + ".meb", ignored);
  if (mesh.Write(path, name)) return true;
  std::fprintf(stderr, "could not write %s\n", path.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <mesh folder>\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  const bool ok = WriteMesh(MonsterPiece(), folder, "piece") && WriteMesh(BossPiece(), folder, "pieceboss") &&
                  WriteMesh(HeroPiece(), folder, "piecehero");
  return ok ? 0 : 1;
}
