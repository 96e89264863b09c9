// The path a unit walks and the arrow that previews it: control points from
// the reach records (never from an unreached cell), heights for flyers and
// attacks, the spline's point count and shape, and the ribbon along it.
#include <gtest/gtest.h>

#include <cmath>

#include "board/YTessorBoard.h"
#include "board/YTessorPath.h"
#include "tests/board/BoardFixture.h"

namespace {

using PathCurveTest = BoardTest;

TEST_F(PathCurveTest, AStraightWayOfThreeStepsGivesSevenControlPointsAndThirtyPathPoints) {
  YTessorBoard board;
  YTessorUnit* walker = AddUnit(board, 0, 4, 1, {.way = 0, .distance = 3});
  board.FindMoves(walker, nullptr);
  const std::vector<YVector3> control = PathControlPoints(board, *walker, 4, 4);
  ASSERT_EQ(control.size(), 7u);
  const float ys[] = {0.0f, -0.5f, -1.0f, -1.5f, -2.0f, -2.5f, -3.0f};  // display y = cell y - 4
  for (std::size_t i = 0; i < control.size(); ++i) {
    EXPECT_FLOAT_EQ(control[i].x, 0.0f);
    EXPECT_FLOAT_EQ(control[i].y, ys[i]);
    EXPECT_FLOAT_EQ(control[i].z, 0.001f);
  }
  YTessorPath path;
  ASSERT_TRUE(BuildPathCurve(board, *walker, 4, 4, path));
  ASSERT_EQ(path.points.size(), 30u);
  // A spline through collinear points stays on the line and runs from the
  // target end to the unit end.
  for (std::size_t i = 1; i < path.points.size(); ++i) {
    EXPECT_NEAR(path.points[i].x, 0.0f, 1e-6f);
    EXPECT_LT(path.points[i].y, path.points[i - 1].y);
  }
  EXPECT_NEAR(path.points.front().y, -1.0f / 12.0f, 1e-5f);
  EXPECT_GT(path.points.back().y, -3.0f);
  // A flipped view mirrors the points through the centre.
  board.viewFlip = true;
  EXPECT_FLOAT_EQ(PathControlPoints(board, *walker, 4, 4).back().y, 3.0f);
}

TEST_F(PathCurveTest, FlyersRiseBetweenTheEndsAndAnAttackLiftsTheTarget) {
  YTessorBoard board;
  YTessorUnit* flyer = AddUnit(board, 0, 4, 1, {.moveKind = 1, .way = 0, .distance = 3});
  AddUnit(board, 1, 4, 4);
  board.FindMoves(flyer, nullptr);
  YTessorPath path;
  ASSERT_TRUE(BuildPathCurve(board, *flyer, 4, 4, path));
  // The first point blends the lifted target (0.301) with the raised middle.
  EXPECT_GT(path.points.front().z, 0.3f);
  EXPECT_NEAR(path.points[15].z, 0.601f, 1e-4f);
  EXPECT_LT(path.points.back().z, 0.601f);
}

TEST_F(PathCurveTest, AnUnreachedTargetGivesNoPath) {
  YTessorBoard board;
  YTessorUnit* walker = AddUnit(board, 0, 4, 1, {.way = 0, .distance = 1});
  board.FindMoves(walker, nullptr);
  YTessorPath path;
  path.points.resize(3);
  EXPECT_FALSE(BuildPathCurve(board, *walker, 4, 5, path));
  EXPECT_TRUE(path.points.empty());
  EXPECT_TRUE(path.ribbon.empty());
  EXPECT_FALSE(BuildPathCurve(board, *walker, 9, 1, path));
  // Records of another unit's search do not lead back to this unit.
  YTessorUnit* other = AddUnit(board, 0, 0, 8, {.way = 0, .distance = 2});
  board.FindMoves(other, nullptr);
  EXPECT_FALSE(BuildPathCurve(board, *walker, 1, 8, path));
  EXPECT_TRUE(PathControlPoints(board, *walker, 1, 8).empty());
}

TEST_F(PathCurveTest, TheRibbonRunsAlongThePathWithTheArrowHeadAtTheTarget) {
  YTessorBoard board;
  YTessorUnit* walker = AddUnit(board, 0, 0, 0, {.way = 1, .distance = 4});
  board.FindMoves(walker, nullptr);
  YTessorPath path;
  ASSERT_TRUE(BuildPathCurve(board, *walker, 3, 2, path));
  ASSERT_EQ(path.ribbon.size(), 2 * path.points.size() + 2);
  float lastV = -1.0f;
  for (std::size_t i = 0; i < path.points.size(); ++i) {
    const YTexVertex& a = path.ribbon[2 * i];
    const YTexVertex& b = path.ribbon[2 * i + 1];
    EXPECT_NEAR(std::hypot(a.x - b.x, a.y - b.y), 0.36f, 1e-4f) << i;
    EXPECT_NEAR((a.x + b.x) / 2, path.points[i].x, 1e-5f);
    EXPECT_EQ(a.u1, 0.0f);
    EXPECT_EQ(b.u1, 1.0f);
    EXPECT_GE(a.v1, lastV);
    lastV = a.v1;
  }
  EXPECT_EQ(path.ribbon[0].v1, 0.0f);
  // The stretch near the unit keeps one coordinate; the closing pair adds
  // the tail's length.
  const float tail = path.ribbon[2 * path.points.size() - 2].v1;
  EXPECT_EQ(path.ribbon[2 * path.points.size() - 4].v1, tail);
  EXPECT_NEAR(path.ribbon.back().v1, tail + 0.36f * 1.3888888f, 1e-5f);
}

}  // namespace
