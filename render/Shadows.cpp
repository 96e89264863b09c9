#include "render/Shadows.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "framework/Init.h"
#include "framework/YMatrix4.h"
#include "render/YCamera.h"
#include "render/YRender.h"
#include "render/YShader.h"

namespace {

// "shadowPass1", "shadowPass2", "shadowPass3".
std::array<YShader*, 3> g_passes{};

// The shaders exist before main, so the shader file fills them in place.
[[maybe_unused]] const bool g_passesMade = (CreateShadowShaders(), true);

// p moved along the light until its height is light.z.
YVector3 Extrude(const YVector3& p, const YVector3& light) {
  const float t = p.z / light.z - 1.0f;
  return YVector3(p.x - light.x * t, p.y - light.y * t, light.z);
}

void Append(std::vector<YVector3>& list, std::initializer_list<YVector3> points) {
  list.insert(list.end(), points);
}

void DrawList(YRender& render, YShader* pass, const std::vector<YVector3>& list) {
  if (list.empty()) return;
  render.SetShader(pass, true);
  render.DrawTriangles(list.data(), static_cast<std::uint32_t>(list.size() / 3));
}

}  // namespace

void ShadowVolumes::AddEdge(const YVector3& a, const YVector3& b, const YVector3& light,
                            const YVector3& eye) {
  if (a.z < kLowestCaster || b.z < kLowestCaster) return;
  if (!(light.z < 0.0f)) return;

  const YVector3 a2 = Extrude(a, light);
  const YVector3 b2 = Extrude(b, light);
  YVector3 edge, normal, toEye;
  b.Subtract(edge, a);
  normal.Cross(edge, light);
  eye.Subtract(toEye, a);
  std::vector<YVector3>& list = normal.Dot(toEye) > 0.0f ? front_ : back_;
  Append(list, {a, b, b2, a, b2, a2});
}

void ShadowVolumes::Clear() {
  front_.clear();
  back_.clear();
}

bool ShadowClipBounds(const ShadowVolumes& volumes, const YMatrix4& viewProjection, float margin,
                      float bounds[4]) {
  float b[4] = {2, 2, -2, -2};
  if (!YCamera::WidenClipBounds(volumes.Back(), viewProjection, b) ||
      !YCamera::WidenClipBounds(volumes.Front(), viewProjection, b))
    return false;
  bounds[0] = std::max(b[0] - margin, -1.0f);
  bounds[1] = std::max(b[1] - margin, -1.0f);
  bounds[2] = std::min(b[2] + margin, 1.0f);
  bounds[3] = std::min(b[3] + margin, 1.0f);
  return true;
}

ShadowVolumes& GetShadowVolumes() {
  static ShadowVolumes volumes;
  return volumes;
}

void CreateShadowShaders() {
  g_passes = {GetShader("shadowPass1"), GetShader("shadowPass2"), GetShader("shadowPass3")};
}

bool ShadowsEnabled() {
  return GetInit().shadows && g_render != nullptr && g_render->stencil;
}

void ClearShadowVolumes() {
  GetShadowVolumes().Clear();
}

void AddShadowEdge(const YVector3& a, const YVector3& b) {
  const YCamera& camera = GetCamera();
  GetShadowVolumes().AddEdge(a, b, camera.LightDirection(), camera.Eye());
}

void DrawShadows() {
  if (!ShadowsEnabled()) return;
  YRender& render = *g_render;
  const ShadowVolumes& volumes = GetShadowVolumes();
  // Without faces no stencil value changes, so there is nothing to darken.
  if (volumes.Back().empty() && volumes.Front().empty()) return;
  render.SetWorldTransform(YMatrix4());
  DrawList(render, g_passes[0], volumes.Back());
  DrawList(render, g_passes[1], volumes.Front());
  render.SetShader(g_passes[2], true);
  // Outside the volumes' place on the screen every count is zero: the
  // darkening quad covers that place alone (a pixel's width to spare).
  float b[4];
  if (ShadowClipBounds(volumes, GetCamera().ViewProjection(), 0.01f, b))
    render.DrawScreenArea(b[0], b[1], b[2], b[3]);
  else
    render.DrawScreenQuad();
}
