// A framed panel. With an aspect (the frame texture's width over its
// height) the texture is cut across at v = tl1 and v = tl2: the top and
// bottom caps keep their shape at any height and the middle stretches.
// Without one (aspect 0) the whole texture is one quad.
#pragma once

#include "ui/UIControl.h"

class YShader;
class YTextureBase;

class UIWindow : public UIControl {
 public:
  UIWindow(const YRect& rect, std::string_view name, YShader* shader, YTextureBase* texture, float aspect,
           float tl1, float tl2);

  void Paint() override;

  YShader* shader;
  YTextureBase* texture;  // may be null: the shader's own
  float aspect;
  float tl1;  // texture v where the top cap ends
  float tl2;  // texture v where the bottom cap begins
};
