// A caption button: a frame stretched over its width from the texture's
// top half (normal, disabled) or bottom half (hot, pressed) with side caps
// that keep their shape, and a centred caption in the style of its look.
// A left click reports code 0 and plays the click sound.
#pragma once

#include <string>

#include "framework/YColor.h"
#include "render/UITextStyle.h"
#include "ui/UIPressable.h"

class YShader;
class YTextureBase;

class UIButton : public UIPressable {
 public:
  // The disabled style takes the normal style's font and size with
  // `disabledColour`.
  UIButton(const YRect& rect, std::string_view name, YShader* shader, YTextureBase* texture,
           const UITextStyle& normal, const UITextStyle& hot, std::string_view caption, float lrFactor,
           const YColor& disabledColour);

  void Paint() override;
  std::optional<YRect> LookBounds() const override;

  // Disabled at once; enabled only from disabled (a hot or pressed look
  // stays until the pointer moves).
  void SetEnabled(bool enabled);

  enum StyleIndex { kNormalStyle, kHotStyle, kDisabledStyle };

  YShader* shader;
  YTextureBase* texture;  // may be null: the shader's own
  float lrFactor;         // each side cap is lrFactor x height wide
  std::string caption;
  UITextStyle styles[3];
};
