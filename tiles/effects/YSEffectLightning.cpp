#include "tiles/effects/YSEffectLightning.h"

#include <algorithm>

#include "draw/EffectMath.h"
#include "draw/YDrawParticle.h"
#include "framework/YTexVertex.h"
#include "render/YRender.h"
#include "tiles/effects/EffectRandom.h"
#include "tiles/effects/ParticleEmitters.h"

using namespace effect_math;

namespace {

constexpr float kSegmentLength = 30.0f;
constexpr int kMostSegments = 20;
constexpr float kKinkJitter = 10.0f;
constexpr float kBranchReach = 50.0f;
constexpr float kBranchDrift = 5.0f;
constexpr float kThinnestBranch = 1.0f;  // forks stop once they would be thinner

// One segment: a quad from p to q, the texture running across its width.
void DrawSegment(const YVector3& p, const YVector3& q, const YVector3& across) {
  const YTexVertex quad[4] = {YTexVertex(p + across, YVector2(0, 0)), YTexVertex(p - across, YVector2(1, 0)),
                              YTexVertex(q - across, YVector2(1, 1)), YTexVertex(q + across, YVector2(0, 1))};
  g_render->DrawQuad28(quad);
}

void DrawBoltFrom(const YVector3& a, const YVector3& b, float width, bool branching, EffectRandom& random) {
  const float d = Distance(a, b);
  const int n = BoltSegments(d);
  const YVector3 along = Unit(b - a);
  const YVector3 across = YVector3(-along.y, along.x, 0) * width;
  YVector3 previous = a;
  for (int i = 1; i <= n; ++i) {
    const float kx = kKinkJitter * random.Uniform();
    const float ky = kKinkJitter * random.Uniform();
    const YVector3 point = a + along * (d * static_cast<float>(i) / static_cast<float>(n)) + Point(kx, ky);
    DrawSegment(previous, point, across);
    previous = point;
    const int remaining = n - i;
    if (!branching || remaining < 1 || remaining > 9 || width * 0.5f < kThinnestBranch) continue;
    if (random.Next() % 10 != 0) continue;
    const float reach = kBranchReach * random.Uniform();
    const YVector3 offset = random.Direction2D() * reach;
    const float drift = kBranchDrift * random.Uniform() * static_cast<float>(remaining);
    DrawBoltFrom(point, point + offset + along * drift, width * 0.5f, true, random);
  }
}

}  // namespace

YSEffectLightning::YSEffectLightning(const YVector3& start_, const YVector3& end_, float time,
                                     bool branching_)
    : start(start_), end(end_), timeLeft(time), branching(branching_) {}

bool YSEffectLightning::Update(float dt) {
  timeLeft -= dt;
  if (timeLeft <= 0) return true;
  RequestDraw();
  return false;
}

void YSEffectLightning::Draw() {
  EffectRandom& random = GetEffectRandom();
  const float jitter = kEndJitter * random.Uniform();
  const YVector3 shaken = end + random.Direction2D() * jitter;
  DrawBolt(start, shaken, kWidth, branching);
}

int BoltSegments(float length) {
  return std::clamp(static_cast<int>(length / kSegmentLength), 1, kMostSegments);
}

void DrawBolt(const YVector3& a, const YVector3& b, float width, bool branching) {
  if (g_render == nullptr) return;
  UseParticleShader(Shaders().lightning, YColor(1, 1, 1, 1));
  DrawBoltFrom(a, b, width, branching, GetEffectRandom());
}
