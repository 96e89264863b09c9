#include "board/YTessorPath.h"

#include <algorithm>
#include <cmath>

#include "board/YTessorBoard.h"
#include "players/YPlayer.h"

namespace {

constexpr float kPathHeight = 0.001f;
constexpr float kFlyHeight = 0.6f;
constexpr float kTargetUnitHeight = 0.3f;
constexpr float kRibbonHalfWidth = 0.18f;
constexpr float kHeadLength = 0.36f;
constexpr float kTextureScale = 1.3888888f;

YVector3 CellCentre(const YTessorBoard& board, int x, int y) {
  const float fx = static_cast<float>(x);
  const float fy = static_cast<float>(y);
  return board.viewFlip ? YVector3(4.0f - fx, 4.0f - fy, kPathHeight)
                        : YVector3(fx - 4.0f, fy - 4.0f, kPathHeight);
}

YVector3 Mid(const YVector3& a, const YVector3& b) {
  return {(a.x + b.x) * 0.5f, (a.y + b.y) * 0.5f, (a.z + b.z) * 0.5f};
}

YVector3 Combine(float a, const YVector3& p, float b, const YVector3& q, float c, const YVector3& r, float d,
                 const YVector3& s) {
  return {a * p.x + b * q.x + c * r.x + d * s.x, a * p.y + b * q.y + c * r.y + d * s.y,
          a * p.z + b * q.z + c * r.z + d * s.z};
}

float Distance(const YVector3& a, const YVector3& b) {
  return std::sqrt((a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) + (a.z - b.z) * (a.z - b.z));
}

// The unit direction from a to b in the board plane; `fallback` when they meet.
void PlaneDirection(const YVector3& a, const YVector3& b, float& dx, float& dy, float fx, float fy) {
  dx = b.x - a.x;
  dy = b.y - a.y;
  const float length = std::sqrt(dx * dx + dy * dy);
  if (length < 1e-6f) {
    dx = fx;
    dy = fy;
    return;
  }
  dx /= length;
  dy /= length;
}

void AddPair(std::vector<YTexVertex>& ribbon, const YVector3& p, float dx, float dy, float v) {
  const float nx = -dy * kRibbonHalfWidth;
  const float ny = dx * kRibbonHalfWidth;
  ribbon.emplace_back(YVector3(p.x + nx, p.y + ny, p.z), YVector2(0.0f, v));
  ribbon.emplace_back(YVector3(p.x - nx, p.y - ny, p.z), YVector2(1.0f, v));
}

}  // namespace

std::vector<YVector3> PathControlPoints(const YTessorBoard& board, const YTessorUnit& unit, int x, int y) {
  std::vector<YVector3> control;
  if (!IsOnBoard(x, y) || !IsOnBoard(unit.x, unit.y) || !board.ReachAt(x, y).Reached()) return control;
  control.push_back(CellCentre(board, x, y));
  int cx = x;
  int cy = y;
  // A way never has more cells than the board; a longer walk is a loop.
  for (int guard = 0; (cx != unit.x || cy != unit.y); ++guard) {
    const int direction = board.ReachAt(cx, cy).direction;
    if (direction < 0 || guard >= kCellCount) return {};
    cx -= kStepDirections[static_cast<std::size_t>(direction)].dx;
    cy -= kStepDirections[static_cast<std::size_t>(direction)].dy;
    if (!IsOnBoard(cx, cy)) return {};
    const YVector3 cell = CellCentre(board, cx, cy);
    control.push_back(Mid(cell, control.back()));
    control.push_back(cell);
  }
  return control;
}

std::vector<YVector3> SplinePoints(const std::vector<YVector3>& control) {
  std::vector<YVector3> points;
  const int count = static_cast<int>(control.size());
  for (int i = 0; i + 1 < count; ++i) {
    const YVector3& p0 = control[static_cast<std::size_t>(std::max(i - 1, 0))];
    const YVector3& p1 = control[static_cast<std::size_t>(i)];
    const YVector3& p2 = control[static_cast<std::size_t>(i + 1)];
    const YVector3& p3 = control[static_cast<std::size_t>(std::min(i + 2, count - 1))];
    const YVector3 c0 = Combine(1.0f / 6, p0, 4.0f / 6, p1, 1.0f / 6, p2, 0, p3);
    const YVector3 c1 = Combine(-0.5f, p0, 0, p1, 0.5f, p2, 0, p3);
    const YVector3 c2 = Combine(0.5f, p0, -1.0f, p1, 0.5f, p2, 0, p3);
    const YVector3 c3 = Combine(-1.0f / 6, p0, 3.0f / 6, p1, -3.0f / 6, p2, 1.0f / 6, p3);
    for (int k = 0; k < 5; ++k) {
      const float t = 0.2f * static_cast<float>(k);
      points.push_back(Combine(t * t * t, c3, t * t, c2, t, c1, 1.0f, c0));
    }
  }
  return points;
}

std::vector<YTexVertex> ArrowRibbon(const std::vector<YVector3>& points) {
  std::vector<YTexVertex> ribbon;
  if (points.size() < 2) return ribbon;
  const YVector3& last = points.back();
  float length = 0;
  float dx = 0;
  float dy = 1;
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (i > 0) {
      const bool nearEnd = Distance(points[i], last) < kHeadLength;
      // The tail's stretch keeps one texture coordinate until the closing pair.
      if (!(length >= kHeadLength && nearEnd)) length += Distance(points[i - 1], points[i]);
    }
    if (i + 1 < points.size()) PlaneDirection(points[i], points[i + 1], dx, dy, dx, dy);
    AddPair(ribbon, points[i], dx, dy, length * kTextureScale);
  }
  AddPair(ribbon, last, dx, dy, (length + kHeadLength) * kTextureScale);
  return ribbon;
}

bool BuildPathCurve(const YTessorBoard& board, const YTessorUnit& unit, int x, int y, YTessorPath& path) {
  path.Clear();
  std::vector<YVector3> control = PathControlPoints(board, unit, x, y);
  if (control.empty()) return false;
  if (unit.record != nullptr && unit.record->moveKind == 1 && control.size() > 2) {
    for (std::size_t i = 1; i + 1 < control.size(); ++i) control[i].z += kFlyHeight;
  }
  if (board.Cell(x, y).occupant != nullptr) control.front().z += kTargetUnitHeight;
  path.points = SplinePoints(control);
  path.ribbon = ArrowRibbon(path.points);
  return true;
}
