#include "tiles/effects/EffectPoints.h"

#include <array>
#include <utility>

#include "tiles/effects/YSpaceGravity.h"
#include "tiles/effects/YSpaceGravityPoint.h"
#include "tiles/effects/YSpaceWhirl.h"

namespace effect_points {
namespace {

int Side(int side) {
  return side & 1;
}
int Resource(int resource) {
  return resource < 0 || resource >= kResources ? kHealth : resource;
}

constexpr float kResourceXY[2][kResources][2] = {
    {{20, 260}, {40, 260}, {60, 260}, {80, 260}, {20, 195}},
    {{920, 260}, {940, 260}, {960, 260}, {980, 260}, {870, 195}},
};
constexpr float kFlameXY[2][2][2] = {{{30, 60}, {110, 60}}, {{890, 60}, {970, 60}}};

// Gravity points standing at each point of a table.
template <std::size_t N>
std::array<YSpaceGravityPoint, N> PointsAt(const float (&xy)[N][2]) {
  return [&]<std::size_t... I>(std::index_sequence<I...>) {
    return std::array<YSpaceGravityPoint, N>{YSpaceGravityPoint(xy[I][0], xy[I][1])...};
  }
  (std::make_index_sequence<N>());
}

struct Warps {
  std::array<std::array<YSpaceGravityPoint, kResources>, 2> resources{PointsAt(kResourceXY[0]),
                                                                      PointsAt(kResourceXY[1])};
  std::array<std::array<YSpaceGravityPoint, 2>, 2> flames{PointsAt(kFlameXY[0]), PointsAt(kFlameXY[1])};
  std::array<YSpaceWhirl, 2> whirls{{{70, 93, 1500}, {930, 93, -1500}}};
  YSpaceGravity falling{YVector3(0, 200, 0)};
  YSpaceGravity rising{YVector3(0, -250, 0)};
};

Warps& TheWarps() {
  static Warps warps;
  return warps;
}

}  // namespace

YVector3 ClashPoint() {
  return {500, 155, 0};
}
YVector3 Portrait(int side) {
  return Side(side) == 0 ? YVector3(70, 93, 0) : YVector3(930, 93, 0);
}

YVector3 ResourcePoint(int side, int resource) {
  const float* xy = kResourceXY[Side(side)][Resource(resource)];
  return {xy[0], xy[1], 0};
}

YColor ResourceColour(int resource) {
  static const YColor colours[kResources] = {
      {1, 1, 0.8f, 1}, {1, 0.3f, 0.3f, 1}, {0.3f, 1, 0.3f, 1}, {0.3f, 0.3f, 1, 1}, {1, 0.5f, 0.25f, 1}};
  return colours[Resource(resource)];
}

YSpaceGravityPoint* ResourceGravity(int side, int resource) {
  return &TheWarps()
              .resources[static_cast<std::size_t>(Side(side))][static_cast<std::size_t>(Resource(resource))];
}

YVector3 FlamePoint(int side, int which) {
  const float* xy = kFlameXY[Side(side)][which & 1];
  return {xy[0], xy[1], 0};
}

YSpaceGravityPoint* FlameGravity(int side, int which) {
  return &TheWarps().flames[static_cast<std::size_t>(Side(side))][static_cast<std::size_t>(which & 1)];
}

YSpaceWhirl* Whirl(int side) {
  return &TheWarps().whirls[static_cast<std::size_t>(Side(side))];
}
YSpaceGravity* FallingForce() {
  return &TheWarps().falling;
}
YSpaceGravity* RisingForce() {
  return &TheWarps().rising;
}

YVector3 StormCorner(int side) {
  return Side(side) == 0 ? YVector3(0, 0, 0) : YVector3(1000, 0, 0);
}
YVector3 ReflexCorner(int side) {
  return Side(side) == 0 ? YVector3(882, 251, 0) : YVector3(127, 251, 0);
}

YVector3 HoldPoint(int which) {
  return (which & 1) == 0 ? YVector3(-5, 0, 7) : YVector3(5, 0, 7);
}
YVector3 SceneClashPoint(int which) {
  return (which & 1) == 0 ? YVector3(-0.5f, 0, 7) : YVector3(0.5f, 0, 7);
}
YVector3 SideWind(int side) {
  return Side(side) == 0 ? YVector3(-5, 2.5f, 2.5f) : YVector3(5, 2.5f, 2.5f);
}

}  // namespace effect_points
