// An image button: its texture holds four looks in its quarters (top left
// normal, top right hot, bottom left pressed, bottom right disabled). A
// left click reports code 0 and plays the click sound.
#pragma once

#include "ui/UIPressable.h"

class YShader;
class YTextureBase;

class UISpeedButton : public UIPressable {
 public:
  UISpeedButton(const YRect& rect, std::string_view name, YShader* shader, YTextureBase* texture);

  void Paint() override;

  // Normal (also from a hot or pressed look) or disabled.
  void SetEnabled(bool enabled);

  YShader* shader;
  YTextureBase* texture;  // may be null: the shader's own

 protected:
  // Binds the shader and the texture and draws the first four vertices.
  void DrawQuad() const;
};
