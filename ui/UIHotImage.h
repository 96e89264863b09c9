// A clickable picture that shows only while the pointer is over it or
// presses it; it clicks like a speed button.
#pragma once

#include "ui/UISpeedButton.h"

class UIHotImage : public UISpeedButton {
 public:
  UIHotImage(const YRect& rect, std::string_view name, YShader* shader, YTextureBase* texture);

  // The whole texture, only while hot or pressed.
  void Paint() override;
};
