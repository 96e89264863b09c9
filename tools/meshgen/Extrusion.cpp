#include "tools/meshgen/Extrusion.h"

#include <cmath>
#include <numbers>

namespace {

// The vertices of each level, then the sides of each band.
std::vector<int> AddLevels(TextMesh& mesh, const std::vector<OutlinePoint>& outline,
                           const std::vector<ExtrusionLevel>& levels) {
  std::vector<int> first;
  for (const ExtrusionLevel& level : levels) {
    first.push_back(static_cast<int>(mesh.Vertices().size()));
    for (const OutlinePoint& p : outline) mesh.AddVertex(p.x * level.scale, p.y * level.scale, level.z);
  }
  return first;
}

void AddBands(TextMesh& mesh, const std::vector<int>& first, const std::vector<OutlinePoint>& outline,
              const std::vector<ExtrusionLevel>& levels, int material) {
  const int n = static_cast<int>(outline.size());
  const double bottom = levels.front().z, height = levels.back().z - bottom;
  for (std::size_t b = 0; b + 1 < levels.size(); ++b) {
    const double v0 = (levels[b].z - bottom) / height, v1 = (levels[b + 1].z - bottom) / height;
    for (int k = 0; k < n; ++k) {
      const int next = (k + 1) % n;
      const int a = first[b] + k, bb = first[b] + next, c = first[b + 1] + next, d = first[b + 1] + k;
      const double u0 = static_cast<double>(k) / n, u1 = static_cast<double>(k + 1) / n;
      const int ta = mesh.AddUv(u0, v0), tb = mesh.AddUv(u1, v0), tc = mesh.AddUv(u1, v1),
                td = mesh.AddUv(u0, v1);
      // Neighbouring sides and bands never share a group.
      const std::uint32_t smoothing =
          1u << ((b % 2) * static_cast<std::size_t>(n) + static_cast<std::size_t>(k));
      const int first1[3] = {a, bb, c}, uv1[3] = {ta, tb, tc};
      const int second[3] = {a, c, d}, uv2[3] = {ta, tc, td};
      mesh.AddFace(first1, uv1, material, smoothing);
      mesh.AddFace(second, uv2, material, smoothing);
    }
  }
}

// A fan about the level's centre, facing down (the bottom) or up.
void AddCap(TextMesh& mesh, int firstVertex, const std::vector<OutlinePoint>& outline,
            const ExtrusionLevel& level, bool up, int material, double halfWidth, std::uint32_t smoothing) {
  const int n = static_cast<int>(outline.size());
  const int centre = mesh.AddVertex(0, 0, level.z);
  const int centreUv = mesh.AddUv(0.5, 0.5);
  std::vector<int> uvs;
  for (const OutlinePoint& p : outline)
    uvs.push_back(
        mesh.AddUv(0.5 + p.x * level.scale / (2 * halfWidth), 0.5 + p.y * level.scale / (2 * halfWidth)));
  for (int k = 0; k < n; ++k) {
    const int next = (k + 1) % n;
    const int from = up ? k : next, to = up ? next : k;
    const int v[3] = {centre, firstVertex + from, firstVertex + to};
    const int t[3] = {centreUv, uvs[static_cast<std::size_t>(from)], uvs[static_cast<std::size_t>(to)]};
    mesh.AddFace(v, t, material, smoothing);
  }
}

}  // namespace

void AddExtrusion(TextMesh& mesh, const std::vector<OutlinePoint>& outline,
                  const std::vector<ExtrusionLevel>& levels, const ExtrusionStyle& style) {
  const std::vector<int> first = AddLevels(mesh, outline, levels);
  AddBands(mesh, first, outline, levels, style.sideMaterial);
  AddCap(mesh, first.front(), outline, levels.front(), false, style.bottomMaterial, style.capHalfWidth,
         1u << 30);
  AddCap(mesh, first.back(), outline, levels.back(), true, style.topMaterial, style.capHalfWidth, 1u << 31);
}

std::vector<OutlinePoint> RegularPolygon(int corners, double circumradius) {
  std::vector<OutlinePoint> outline;
  const double step = 2 * std::numbers::pi / corners;
  for (int k = 0; k < corners; ++k) {
    const double angle = -std::numbers::pi / 2 + step * (k + 0.5);
    outline.push_back({circumradius * std::cos(angle), circumradius * std::sin(angle)});
  }
  return outline;
}
