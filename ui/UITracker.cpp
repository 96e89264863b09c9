#include "ui/UITracker.h"

#include <algorithm>

#include "render/YRender.h"
#include "ui/UIEvent.h"
#include "ui/UIQuads.h"

namespace {
constexpr int kLeftArrow = 37;
constexpr int kRightArrow = 39;
}  // namespace

UITracker::UITracker(const YRect& r, std::string_view n, YShader* shader_, YShader* thumbShader_,
                     const YColor& hotColour_, float tw)
    : UIControl(r, n, nullptr),
      shader(shader_),
      thumbShader(thumbShader_),
      hotColour(hotColour_),
      thumbWidth_(tw * r.height) {}

void UITracker::SetValue(float value) {
  if (!(value > 0)) value = 0;  // NaN too
  if (value >= 1) value = 1;
  if (value == value_) return;
  value_ = value;
  Notify(ui_event::kClick);
}

float UITracker::Travel() const {
  return std::max(rect.width - thumbWidth_, 0.0f);
}

float UITracker::ValueAt(float x) const {
  const float travel = Travel();
  return travel > 0 ? (x - thumbWidth_ * 0.5f) / travel : 0.0f;
}

void UITracker::OnKeyDown(int vkey) {
  if ((vkey & 0xff) == kLeftArrow) SetValue(value_ - step);
  if ((vkey & 0xff) == kRightArrow) SetValue(value_ + step);
}

void UITracker::OnMouseEnter() {
  SetFocus();
}

void UITracker::OnMouseLeave() {
  dragging_ = false;
}

void UITracker::OnMouseMove(float x, float) {
  if (dragging_) SetValue(ValueAt(x));
}

void UITracker::OnMouseDown(int, float x, float) {
  SetValue(ValueAt(x));
  dragging_ = true;
}

void UITracker::OnMouseUp(int, float x, float) {
  if (!dragging_) return;
  SetValue(ValueAt(x));
  dragging_ = false;
}

void UITracker::KillFocus() {
  UIControl::KillFocus();
  dragging_ = false;
}

void UITracker::Paint() {
  BuildTrackQuad(YRect(0, 0, rect.width, rect.height), UITexRect(0, 0, 1, 1));
  DrawPart(shader);
  BuildThumbQuad(YRect(Travel() * value_, 0, thumbWidth_, rect.height), UITexRect(0, 0, 1, 1));
  DrawPart(thumbShader);
}

void UITracker::DrawPart(YShader* part) const {
  if (Focused() == this)
    g_render->SetShaderColor(part, hotColour);
  else
    g_render->SetShader(part, true);
  g_render->DrawQuad28(UIQuadVertices.data());
}
