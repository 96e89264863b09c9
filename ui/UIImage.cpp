#include "ui/UIImage.h"

#include "render/YRender.h"

UIImage::UIImage(const YRect& r, std::string_view n, YShader* shader_, YTextureBase* texture_,
                 const UITexRect& texRect_, const YColor& colour_)
    : UIControl(r, n, nullptr), shader(shader_), texture(texture_), texRect(texRect_), colour(colour_) {}

void UIImage::Paint() {
  BuildQuad(rect, texRect);
  if (colour.a == 0.0f)
    g_render->SetShader(shader, true);
  else
    g_render->SetShaderColor(shader, colour);
  g_render->SetStageTexture(texture, 0);
  g_render->DrawQuad28(UIQuadVertices.data());
}
