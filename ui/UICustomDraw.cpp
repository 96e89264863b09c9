#include "ui/UICustomDraw.h"

#include "ui/UIEvent.h"

UICustomDraw::UICustomDraw(const YRect& r, std::string_view n) : UIControl(r, n, nullptr) {}

void UICustomDraw::Paint() {
  Notify(ui_event::kDraw);
}

void UICustomDraw::OnMouseDown(int, float, float) {
  Notify(ui_event::kClick);
}
