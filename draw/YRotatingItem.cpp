#include "draw/YRotatingItem.h"

#include <algorithm>
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
    : quad(ImageQuad(rect, YRect(0, 0, 1, 1), kImageUpright)), shader(shader_), rect_(rect) {}

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

float YRotatingItem::Zoom(float layerPhase) {
  return 1 / (kZoomSlope * layerPhase + kZoomBase);
}

std::array<YTexVertex, 4> YRotatingItem::Turned(std::array<YTexVertex, 4> corners, float angleDegrees,
                                                float layerPhase) {
  const float radians = angleDegrees * std::numbers::pi_v<float> / 180;
  const float c = std::cos(radians), s = std::sin(radians);
  const float k = Zoom(layerPhase);
  for (YTexVertex& v : corners) {
    const float x = v.u1 - 0.5f, y = v.v1 - 0.5f;
    v.u1 = v.u2 = k * (x * c - y * s) + 0.5f;
    v.v1 = v.v2 = k * (x * s + y * c) + 0.5f;
  }
  return corners;
}

std::array<YTexVertex, 4> YRotatingItem::LayerQuad(float angleDegrees, float layerPhase) const {
  return Turned(quad, angleDegrees, layerPhase);
}

// A point of the quad whose coordinates lie r from the middle is shown the
// texture r x zoom from its centre, whatever the turn: the texture shows
// only inside the square of half side reach / zoom about the middle.
std::array<YTexVertex, 4> YRotatingItem::DrawnQuad(float angleDegrees, float layerPhase) const {
  if (!(reach_ > 0)) return LayerQuad(angleDegrees, layerPhase);
  const float half = reach_ / Zoom(layerPhase);
  const float low = std::max(0.0f, 0.5f - half), high = std::min(1.0f, 0.5f + half);
  if (!(low < high)) return LayerQuad(angleDegrees, layerPhase);
  const YRect part(rect_.x + low * rect_.width, rect_.y + low * rect_.height, (high - low) * rect_.width,
                   (high - low) * rect_.height);
  return Turned(ImageQuad(part, YRect(low, low, high - low, high - low), kImageUpright), angleDegrees,
                layerPhase);
}

// A layer whose tint is fully transparent is left out: drawn, it would show
// in the shader's own colour.
void YRotatingItem::DrawLayer(float layerAngle, float layerPhase) const {
  const YColor tint = LayerTint(layerPhase);
  if (tint.a > 0) DrawImageVertices(DrawnQuad(layerAngle, layerPhase), nullptr, shader, tint);
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
