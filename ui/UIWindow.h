// A framed panel. With an aspect (the frame texture's width over its
// height) the texture is cut across at v = tl1 and v = tl2: the top and
// bottom caps keep their shape at any height and the middle stretches.
// With a band as well, the top cap (the title band) is that high at any
// width and the frame is cut down its sides too, its corners keeping their
// shape, so that a title of one size stands in the band of every dialog.
// Without an aspect (0) the whole texture is one quad.
#pragma once

#include "ui/UIControl.h"

class YShader;
class YTextureBase;

class UIWindow : public UIControl {
 public:
  UIWindow(const YRect& rect, std::string_view name, YShader* shader, YTextureBase* texture, float aspect,
           float tl1, float tl2);

  void Paint() override;
  // The height the top cap is drawn at: the band, or with none the
  // texture's proportion at the window's width; 0 without an aspect.
  float TopCap() const;

  YShader* shader;
  YTextureBase* texture;  // may be null: the shader's own
  float aspect;
  float tl1;  // texture v where the top cap ends
  float tl2;  // texture v where the bottom cap begins
  // The top cap's height in UI units (layout attribute "band"); 0: the caps
  // keep the texture's proportions at the window's width.
  float band = 0;

 private:
  // Drawn at its band: an aspect, a band and a top cap in the texture.
  bool Banded() const;
  // The frame in nine pieces, its caps at the band's scale.
  void PaintAtBand();
};
