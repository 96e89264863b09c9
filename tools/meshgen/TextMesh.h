// A mesh as the text mesh file holds it, built up by the shape generators
// and written out in the ".mes" form: source vertices, texture vertices
// (v counted from the bottom, as the file has it) and faces with a material
// and a smoothing mask.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TextVertex {
  double x = 0, y = 0, z = 0;
};

struct TextUv {
  double u = 0, v = 0;
};

struct TextFace {
  int vertex[3];
  int uv[3];
  int material = 0;
  std::uint32_t smoothing = 0;
};

class TextMesh {
 public:
  int AddVertex(double x, double y, double z);
  int AddUv(double u, double v);
  // A triangle wound counter-clockwise seen from outside.
  void AddFace(const int vertex[3], const int uv[3], int material, std::uint32_t smoothing);

  const std::vector<TextVertex>& Vertices() const { return vertices_; }
  const std::vector<TextFace>& Faces() const { return faces_; }
  const std::vector<TextUv>& Uvs() const { return uvs_; }

  // The ".mes" text, numbers with six significant digits.
  std::string Text(const std::string& name) const;
  // Writes Text to the file; false when it cannot be written.
  bool Write(const std::string& path, const std::string& name) const;

 private:
  std::vector<TextVertex> vertices_;
  std::vector<TextUv> uvs_;
  std::vector<TextFace> faces_;
};
