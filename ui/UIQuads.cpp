#include "ui/UIQuads.h"

#include "render/YFont.h"
#include "render/YRender.h"

std::array<YTexVertex, 8> UIQuadVertices;

namespace {

void Put(int index, float x, float y, float u, float v) {
  UIQuadVertices[static_cast<std::size_t>(index)] = YTexVertex(YVector3(x, y, 0), YVector2(u, v));
}

// Three bands side by side from `top` to `bottom`: columns at xs, texture
// u at us, v from vTop to vBottom; top and bottom corners in turn.
void PutColumns(const float (&xs)[4], const float (&us)[4], float top, float bottom, float vTop, float vBottom) {
  for (int i = 0; i < 4; ++i) {
    Put(2 * i, xs[i], top, us[i], vTop);
    Put(2 * i + 1, xs[i], bottom, us[i], vBottom);
  }
}

void PlacedQuad(float x, float y, const YRect& rect, const UITexRect& t) {
  Put(0, x, y, t.x, t.y);
  Put(1, x + rect.width, y, t.x + t.width, t.y);
  Put(2, x + rect.width, y + rect.height, t.x + t.width, t.y + t.height);
  Put(3, x, y + rect.height, t.x, t.y + t.height);
}

}  // namespace

void BuildQuad(const YRect& rect, const UITexRect& tex) {
  PlacedQuad(0, 0, rect, tex);
}

void BuildTrackQuad(const YRect& rect, const UITexRect& tex) {
  PlacedQuad(rect.x, rect.y, rect, tex);
}

void BuildThumbQuad(const YRect& rect, const UITexRect& tex) {
  PlacedQuad(rect.x, rect.y, rect, tex);
}

void BuildWindowBands(const YRect& rect, float aspect, float tl1, float tl2) {
  const float w = rect.width, h = rect.height;
  const float y1 = tl1 * w / aspect;
  const float y2 = h - (1 - tl2) * w / aspect;
  Put(0, w, 0, 1, 0);
  Put(1, 0, 0, 0, 0);
  Put(2, w, y1, 1, tl1);
  Put(3, 0, y1, 0, tl1);
  Put(4, w, y2, 1, tl2);
  Put(5, 0, y2, 0, tl2);
  Put(6, w, h, 1, 1);
  Put(7, 0, h, 0, 1);
}

void BuildSideCapBands(const YRect& p, const UITexRect& t, float lrFactor) {
  const float c = lrFactor * p.height;
  const float xs[4] = {p.x, p.x + c, p.x + p.width - c, p.x + p.width};
  const float us[4] = {t.x, t.x + 0.25f * t.width, t.x + 0.75f * t.width, t.x + t.width};
  PutColumns(xs, us, p.y, p.y + p.height, t.y, t.y + t.height);
}

void BuildFrameRow(float width, float top, float bottom, float vTop, float vBottom, float corner, float cornerU) {
  const float xs[4] = {0, corner, width - corner, width};
  const float us[4] = {0, cornerU, 1 - cornerU, 1};
  PutColumns(xs, us, top, bottom, vTop, vBottom);
}

void BuildEndCapBands(const YRect& p, const UITexRect& t) {
  const float cap = 0.25f * p.width;
  const float ys[4] = {p.y, p.y + cap, p.y + p.height - cap, p.y + p.height};
  const float vs[4] = {t.y, t.y + 0.125f * t.height, t.y + 0.875f * t.height, t.y + t.height};
  for (int i = 0; i < 4; ++i) {
    Put(2 * i, p.x, ys[i], t.x, vs[i]);
    Put(2 * i + 1, p.x + p.width, ys[i], t.x + t.width, vs[i]);
  }
}

void BuildListBands(const YRect& p, float corner, float vBottom, float vTop) {
  const float xs[4] = {p.x, p.x + corner, p.x + p.width - corner, p.x + p.width};
  const float us[4] = {0, 0.25f, 0.75f, 1};
  PutColumns(xs, us, p.y, p.y + p.height, vTop, vBottom);
}

void DrawUIQuad(const YRect& rect, const UITexRect& tex, YShader* shader, YTextureBase* texture) {
  if (!g_render) return;
  BuildQuad(rect, tex);
  g_render->SetShader(shader, true);
  g_render->SetStageTexture(texture, 0);
  g_render->DrawQuad28(UIQuadVertices.data());
}

float GetStyledTextWidth(const UITextStyle& style, std::string_view text) {
  return style.font ? style.font->GetTextWidth(text) * style.size : 0.0f;
}

bool SameStyle(const UITextStyle& a, const UITextStyle& b) {
  return a.font == b.font && a.size == b.size && a.colour.r == b.colour.r && a.colour.g == b.colour.g &&
         a.colour.b == b.colour.b && a.colour.a == b.colour.a;
}
