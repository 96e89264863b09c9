#include "ui/UIButton.h"

#include <algorithm>

#include "render/StyledText.h"
#include "render/YFont.h"
#include "render/YRender.h"
#include "ui/UIQuads.h"

namespace {

const UITexRect kTopHalf(0, 0, 1, 0.49f);
const UITexRect kBottomHalf(0, 0.5f, 1, 0.49f);
const YColor kDisabledTint(0.9f, 0.9f, 0.9f, 1.0f);

}  // namespace

UIButton::UIButton(const YRect& r, std::string_view n, YShader* shader_, YTextureBase* texture_,
                   const UITextStyle& normal, const UITextStyle& hot, std::string_view caption_, float lrFactor_,
                   const YColor& disabledColour)
    : UIPressable(r, n), shader(shader_), texture(texture_), lrFactor(lrFactor_), caption(caption_) {
  for (UITextStyle& style : styles) style = UITextStyle{YFont::Find("default"), 16.0f, YColor(1, 1, 1, 1)};
  styles[kNormalStyle] = normal;
  styles[kHotStyle] = hot;
  styles[kDisabledStyle] = UITextStyle{normal.font, normal.size, disabledColour};
}

// A pressed button's frame and caption sit a little right and down.
void UIButton::Paint() {
  const int state = state_;
  const float w = rect.width, h = rect.height;
  float ox = 0, oy = 0;
  if (state == kPressed) {
    ox = 0.05f * h;
    oy = h * 0.0666667f;
  }
  const bool lower = state == kHot || state == kPressed;
  BuildSideCapBands(YRect(ox, oy, w, h), lower ? kBottomHalf : kTopHalf, lrFactor);
  if (state == kDisabled) g_render->SetShaderColor(shader, kDisabledTint);
  g_render->SetShader(shader, true);
  g_render->SetStageTexture(texture, 0);
  g_render->DrawStrip28(UIQuadVertices.data(), 6);

  const UITextStyle& style = styles[state == kDisabled ? kDisabledStyle
                                    : lower                          ? kHotStyle
                                                                     : kNormalStyle];
  const float x = (w - GetStyledTextWidth(style, caption)) * 0.5f + ox;
  DrawStyledText(x, (style.size + h) * 0.5f + oy, style, caption);
}

// The frame moves right and down a little when pressed, and a caption may
// reach past the sides and, in a large font, past the top and bottom; the
// bounds leave room for all of that with the glyphs' overhang.
std::optional<YRect> UIButton::LookBounds() const {
  float textWidth = 0, textSize = 0;
  for (const UITextStyle& style : styles) {
    textWidth = std::max(textWidth, GetStyledTextWidth(style, caption));
    textSize = std::max(textSize, style.size);
  }
  const float h = rect.height;
  const float padX = std::max(0.0f, (textWidth - rect.width) * 0.5f) + 0.5f * textSize + 0.1f * h;
  const float padY = 0.5f * std::max(h, textSize) + 0.1f * h;
  return YRect(-padX, -padY, rect.width + 2 * padX, h + 2 * padY);
}

void UIButton::SetEnabled(bool enabled) {
  if (!enabled)
    state_ = kDisabled;
  else if (state_ == kDisabled)
    state_ = kNormal;
}
