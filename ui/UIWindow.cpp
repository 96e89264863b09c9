#include "ui/UIWindow.h"

#include <algorithm>

#include "render/YRender.h"
#include "ui/UIQuads.h"

UIWindow::UIWindow(const YRect& r, std::string_view n, YShader* shader_, YTextureBase* texture_, float aspect_,
                   float tl1_, float tl2_)
    : UIControl(r, n, nullptr), shader(shader_), texture(texture_), aspect(aspect_), tl1(tl1_), tl2(tl2_) {}

bool UIWindow::Banded() const {
  return aspect != 0.0f && band > 0 && tl1 > 0;
}

float UIWindow::TopCap() const {
  if (aspect == 0.0f) return 0;
  return Banded() ? band : tl1 * rect.width / aspect;
}

void UIWindow::Paint() {
  g_render->SetShader(shader, true);
  g_render->SetStageTexture(texture, 0);
  if (Banded()) return PaintAtBand();
  if (aspect != 0.0f) {
    BuildWindowBands(rect, aspect, tl1, tl2);
    g_render->DrawStrip28(UIQuadVertices.data(), 6);
    return;
  }
  BuildQuad(rect, UITexRect(0, 0, 1, 1));
  g_render->DrawQuad28(UIQuadVertices.data());
}

// The texture at one scale: the top cap `band` high, the bottom cap in the
// texture's proportion to it, the corner columns as wide as the top cap is
// high (on a window too small for them, all shrink alike).
void UIWindow::PaintAtBand() {
  const float w = rect.width, h = rect.height;
  const float cornerU = tl1 / aspect;
  float top = band, bottom = std::max(0.0f, band * (1 - tl2) / tl1), corner = band;
  const float fit = std::min({1.0f, h / (top + bottom), w / (2 * corner)});
  top *= fit;
  bottom *= fit;
  corner *= fit;
  const float rows[3][4] = {{0, top, 0, tl1}, {top, h - bottom, tl1, tl2}, {h - bottom, h, tl2, 1}};
  for (const auto& row : rows) {
    BuildFrameRow(w, row[0], row[1], row[2], row[3], corner, cornerU);
    g_render->DrawStrip28(UIQuadVertices.data(), 6);
  }
}
