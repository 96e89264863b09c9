#include "tiles/effects/YSEffectStandard.h"

#include <utility>

#include "draw/EffectMath.h"
#include "draw/ParticleSystem.h"
#include "tiles/effects/EffectPoints.h"
#include "tiles/effects/ParticleEmitters.h"
#include "tiles/effects/TileMotion.h"

using namespace effect_math;

namespace {

using tile_motion::Place;
using tile_motion::Position;

// One point of a uniform cubic B-spline segment.
YVector3 SplinePoint(const YVector3& p0, const YVector3& p1, const YVector3& p2, const YVector3& p3,
                     float t) {
  const float t2 = t * t, t3 = t2 * t, u = 1 - t;
  return (p0 * (u * u * u) + p1 * (3 * t3 - 6 * t2 + 4) + p2 * (-3 * t3 + 3 * t2 + 3 * t + 1) + p3 * t3) *
         (1.0f / 6.0f);
}

void Show(const YTile& a, const YTile& b) {
  tile_motion::Show(a);
  tile_motion::Show(b);
}

void Trail(const YTile& a, const YTile& b) {
  tile_motion::Trail(a);
  tile_motion::Trail(b);
}

}  // namespace

YSEffectStandard::Path YSEffectStandard::FlightPath(const YVector3& from, const YVector3& hold,
                                                    const YVector3& clash) {
  const YVector3 control[7] = {from, from, from, hold, clash, clash, clash};
  constexpr int kSamples[4] = {10, 20, 20, 10};
  Path path;
  std::size_t next = 0;
  for (int segment = 0; segment < 4; ++segment) {
    const YVector3* c = control + segment;
    const int samples = kSamples[segment];
    for (int i = 0; i < samples; ++i)
      path[next++] = SplinePoint(c[0], c[1], c[2], c[3], static_cast<float>(i) / static_cast<float>(samples));
  }
  return path;
}

YSEffectStandard::YSEffectStandard(YTile& a, YTile& b) : tileA(&a), tileB(&b) {
  if (tileA->world.m[3][0] > tileB->world.m[3][0]) std::swap(tileA, tileB);
  pathA = FlightPath(Position(*tileA), effect_points::HoldPoint(0), effect_points::SceneClashPoint(0));
  pathB = FlightPath(Position(*tileB), effect_points::HoldPoint(1), effect_points::SceneClashPoint(1));
}

bool YSEffectStandard::Update(float dt) {
  if (step < kFlightFrames) {
    Trail(*tileA, *tileB);
    ++step;
    Place(*tileA, pathA[step]);
    Place(*tileB, pathB[step]);
    Show(*tileA, *tileB);
    return false;
  }
  holdTime -= dt;
  if (holdTime <= 0) return true;
  if (!exploded) {
    exploded = true;
    Trail(*tileA, *tileB);
    const YVector3 clash = effect_points::ClashPoint();
    ParticleSystem& particles = GetParticleSystem();
    particles.AddParticle2D(0.75f, 50, 350, clash.x, clash.y, 0, 0, -1, nullptr, Shaders().boom,
                            YColor(1, 1, 1, 1), YColor(1, 1, 1, 0));
    particles.AddParticle2D(2.0f, 10, 500, clash.x, clash.y, 0, 0, -1, nullptr, Shaders().blast,
                            YColor(1, 1, 1, 0.2f), YColor(1, 1, 1, 0));
  }
  Place(*tileA, effect_points::SceneClashPoint(0));
  Place(*tileB, effect_points::SceneClashPoint(1));
  Show(*tileA, *tileB);
  return false;
}

bool YSEffectBlankShot::Update(float) {
  Trail(*tileA, *tileB);
  Show(*tileA, *tileB);
  return true;
}
