#include "ui/UIHotImage.h"

#include "ui/UIQuads.h"

UIHotImage::UIHotImage(const YRect& r, std::string_view n, YShader* shader_, YTextureBase* texture_)
    : UISpeedButton(r, n, shader_, texture_) {}

void UIHotImage::Paint() {
  if (state_ != kHot && state_ != kPressed) return;
  BuildQuad(rect, UITexRect(0, 0, 1, 1));
  DrawQuad();
}
