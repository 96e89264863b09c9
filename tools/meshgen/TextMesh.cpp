#include "tools/meshgen/TextMesh.h"

#include <cstdio>
#include <fstream>

namespace {

// Six significant digits, and never "-0".
std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", value);
  return std::string(text) == "-0" ? "0" : text;
}

}  // namespace

int TextMesh::AddVertex(double x, double y, double z) {
  vertices_.push_back({x, y, z});
  return static_cast<int>(vertices_.size()) - 1;
}

int TextMesh::AddUv(double u, double v) {
  uvs_.push_back({u, v});
  return static_cast<int>(uvs_.size()) - 1;
}

void TextMesh::AddFace(const int vertex[3], const int uv[3], int material, std::uint32_t smoothing) {
  faces_.push_back({{vertex[0], vertex[1], vertex[2]}, {uv[0], uv[1], uv[2]}, material, smoothing});
}

std::string TextMesh::Text(const std::string& name) const {
  std::string text = "mesh " + name + "\nvertices " + std::to_string(vertices_.size()) + "\n";
  for (const TextVertex& v : vertices_) text += Number(v.x) + " " + Number(v.y) + " " + Number(v.z) + "\n";
  text += "tvertices " + std::to_string(uvs_.size()) + "\n";
  for (const TextUv& t : uvs_) text += Number(t.u) + " " + Number(t.v) + "\n";
  text += "faces " + std::to_string(faces_.size()) + "\n";
  for (const TextFace& f : faces_) {
    for (const int v : f.vertex) text += std::to_string(v) + " ";
    for (const int t : f.uv) text += std::to_string(t) + " ";
    text += std::to_string(f.material) + " " + std::to_string(f.smoothing) + "\n";
  }
  return text;
}

bool TextMesh::Write(const std::string& path, const std::string& name) const {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << Text(name);
  out.close();
  return static_cast<bool>(out);
}
