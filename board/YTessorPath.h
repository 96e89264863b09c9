// The way a moving unit follows on screen and the arrow that previews it: a
// smooth curve through the cells of the way the movement search found, from
// the target back to the unit, and a textured ribbon along it.
#pragma once

#include <vector>

#include "framework/YTexVertex.h"
#include "framework/YVector3.h"

class YTessorBoard;
class YTessorUnit;

struct YTessorPath {
  // From the target end to the unit end; a walk runs from the back.
  std::vector<YVector3> points;
  // A triangle strip along the points, two vertices per point and a closing
  // pair.
  std::vector<YTexVertex> ribbon;

  void Clear() {
    points.clear();
    ribbon.clear();
  }
};

// The control points of the way to (x, y) as the board's reach records give
// it: the target's centre, then back cell by cell to the unit's cell with a
// midpoint between every two centres. Empty when (x, y) is not reached or
// the records do not lead back to the unit's cell.
std::vector<YVector3> PathControlPoints(const YTessorBoard& board, const YTessorUnit& unit, int x, int y);

// Builds `path` for the unit to (x, y) from the reach records. False, with
// an empty path, when there is no way.
bool BuildPathCurve(const YTessorBoard& board, const YTessorUnit& unit, int x, int y, YTessorPath& path);

// Five points per segment of the uniform cubic B-spline through `control`.
std::vector<YVector3> SplinePoints(const std::vector<YVector3>& control);

// The arrow ribbon along `points`.
std::vector<YTexVertex> ArrowRibbon(const std::vector<YVector3>& points);
