#include "ui/UISpeedButton.h"

#include "render/YRender.h"
#include "ui/UIQuads.h"

namespace {

// The quarter of the texture that shows each look, a little inset so that
// filtering does not bleed in from the neighbouring quarter.
const UITexRect kLooks[4] = {UITexRect(0.01f, 0.01f, 0.49f, 0.49f), UITexRect(0.51f, 0.01f, 0.49f, 0.49f),
                             UITexRect(0.01f, 0.51f, 0.49f, 0.49f), UITexRect(0.51f, 0.51f, 0.49f, 0.49f)};

}  // namespace

UISpeedButton::UISpeedButton(const YRect& r, std::string_view n, YShader* shader_, YTextureBase* texture_)
    : UIPressable(r, n), shader(shader_), texture(texture_) {}

void UISpeedButton::Paint() {
  BuildQuad(rect, kLooks[state_ & 3]);
  DrawQuad();
}

void UISpeedButton::DrawQuad() const {
  g_render->SetShader(shader, true);
  g_render->SetStageTexture(texture, 0);
  g_render->DrawQuad28(UIQuadVertices.data());
}

void UISpeedButton::SetEnabled(bool enabled) {
  state_ = enabled ? kNormal : kDisabled;
}
