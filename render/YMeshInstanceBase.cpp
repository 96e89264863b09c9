#include "render/YMeshInstanceBase.h"

#include "render/Shadows.h"
#include "render/YCamera.h"
#include "render/YMesh.h"

namespace {

// The direction `d` as a row vector times the 3 x 3 part of `m`.
YVector3 TransformDirection(const YVector3& d, const YMatrix4& m) {
  return YVector3(d.x * m.m[0][0] + d.y * m.m[1][0] + d.z * m.m[2][0],
                  d.x * m.m[0][1] + d.y * m.m[1][1] + d.z * m.m[2][1],
                  d.x * m.m[0][2] + d.y * m.m[1][2] + d.z * m.m[2][2]);
}

YVector3 PositionOf(const YMeshVertex& v) {
  return YVector3(v.x, v.y, v.z);
}

}  // namespace

YMeshInstanceBase::YMeshInstanceBase(YMesh* mesh, float scale)
    : vertices(mesh->vertices), mesh_(mesh), scale_(scale) {
  if (scale != 1.0f) YMeshData::ScalePositions(vertices, mesh->positions, scale);
  YMeshInstanceBase::CreateDeviceObjects();
}

YMeshInstanceBase::~YMeshInstanceBase() {
  YMeshInstanceBase::ReleaseDeviceObjects();
}

void YMeshInstanceBase::CreateDeviceObjects() {
  if (g_render == nullptr) return;
  if (vertexBuffer_ != nullptr) g_render->ReleaseVertexBuffer(vertexBuffer_);
  vertexBuffer_ = g_render->CreateVertexBuffer(vertices);
  dirty = false;
}

void YMeshInstanceBase::ReleaseDeviceObjects() {
  if (g_render != nullptr && vertexBuffer_ != nullptr) g_render->ReleaseVertexBuffer(vertexBuffer_);
  vertexBuffer_ = nullptr;
}

void YMeshInstanceBase::FlushVertices() {
  if (!dirty) return;
  if (g_render != nullptr) g_render->UpdateVertexBuffer(vertexBuffer_, vertices);
  dirty = false;
}

std::span<const YMeshFace> YMeshInstanceBase::Faces() const {
  if (!ownFaces_.empty()) return ownFaces_;
  return mesh_->faces;
}

void YMeshInstanceBase::AddShadowVolume(const YMatrix4& world) {
  // Which faces look along the light; kept between calls to spare allocations.
  static std::vector<bool> alongLight;
  const std::span<const YMeshFace> faces = Faces();
  YMatrix4 rotation = world;
  rotation.m[3][0] = rotation.m[3][1] = rotation.m[3][2] = 0;
  YMatrix4 inverse;
  rotation.Inverse(inverse);
  const YVector3 light = TransformDirection(GetCamera().LightDirection(), inverse);
  alongLight.assign(faces.size(), false);
  for (std::size_t i = 0; i < faces.size(); ++i) alongLight[i] = faces[i].normal.Dot(light) > 0.0f;

  for (const YMeshEdge& edge : mesh_->edges) {
    const bool first = alongLight[static_cast<std::size_t>(edge.f0)];
    if (first == alongLight[static_cast<std::size_t>(edge.f1)]) continue;
    const YVector3 a = world.TransformPoint(PositionOf(vertices[static_cast<std::size_t>(edge.v0)]));
    const YVector3 b = world.TransformPoint(PositionOf(vertices[static_cast<std::size_t>(edge.v1)]));
    if (first)
      AddShadowEdge(b, a);
    else
      AddShadowEdge(a, b);
  }
}
