// A picture: one quad of a texture rectangle, drawn with its shader's own
// material, or tinted by a colour whose alpha is not 0.
#pragma once

#include "framework/YColor.h"
#include "ui/UIControl.h"
#include "ui/UIQuads.h"

class YShader;
class YTextureBase;

class UIImage : public UIControl {
 public:
  // `texture` may be null (the shader's own stage texture is drawn); neither
  // pointer is owned.
  UIImage(const YRect& rect, std::string_view name, YShader* shader, YTextureBase* texture,
          const UITexRect& texRect, const YColor& colour);

  void Paint() override;

  YShader* shader;
  YTextureBase* texture;
  UITexRect texRect;
  YColor colour;  // alpha exactly 0: the shader's material
};
