#include "ui/UIWindow.h"

#include "render/YRender.h"
#include "ui/UIQuads.h"

UIWindow::UIWindow(const YRect& r, std::string_view n, YShader* shader_, YTextureBase* texture_, float aspect_,
                   float tl1_, float tl2_)
    : UIControl(r, n, nullptr), shader(shader_), texture(texture_), aspect(aspect_), tl1(tl1_), tl2(tl2_) {}

void UIWindow::Paint() {
  g_render->SetShader(shader, true);
  g_render->SetStageTexture(texture, 0);
  if (aspect != 0.0f) {
    BuildWindowBands(rect, aspect, tl1, tl2);
    g_render->DrawStrip28(UIQuadVertices.data(), 6);
    return;
  }
  BuildQuad(rect, UITexRect(0, 0, 1, 1));
  g_render->DrawQuad28(UIQuadVertices.data());
}
