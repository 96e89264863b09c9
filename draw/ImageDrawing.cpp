#include "draw/ImageDrawing.h"

#include "draw/TextDrawing.h"
#include "framework/IntToString.h"
#include "players/PlayerRules.h"
#include "players/YPlayer.h"
#include "render/YContainer.h"
#include "render/YRender.h"
#include "render/YShader.h"
#include "render/YTextureBase.h"
#include "ui/UIQuads.h"

namespace {

const YColor kLevelColour(1, 1, 0.5f, 1);
constexpr float kLevelSizeFactor = 0.2f;  // the level text's height over the portrait's width
constexpr float kCapFactor = 0.25f;       // item box caps: a quarter of the height wide

YTextureBase* OwnTexture(const YShader* shader) {
  if (shader->stages.empty()) return nullptr;
  return shader->stages.front()->texture;
}

// Makes the shader current in the tint (or its own material) with the
// texture on stage 0: the shader's own one when none is given, so a texture
// bound by an earlier picture never shows through.
void UseShader(YShader* shader, YTextureBase* texture, const YColor& colour) {
  if (colour.a > 0) {
    g_render->SetShaderColor(shader, colour);
  } else {
    g_render->SetShader(shader, false);
    g_render->SetMaterial(shader->material, true);
  }
  g_render->SetStageTexture(texture != nullptr ? texture : OwnTexture(shader), 0);
}

// Whether a picture can be drawn: a renderer exists and the texture, when
// one is given, holds its image. A texture still waiting for its first use
// loads here, as the renderer's own binds do; one whose image could not be
// loaded draws nothing (binding it would leave whatever texture was bound
// before).
bool CanDrawWith(YTextureBase* texture) {
  if (g_render == nullptr) return false;
  if (texture == nullptr) return true;
  texture->LoadIfWaiting();
  return texture->DeviceTexture() != nullptr;
}

}  // namespace

YShader* GetImageStd() {
  static YShader* const shader = GetShader("image_std");
  return shader;
}

YTextureBase* GetTexture(std::string_view name) {
  return YContainer<YTextureBase>::Get(name);
}

std::array<YTexVertex, 4> ImageQuad(const YRect& s, const YRect& t, int orientation) {
  const float l = s.x, r = s.x + s.width, top = s.y, b = s.y + s.height;
  const float u0 = t.x, u1 = t.x + t.width, v0 = t.y, v1 = t.y + t.height;
  // Texture corners for the screen corners top left, bottom left, bottom right, top right.
  YVector2 uv[4] = {{u0, v0}, {u0, v1}, {u1, v1}, {u1, v0}};
  if (orientation == kImageMirrored) {
    uv[0] = {u1, v0}, uv[1] = {u1, v1}, uv[2] = {u0, v1}, uv[3] = {u0, v0};
  } else if (orientation == kImageQuarterTurn) {
    uv[0] = {u1, v0}, uv[1] = {u0, v0}, uv[2] = {u0, v1}, uv[3] = {u1, v1};
  }
  return {YTexVertex(YVector3(l, top, 0), uv[0]), YTexVertex(YVector3(l, b, 0), uv[1]),
          YTexVertex(YVector3(r, b, 0), uv[2]), YTexVertex(YVector3(r, top, 0), uv[3])};
}

void DrawImageVertices(const std::array<YTexVertex, 4>& quad, YTextureBase* texture, YShader* shader,
                       const YColor& colour) {
  if (!CanDrawWith(texture)) return;
  UseShader(shader != nullptr ? shader : GetImageStd(), texture, colour);
  g_render->DrawQuad28(quad.data());
}

void DrawImageQuadTinted(const YRect& screen, const YRect& tex, int orientation, YTextureBase* texture,
                         YShader* shader, const YColor& colour) {
  DrawImageVertices(ImageQuad(screen, tex, orientation), texture, shader, colour);
}

void DrawImageRect(float x, float y, float w, float h, YTextureBase* texture, YShader* shader, int orientation,
                   const YColor& colour) {
  DrawImageQuadTinted(YRect(x, y, w, h), YRect(0, 0, 1, 1), orientation, texture, shader, colour);
}

void DrawImageQuad(const YRect& screen, const YRect& tex, YTextureBase* texture, YShader* shader) {
  DrawImageQuadTinted(screen, tex, kImageUpright, texture, shader, kShaderColour);
}

void DrawItemBox(const YRect& rect, YTextureBase* texture, YShader* shader, const YColor& colour) {
  if (!CanDrawWith(texture)) return;
  UseShader(shader != nullptr ? shader : GetImageStd(), texture, colour);
  BuildSideCapBands(rect, UITexRect(0, 0, 1, 1), kCapFactor);
  g_render->DrawStrip28(UIQuadVertices.data(), 6);
}

int ShownLevel(const YPlayer& player) {
  return SaturatedInt32(std::int64_t{player.level} + 1);
}

void DrawPortrait(const YRect& rect, YPlayer* player, bool mirrored) {
  if (player == nullptr) return;
  if (YTextureBase* face = player->GetFace())
    DrawImageRect(rect.x, rect.y, rect.width, rect.height, face, nullptr,
                  mirrored ? kImageMirrored : kImageUpright, kShaderColour);
  const float size = kLevelSizeFactor * rect.width;
  DrawTextShadow(rect.x + size / 4, rect.y + size, size, kLevelColour, IntToString(ShownLevel(*player)));
}
