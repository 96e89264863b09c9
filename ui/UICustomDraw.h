// An area its listener draws: every paint asks the listener (code 1) to draw
// the control's content now, in the control's own coordinates; a press of
// any button reports code 0.
#pragma once

#include "ui/UIControl.h"

class UICustomDraw : public UIControl {
 public:
  UICustomDraw(const YRect& rect, std::string_view name);

  void Paint() override;
  void OnMouseDown(int button, float x, float y) override;
};
