#include "draw/YRotatingItem.h"

#include <cmath>
#include <numbers>

#include "draw/ImageDrawing.h"
#include "render/YRender.h"

namespace {
constexpr float kZoomSlope = 1.25f;
constexpr float kZoomBase = 0.75f;
constexpr float kTintScale = 1.5f;
}  // namespace

YRotatingItem::YRotatingItem(const YRect& rect, YShader* shader_)
    : quad(ImageQuad(rect, YRect(0, 0, 1, 1), kImageUpright)), shader(shader_) {}

float YRotatingItem::WrapAngle(float degrees) {
  if (!std::isfinite(degrees)) return 0;
  float wrapped = std::fmod(degrees, 360.0f);
  if (wrapped > 180) wrapped -= 360;
  if (wrapped < -180) wrapped += 360;
  return wrapped;
}

float YRotatingItem::SecondAngle(float angleDegrees) {
  return -WrapAngle(angleDegrees + 180);
}

float YRotatingItem::SecondPhase(float layerPhase) {
  const float second = layerPhase + 0.5f;
  return second > 1 ? second - 1 : second;
}

YColor YRotatingItem::LayerTint(float layerPhase) {
  return YColor(1, 1, 1, kTintScale * (0.5f - std::fabs(0.5f - layerPhase)));
}

void YRotatingItem::Step(float dt) {
  if (!std::isfinite(dt)) return;
  angle = WrapAngle(angle + kTurnRate * dt);
  phase += kPhaseRate * dt;
  if (phase > 1 || phase < 0) phase = 0;
}

std::array<YTexVertex, 4> YRotatingItem::LayerQuad(float angleDegrees, float layerPhase) const {
  const float radians = angleDegrees * std::numbers::pi_v<float> / 180;
  const float c = std::cos(radians), s = std::sin(radians);
  const float k = 1 / (kZoomSlope * layerPhase + kZoomBase);
  std::array<YTexVertex, 4> layer = quad;
  for (YTexVertex& v : layer) {
    const float x = v.u1 - 0.5f, y = v.v1 - 0.5f;
    v.u1 = v.u2 = k * (x * c - y * s) + 0.5f;
    v.v1 = v.v2 = k * (x * s + y * c) + 0.5f;
  }
  return layer;
}

// A layer whose tint is fully transparent is left out: drawn, it would show
// in the shader's own colour.
void YRotatingItem::DrawLayer(float layerAngle, float layerPhase) const {
  const YColor tint = LayerTint(layerPhase);
  if (tint.a > 0) DrawImageVertices(LayerQuad(layerAngle, layerPhase), nullptr, shader, tint);
}

// The layers turn a tenth of a degree and zoom a few pixels a second: slow
// drawing, which a calm screen shows less often.
void YRotatingItem::Draw() const {
  if (g_render != nullptr) g_render->SetSlowDrawing(true);
  DrawLayer(angle, phase);
  DrawLayer(SecondAngle(angle), SecondPhase(phase));
  if (g_render != nullptr) g_render->SetSlowDrawing(false);
}

void YRotatingItem::Update(float dt) {
  Step(dt);
  Draw();
}
