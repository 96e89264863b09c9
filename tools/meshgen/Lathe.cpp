#include "tools/meshgen/Lathe.h"

#include <cmath>
#include <map>
#include <numbers>
#include <tuple>

namespace {

constexpr double kDegrees = std::numbers::pi / 180;

bool OnAxis(const Profile::Point& p) {
  return std::fabs(p.r) < 1e-9;
}

// Vertex and texture vertex numbers of one turned profile.
class LatheGrid {
 public:
  LatheGrid(TextMesh& mesh, const Profile& profile, int sides, double planarRadius)
      : mesh_(mesh), profile_(profile), sides_(sides), planarRadius_(planarRadius) {
    double length = 0;
    arc_.push_back(0);
    const auto& points = profile.Points();
    for (std::size_t i = 1; i < points.size(); ++i) {
      length += std::hypot(points[i].r - points[i - 1].r, points[i].z - points[i - 1].z);
      arc_.push_back(length);
    }
    for (double& s : arc_) s /= length;
    for (const Profile::Point& p : points) {
      firstVertex_.push_back(static_cast<int>(mesh.Vertices().size()));
      if (OnAxis(p)) {
        mesh.AddVertex(0, 0, p.z);
        continue;
      }
      for (int j = 0; j < sides; ++j) {
        const double angle = 2 * std::numbers::pi * j / sides;
        mesh.AddVertex(p.r * std::cos(angle), p.r * std::sin(angle), p.z);
      }
    }
  }

  int Vertex(std::size_t i, int j) const {
    return firstVertex_[i] + (OnAxis(profile_.Points()[i]) ? 0 : j % sides_);
  }

  // Texture vertices are shared by every stretch of the same mapping; a
  // point on the axis has one (it is one vertex).
  int Uv(std::size_t i, int j, UvMapping mapping) {
    const bool planar = mapping == UvMapping::kPlanar;
    const Profile::Point& p = profile_.Points()[i];
    if (OnAxis(p)) j = 0;
    const auto key = std::make_tuple(planar, i, planar ? j % sides_ : j);
    const auto found = uvs_.find(key);
    if (found != uvs_.end()) return found->second;
    const double angle = 2 * std::numbers::pi * j / sides_;
    const double u = OnAxis(p) ? 0.5 : static_cast<double>(j) / sides_;
    const int uv = planar ? mesh_.AddUv(0.5 + p.r * std::cos(angle) / (2 * planarRadius_),
                                        0.5 + p.r * std::sin(angle) / (2 * planarRadius_))
                          : mesh_.AddUv(u, arc_[i]);
    uvs_.emplace(key, uv);
    return uv;
  }

 private:
  TextMesh& mesh_;
  const Profile& profile_;
  int sides_;
  double planarRadius_;
  std::vector<double> arc_;  // 0..1 along the profile
  std::vector<int> firstVertex_;
  std::map<std::tuple<bool, std::size_t, int>, int> uvs_;
};

}  // namespace

void Profile::Start(double r, double z) {
  points_ = {{r, z}};
  styles_.clear();
}

void Profile::Add(double r, double z, const SurfaceStyle& style) {
  points_.push_back({r, z});
  styles_.push_back(style);
}

void Profile::Line(double r, double z, int steps, const SurfaceStyle& style) {
  const Point from = points_.back();
  for (int s = 1; s <= steps; ++s) {
    const double t = static_cast<double>(s) / steps;
    Add(from.r + (r - from.r) * t, from.z + (z - from.z) * t, style);
  }
}

void Profile::Arc(double cr, double cz, double toDegrees, int steps, const SurfaceStyle& style) {
  const Point from = points_.back();
  const double radius = std::hypot(from.r - cr, from.z - cz);
  const double start = std::atan2(from.z - cz, from.r - cr);
  const double end = toDegrees * kDegrees;
  for (int s = 1; s <= steps; ++s) {
    const double a = start + (end - start) * s / steps;
    Add(cr + radius * std::cos(a), cz + radius * std::sin(a), style);
  }
}

void Profile::Curve(double r1, double z1, double r2, double z2, double r, double z, int steps,
                    const SurfaceStyle& style) {
  const Point p0 = points_.back();
  for (int s = 1; s <= steps; ++s) {
    const double t = static_cast<double>(s) / steps, u = 1 - t;
    const double b0 = u * u * u, b1 = 3 * u * u * t, b2 = 3 * u * t * t, b3 = t * t * t;
    Add(b0 * p0.r + b1 * r1 + b2 * r2 + b3 * r, b0 * p0.z + b1 * z1 + b2 * z2 + b3 * z, style);
  }
}

void AddLathe(TextMesh& mesh, const Profile& profile, int sides, double planarRadius) {
  LatheGrid grid(mesh, profile, sides, planarRadius);
  const auto& points = profile.Points();
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    const SurfaceStyle& style = profile.Styles()[i];
    const std::uint32_t smoothing = 1u << style.group;
    for (int j = 0; j < sides; ++j) {
      // The quad A B C D: this ring at j and j + 1, then the next ring back.
      const int a = grid.Vertex(i, j), b = grid.Vertex(i, j + 1);
      const int c = grid.Vertex(i + 1, j + 1), d = grid.Vertex(i + 1, j);
      const int ta = grid.Uv(i, j, style.mapping), tb = grid.Uv(i, j + 1, style.mapping);
      const int tc = grid.Uv(i + 1, j + 1, style.mapping), td = grid.Uv(i + 1, j, style.mapping);
      if (!OnAxis(points[i])) {
        const int v[3] = {a, b, c}, t[3] = {ta, tb, tc};
        mesh.AddFace(v, t, style.material, smoothing);
      }
      if (!OnAxis(points[i + 1])) {
        const int v[3] = {a, c, d}, t[3] = {ta, tc, td};
        mesh.AddFace(v, t, style.material, smoothing);
      }
    }
  }
}
