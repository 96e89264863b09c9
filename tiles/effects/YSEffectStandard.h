// The flight of a taken pair: both tiles rise from the board along curves
// through the hold points to the clash between the duellists (58 frames,
// one point a frame whatever the frame time), burst there, and hold for
// 0.2 s. A pair that cast nothing is shown for one frame only
// (YSEffectBlankShot). The tiles are already removed: they are seen only
// while these effects queue them.
#pragma once

#include <array>
#include <cstdint>

#include "framework/YVector3.h"
#include "tiles/effects/YSEffect.h"

struct YTile;

class YSEffectStandard : public YSEffect {
 public:
  static constexpr int kPathPoints = 60;
  static constexpr std::uint32_t kFlightFrames = kPathPoints - 2;
  static constexpr float kHoldSeconds = 0.2f;
  using Path = std::array<YVector3, kPathPoints>;

  // The left tile of the two (by x; the first when equal) flies to the
  // left clash point.
  YSEffectStandard(YTile& a, YTile& b);
  bool Update(float dt) override;

  // The curve from `from` over `hold` to `clash`: a uniform cubic B-spline
  // over (from, from, from, hold, clash, clash, clash), its four segments
  // sampled 10, 20, 20 and 10 times.
  static Path FlightPath(const YVector3& from, const YVector3& hold, const YVector3& clash);

  YTile* tileA;
  YTile* tileB;
  Path pathA, pathB;
  std::uint32_t step = 0;
  float holdTime = kHoldSeconds;
  bool exploded = false;
};

class YSEffectBlankShot : public YSEffect {
 public:
  YSEffectBlankShot(YTile& a, YTile& b) : tileA(&a), tileB(&b) {}
  bool Update(float dt) override;

  YTile* tileA;
  YTile* tileB;
};
