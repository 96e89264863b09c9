#include "ui/UIHotLine.h"

#include "render/StyledText.h"
#include "ui/UIEvent.h"
#include "ui/UIQuads.h"

UIHotLine::UIHotLine(float x, float baseline, std::string_view linkName, const UITextStyle& style_,
                     const YColor& hotColour_, std::string_view text_)
    : UIControl(YRect(x, baseline - style_.size, GetStyledTextWidth(style_, text_), style_.size), linkName,
                nullptr),
      text(text_),
      style(style_),
      hotColour(hotColour_),
      next_(this) {}

UIHotLine::~UIHotLine() {
  UIHotLine* before = next_;
  while (before->next_ != this) before = before->next_;
  before->next_ = next_;
}

void UIHotLine::Join(UIHotLine* other) {
  if (!other || other == this) return;
  other->next_ = next_;
  next_ = other;
}

void UIHotLine::SetEnabled(bool enabled) {
  state_ = enabled ? kNormal : kDisabled;
}

void UIHotLine::SetRing(int from, int to) {
  for (UIHotLine* piece = next_; piece != this; piece = piece->next_)
    if (piece->state_ == from) piece->state_ = to;
}

void UIHotLine::Paint() {
  if (state_ == kNormal)
    DrawStyledText(0, style.size, style, text);
  else
    DrawStyledTextColor(0, style.size, style, state_ == kHot ? hotColour : disabledColour, text);
}

void UIHotLine::OnMouseEnter() {
  if (state_ == kNormal) state_ = kHot;
  SetRing(kNormal, kHot);
}

void UIHotLine::OnMouseLeave() {
  if (state_ == kHot) state_ = kNormal;
  SetRing(kHot, kNormal);
}

void UIHotLine::OnMouseDown(int, float, float) {
  if (state_ != kDisabled) Notify(ui_event::kClick);
}
