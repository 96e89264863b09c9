#include "tiles/effects/SpellShows.h"

#include "draw/EffectMath.h"
#include "draw/ParticleSystem.h"
#include "tiles/effects/EffectPoints.h"
#include "tiles/effects/ParticleEmitters.h"
#include "tiles/effects/YSEffectCollectResource.h"
#include "tiles/effects/YSEffectLightning.h"
#include "tiles/effects/YSEffectRain.h"

using namespace effect_math;
using namespace effect_points;

namespace {

constexpr float kBurstSize = 100.0f;
constexpr float kStrikeTime = 0.3f;
constexpr float kReflexTime = 0.15f;
const YColor kStrikeSparkStart(0.8f, 0.8f, 1, 1);
const YColor kStrikeSparkEnd(0.5f, 0, 1, 1);

int Other(int side) {
  return (side + 1) % 2;
}

void Stream(const YVector3& from, int side, int resource, int count, float time) {
  StartEffect<YSEffectCollectResource>(from, side, resource, count, time);
}

void StrikeSparks(int side, int count) {
  SparkBurst(Portrait(side), 24.5f, count, kStrikeSparkStart, kStrikeSparkEnd, Shaders().spark,
             FallingForce());
}

// A rain over a side's portrait; `drift` is the sideways speed over the
// left portrait (mirrored over the right one).
void Rain(int side, float drift, float fall, float life, float rate, const YColor& start, const YColor& end,
          YShader* shader) {
  const float vx = side == 0 ? drift : -drift;
  StartEffect<YSEffectRain>(Portrait(side), YVector3(vx, fall, 0), 90.0f, life, rate, start, end, shader);
}

// A storm rains on both portraits, each drifting away from its own side, and
// strikes each from its own storm corner.
void StormOverBothPortraits(float drift, float fall, float rate, const YColor& start, const YColor& end,
                            YShader* shader) {
  for (int portrait = 0; portrait < 2; ++portrait) {
    Rain(portrait, drift, fall, 1.25f, rate, start, end, shader);
    StartEffect<YSEffectLightning>(StormCorner(portrait), Portrait(portrait), kStrikeTime, true);
  }
}

}  // namespace

void SpawnCollectResourceA(int side, int resource, int count) {
  Stream(ClashPoint(), side, resource, count, 0.15f);
}

void SpawnCollectResourceB(int side, int count) {
  SpawnCollectResourceA(side, kHealth, count);
}

void SpawnCollectResourceC(int side) {
  for (int r = 0; r < 4; ++r) Stream(ResourcePoint(Other(side), r), side, r, 20, 0.2f);
}

void SpawnCollectResourceD() {
  for (int r = 0; r < 4; ++r) {
    Stream(ResourcePoint(1, 3 - r), 0, r, 5, 0.2f);
    Stream(ResourcePoint(0, 3 - r), 1, r, 5, 0.2f);
  }
}

void SpawnCollectAndBlast(int side) {
  Stream(ResourcePoint(Other(side), kHealth), side, kHealth, 20, 0.1f);
  SkullBurst(Portrait(Other(side)), kBurstSize, YColor(1, 0.5f, 1, 0.3f), YColor(1, 0, 1, 1));
}

void SpawnCollectAndBlast2(int side) {
  Stream(ResourcePoint(Other(side), kHealth), side, kHealth, 10, 0.1f);
  SkullBurst(Portrait(Other(side)), kBurstSize, YColor(1, 0, 0, 0.5f), YColor(0, 0, 0, 0.5f));
}

void SpawnSparks(int side, int resource, int count) {
  const YColor colour = ResourceColour(resource);
  SparkBurst(ResourcePoint(side, resource), 17.5f, count, colour, WithAlpha(colour, 0.5f), Shaders().spark,
             FallingForce());
}

void SpawnSparks2(int side) {
  SparkBurst(Portrait(side), 24.5f, 70, YColor(1, 1, 0.25f, 0.05f), YColor(1, 0, 0, 1), Shaders().spark,
             FallingForce());
}

void SpawnBlast() {
  for (int side = 0; side < 2; ++side) {
    const YVector3 at = Portrait(side);
    for (float life : {1.0f, 0.5f})
      GetParticleSystem().AddParticle2D(life, 100, 300, at.x, at.y, 0, 0, -1, nullptr, Shaders().blast,
                                        YColor(0.1f, 0.35f, 1, 1), YColor(0, 0, 0, 1));
  }
}

void SpawnSkullBlast(int side) {
  SkullBurst(Portrait(side), kBurstSize, YColor(1, 0.5f, 0.2f, 1), YColor(1, 0, 0, 1));
}

void SpawnSkullBlast2() {
  for (int side = 0; side < 2; ++side)
    SkullBurst(Portrait(side), kBurstSize, YColor(0.1f, 0.35f, 1, 1), YColor(0.1f, 0.1f, 0.1f, 1));
}

void SpawnSkullBlast3(int side) {
  SkullBurst(Portrait(side), kBurstSize, YColor(1, 1, 0, 0.1f), YColor(1, 0, 0, 1));
}

void SpawnSkullBlast4() {
  for (int side = 0; side < 2; ++side)
    SkullBurst(Portrait(side), kBurstSize, YColor(0, 1, 1, 0.25f), YColor(0, 0, 0, 0.5f));
}

void SpawnBlastSpark(int side) {
  Explosion(Portrait(side), kBurstSize, 50, YColor(1, 0.7f, 0.3f, 1), YColor(1, 0, 0, 1), FallingForce());
}

void SpawnBlastSpark2(int side) {
  Explosion(Portrait(side), kBurstSize, 50, YColor(0.1f, 0.35f, 1, 1), YColor(0.1f, 0.1f, 0.1f, 1),
            Whirl(side));
}

void SpawnLightningSparks(int side) {
  StartEffect<YSEffectLightning>(ClashPoint(), Portrait(side), kStrikeTime, true);
  StrikeSparks(side, 10);
}

void SpawnLightningSparks2(int side) {
  StartEffect<YSEffectLightning>(ReflexCorner(side), Portrait(side), kReflexTime, false);
  StrikeSparks(side, 10);
}

void SpawnLightningSparks3(int side) {
  StartEffect<YSEffectLightning>(ClashPoint(), Portrait(side), kStrikeTime, false);
  StrikeSparks(side, 7);
  const YVector3 bars = (ResourcePoint(side, 0) + ResourcePoint(side, 3)) * 0.5f;
  StartEffect<YSEffectLightning>(Portrait(side), bars, kReflexTime, false);
}

void SpawnLightningSkull(int side) {
  StartEffect<YSEffectLightning>(ClashPoint(), Portrait(side), kStrikeTime, true);
  SkullBurst(Portrait(side), kBurstSize, kStrikeSparkStart, kStrikeSparkEnd);
}

void SpawnMeteorRain(int side) {
  Rain(side, -100, 500, 1.0f, 50, YColor(1, 1, 1, 0.33f), YColor(0, 0, 0, 1), Shaders().meteorite);
}

void SpawnSparkRain(int side) {
  Rain(side, -100, 500, 1.0f, 50, YColor(1, 1, 1, 0.33f), YColor(0, 0, 0, 1), Shaders().spark);
}

void SpawnStorm(int side) {
  StormOverBothPortraits(50, 500, 300, YColor(0.25f, 0.5f, 0.5f, 1), YColor(0.25f, 0.5f, 1, 0.25f),
                         Shaders().drop);
  for (int r = 0; r < 4; ++r) SpawnSparks(side, r, 10);
}

void SpawnSnowStorm(int side) {
  StormOverBothPortraits(25, 100, 100, YColor(0.7f, 0.7f, 1, 1), YColor(0.5f, 0.5f, 1, 0.5f), Shaders().snow);
  SpawnSparks(side, 2, 10);
}
