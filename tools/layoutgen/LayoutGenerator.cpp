// Writes a tile layout file (".lay") from a readable drawing (see
// LayoutDrawing.h): qv_layoutgen <drawing.txt> <layout.lay>. Run by hand
// when a drawing changes; the layouts it writes are shipped content.
#include <cstdio>
#include <fstream>
#include <sstream>

#include "tools/layoutgen/LayoutDrawing.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: qv_layoutgen <drawing.txt> <layout.lay>\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  std::ostringstream text;
  text << in.rdbuf();
  LayoutDrawing drawing;
  std::string error;
  if (!ParseLayoutDrawing(text.str(), drawing, error)) {
    std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
    return 1;
  }
  std::ofstream out(argv[2], std::ios::binary);
  out << LayoutFileText(drawing);
  if (!out.flush()) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  std::printf("%s: %zu tiles\n", argv[2], drawing.corners.size());
  return 0;
}
