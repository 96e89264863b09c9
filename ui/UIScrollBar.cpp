#include "ui/UIScrollBar.h"

#include <algorithm>
#include <memory>

#include "render/YRender.h"
#include "ui/UIQuads.h"
#include "ui/UISpeedButton.h"

UIScrollBar::UIScrollBar(const YRect& r, std::string_view n, YShader* shader_, YTextureBase* upTexture,
                         YTextureBase* downTexture, YTextureBase* trackTexture_)
    : UIControl(r, n, nullptr), shader(shader_), trackTexture(trackTexture_) {
  const float w = r.width;
  upArrow = static_cast<UISpeedButton*>(
      AddChild(std::make_unique<UISpeedButton>(YRect(0, 0, w, w), "", shader_, upTexture)));
  downArrow = static_cast<UISpeedButton*>(
      AddChild(std::make_unique<UISpeedButton>(YRect(0, r.height - w, w, w), "", shader_, downTexture)));
  upArrow->listener = this;
  downArrow->listener = this;
}

void UIScrollBar::SetRange(int position, int total, int visible) {
  total_ = std::max(total, 0);
  visible_ = std::clamp(visible, 0, total_);
  SetPos(position);
}

void UIScrollBar::SetPos(int position) {
  position_ = std::min(position, total_ - visible_);
  if (position_ < 1) position_ = 0;
}

float UIScrollBar::ThumbLength() const {
  const float minimum = 0.8f * rect.width;
  if (total_ <= 0) return minimum;
  return std::max(TrackLength() / static_cast<float>(total_) * static_cast<float>(visible_), minimum);
}

float UIScrollBar::ThumbTop() const {
  if (total_ <= visible_) return rect.width;
  const float free = TrackLength() - ThumbLength();
  return free / static_cast<float>(total_ - visible_) * static_cast<float>(position_) + rect.width;
}

void UIScrollBar::Paint() {
  const float w = rect.width;
  BuildEndCapBands(YRect(0, w, w, TrackLength()), UITexRect(0, 0, 0.49f, 1.0f));
  g_render->SetShader(shader, true);
  g_render->SetStageTexture(trackTexture, 0);
  g_render->DrawStrip28(UIQuadVertices.data(), 6);
  BuildEndCapBands(YRect(0, ThumbTop(), w, ThumbLength()), UITexRect(0.5f, 0, 0.49f, 1.0f));
  g_render->SetShader(shader, true);
  g_render->SetStageTexture(trackTexture, 0);
  g_render->DrawStrip28(UIQuadVertices.data(), 6);
}

void UIScrollBar::OnEvent(int, UIControl* sender) {
  if (sender == upArrow && position_ > 0) SetPos(position_ - 1);
  if (sender == downArrow && position_ < total_ - visible_) SetPos(position_ + 1);
}
