#include "draw/YDrawParticle.h"

#include "draw/EffectMath.h"
#include "draw/ParticleSystem.h"
#include "framework/YTexVertex.h"
#include "render/YCamera.h"
#include "render/YRender.h"
#include "render/YShader.h"
#include "render/YShaderStage.h"

using namespace effect_math;

YDrawParticle& YDrawParticle::Instance() {
  static YDrawParticle drawer;
  return drawer;
}

void YDrawParticle::Draw(std::uintptr_t item) {
  const std::vector<YParticle>& list = GetParticleSystem().Particles3D();
  if (item >= list.size() || g_render == nullptr) return;
  const YParticle& p = list[item];
  UseParticleShader(p.shader, p.Colour());
  DrawBillboard(p.position, p.Size());
}

void UseParticleShader(YShader* shader, const YColor& colour) {
  if (g_render == nullptr || shader == nullptr) return;
  g_render->SetShaderColor(shader, colour);
  if (!shader->stages.empty()) g_render->SetStageTexture(shader->stages.front()->texture, 0);
}

void DrawBillboard(const YVector3& position, float size) {
  if (g_render == nullptr) return;
  const YCamera& camera = GetCamera();
  const YVector3 r = camera.Right() * size, u = camera.Up() * size;
  const YTexVertex quad[4] = {
      YTexVertex(position + r, YVector2(1, 0)), YTexVertex(position + u, YVector2(1, 1)),
      YTexVertex(position - r, YVector2(0, 1)), YTexVertex(position - u, YVector2(0, 0))};
  g_render->DrawQuad28(quad);
}

void DrawBillboardColored(const YVector3& position, float size, const YColor& colour) {
  if (g_render == nullptr) return;
  g_render->SetColor(colour);
  DrawBillboard(position, size);
}
