#include "draw/MovingMarker.h"

#include "draw/EffectMath.h"
#include "draw/ParticleSystem.h"
#include "render/YShader.h"

using namespace effect_math;

namespace {

constexpr float kSparkStartSize = 10.0f;
constexpr float kSparkEndSize = 7.0f;

YShader* SparkShader() {
  static YShader* const shader = GetShader("spark2D");
  return shader;
}

}  // namespace

MovingMarker::MovingMarker(float ax, float ay, float bx, float by)
    : a(ax, ay, 0), b(bx, by, 0), position(a), direction(Unit(b - a)) {}

void MovingMarker::Update(float dt) {
  const float step = dt * speed;
  const YVector3& end = forward != 0 ? b : a;
  const YVector3 way = forward != 0 ? direction : direction * -1.0f;
  const float distance = Distance(position, end);
  const YVector3 from = position;
  if (distance > step) {
    position = position + way * step;
    AddTrail(from, position);
    return;
  }
  forward = forward != 0 ? 0 : 1;
  AddTrail(from, end);
  position = end - way * (step - distance);
  AddTrail(end, position);
}

void MovingMarker::AddTrail(const YVector3& p, const YVector3& q) const {
  int n = static_cast<int>(Distance(p, q) * trailDensity);
  if (n < 1) n = 1;
  ParticleSystem& particles = GetParticleSystem();
  for (int i = 0; i < n; ++i) {
    const YVector3 at = p + (q - p) * (static_cast<float>(i) / static_cast<float>(n));
    particles.AddParticle2D(kSparkLife, kSparkStartSize, kSparkEndSize, at.x, at.y, 0, 0, -1, nullptr,
                            SparkShader(), startColour, endColour);
  }
}

std::array<MovingMarker, 2>& DuelSideMarkers() {
  static std::array<MovingMarker, 2> markers = {MovingMarker(4, 25, 129, 25), MovingMarker(871, 25, 996, 25)};
  return markers;
}

std::array<MovingMarker, 2>& BoardSideMarkers() {
  static std::array<MovingMarker, 2> markers = {MovingMarker(794, 365, 896, 365),
                                                MovingMarker(892, 87, 772, 87)};
  return markers;
}
