// Render_D3D: the state slots (the renderer's ids onto the device's numeric
// states), transforms, drawing from the caller's memory, device buffers and
// the texture slots.
#include <algorithm>
#include <array>
#include <cmath>

#include "framework/Log.h"
#include "render/Render_D3D.h"
#include "render/TextureLoading.h"
#include "render/YMeshRecords.h"
#include "render/YTextureBase.h"

namespace {

namespace rs = platform::rs;
namespace tss = platform::tss;
using platform::PrimitiveType;
using platform::TransformKind;

// The device state each renderer id drives.
constexpr std::array<std::uint32_t, kRenderStateCount> kRenderStates = {rs::AlphaBlendEnable,
                                                                        rs::SrcBlend,
                                                                        rs::DestBlend,
                                                                        rs::TextureFactor,
                                                                        rs::ZFunc,
                                                                        rs::CullMode,
                                                                        rs::ZEnable,
                                                                        rs::ZWriteEnable,
                                                                        rs::StencilEnable,
                                                                        rs::StencilFail,
                                                                        rs::StencilZFail,
                                                                        rs::StencilPass,
                                                                        rs::StencilFunc,
                                                                        rs::StencilRef,
                                                                        rs::StencilMask,
                                                                        rs::StencilWriteMask,
                                                                        rs::DiffuseMaterialSource,
                                                                        rs::SpecularMaterialSource,
                                                                        rs::AmbientMaterialSource,
                                                                        rs::EmissiveMaterialSource};
constexpr std::array<std::uint32_t, kStageStateCount> kStageStates = {
    tss::ColorOp,   tss::ColorArg1, tss::ColorArg2, tss::AlphaOp,  tss::AlphaArg1, tss::AlphaArg2,
    tss::MagFilter, tss::MinFilter, tss::MipFilter, tss::AddressU, tss::AddressV};

// Stage-state ids of the colour and alpha operations, and their "disable".
constexpr std::size_t kColorOpId = 0;
constexpr std::size_t kAlphaOpId = 3;
constexpr std::uint32_t kTextureTransformOff = 0;
constexpr std::uint32_t kTextureTransformTwoCoords = 2;
constexpr float kDegreesToRadians = 0.017453292f;

platform::Matrix16 ToDevice(const YMatrix4& matrix) {
  platform::Matrix16 out;
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 4; ++col) out[static_cast<std::size_t>(row * 4 + col)] = matrix.m[row][col];
  return out;
}

platform::ColorValue ToDevice(const YColor& c) {
  return {c.r, c.g, c.b, c.a};
}

// Left-handed off-centre orthographic projection onto depth 0..1.
platform::Matrix16 OrthoOffCenterLH(float l, float r, float b, float t, float zn, float zf) {
  return {2 / (r - l),
          0,
          0,
          0,
          0,
          2 / (t - b),
          0,
          0,
          0,
          0,
          1 / (zf - zn),
          0,
          (l + r) / (l - r),
          (t + b) / (b - t),
          zn / (zn - zf),
          1};
}

// Right-handed perspective projection with a vertical field of view.
platform::Matrix16 PerspectiveFovRH(float fovY, float aspect, float zn, float zf) {
  const float yScale = 1.0f / std::tan(fovY / 2);
  const float xScale = yScale / aspect;
  return {xScale, 0, 0, 0, 0, yScale, 0, 0, 0, 0, zf / (zn - zf), -1, 0, 0, zn * zf / (zn - zf), 0};
}

template <typename Vertex>
std::span<const std::uint8_t> BytesOf(std::span<const Vertex> vertices) {
  return {reinterpret_cast<const std::uint8_t*>(vertices.data()), vertices.size_bytes()};
}

}  // namespace

// ---- States ------------------------------------------------------------------

void Render_D3D::BindTexture(YTextureBase* texture, std::uint32_t stage) {
  if (!device_ || !texture || stage >= kMaxStages) return;
  texture->LoadIfWaiting();
  // A texture that failed to load unbinds the stage, so it never draws with
  // whatever the stage held before.
  device_->SetTexture(stage, texture->DeviceTexture());
}

void Render_D3D::SetStageState(std::uint32_t stage, std::uint32_t id, std::uint32_t value) {
  if (!device_ || stage >= kMaxStages || id >= kStageStates.size()) return;
  device_->SetTextureStageState(stage, kStageStates[id], value);
}

void Render_D3D::SetRenderState(std::uint32_t id, std::uint32_t value) {
  if (!device_ || id >= kRenderStates.size()) return;
  device_->SetRenderState(kRenderStates[id], value);
}

void Render_D3D::SetTextureFactor(const YColor& colour) {
  const std::uint32_t value = ColorToD3D(colour);
  constexpr std::size_t kTextureFactorId = 3;
  if (renderStateCache[kTextureFactorId] == value) return;
  SetRenderState(kTextureFactorId, value);
  renderStateCache[kTextureFactorId] = value;
}

void Render_D3D::ApplyMaterial(const YMaterial& m) {
  if (!device_) return;
  device_->SetMaterial(
      {ToDevice(m.diffuse), ToDevice(m.ambient), ToDevice(m.specular), ToDevice(m.emissive), m.power});
}

void Render_D3D::EnableLight(bool on) {
  if (!device_) return;
  device_->EnableLight(on);
  device_->SetRenderState(rs::SpecularEnable, on ? 1 : 0);
}

void Render_D3D::SetStageCount(std::uint32_t count) {
  count = std::min(count, stageLimit);
  if (count >= stageCount) {
    stageCount = count;
    return;
  }
  for (std::uint32_t s = count; s < stageCount && s < kMaxStages; ++s) {
    if (device_) {
      device_->SetTexture(s, nullptr);
      device_->SetTextureStageState(s, tss::ColorOp, platform::top::Disable);
      device_->SetTextureStageState(s, tss::AlphaOp, platform::top::Disable);
    }
    boundTextures[s] = nullptr;
    stageStateCache[s][kColorOpId] = platform::top::Disable;
    stageStateCache[s][kAlphaOpId] = platform::top::Disable;
  }
  stageCount = count;
}

void Render_D3D::SetTextureMatrix(const YMatrix4& matrix, std::uint32_t stage) {
  if (!device_ || stage >= kMaxStages) return;
  if (identityFlags[stage]) {
    device_->SetTextureStageState(stage, tss::TextureTransformFlags, kTextureTransformOff);
    return;
  }
  device_->SetTransform(TransformKind::Texture0, stage, ToDevice(matrix));
  device_->SetTextureStageState(stage, tss::TextureTransformFlags, kTextureTransformTwoCoords);
}

// ---- Textures ----------------------------------------------------------------

void Render_D3D::LoadTexture(YTextureBase& texture) {
  if (!device_ || texture.DeviceTexture()) return;
  texture.SetDeviceTexture(LoadDeviceTexture(*device_, texture.name(), maxTextureSize_, TextureScale()));
}

void Render_D3D::ReleaseTexture(YTextureBase& texture) {
  texture.SetDeviceTexture(nullptr);
}

void Render_D3D::MakeArrayTexture(int columns, int rows, int count, std::vector<YSTexture*>& out,
                                  std::string_view fileName) {
  ::MakeArrayTexture(columns, rows, count, out, fileName);
}

// ---- Transforms ----------------------------------------------------------------

void Render_D3D::Set2DProjection(float width, float height) {
  if (!device_ || !(width > 0) || !(height > 0)) return;
  projection2D_ = YVector2(width, height);
  device_->SetTransform(TransformKind::Projection, 0, OrthoOffCenterLH(0, width, height, 0, -1, 1));
  const platform::Matrix16 identity = ToDevice(YMatrix4());
  device_->SetTransform(TransformKind::View, 0, identity);
  device_->SetTransform(TransformKind::World, 0, identity);
}

void Render_D3D::SetPerspective(float fovDegrees, float aspect, float nearZ, float farZ) {
  if (!device_) return;
  projection2D_ = YVector2();
  device_->SetTransform(TransformKind::Projection, 0,
                        PerspectiveFovRH(fovDegrees * kDegreesToRadians, aspect, nearZ, farZ));
  const platform::Matrix16 identity = ToDevice(YMatrix4());
  device_->SetTransform(TransformKind::View, 0, identity);
  device_->SetTransform(TransformKind::World, 0, identity);
}

void Render_D3D::SetWorldTransform(const YMatrix4& matrix) {
  if (device_) device_->SetTransform(TransformKind::World, 0, ToDevice(matrix));
}

void Render_D3D::SetViewProjection(const YMatrix4& projection, const YMatrix4& view) {
  if (!device_) return;
  projection2D_ = YVector2();
  device_->SetTransform(TransformKind::Projection, 0, ToDevice(projection));
  device_->SetTransform(TransformKind::View, 0, ToDevice(view));
}

// ---- Drawing -------------------------------------------------------------------

void Render_D3D::UseVertexFormat(std::uint32_t fvf) {
  if (fvf == vertexFormat_) return;
  device_->SetVertexFormat(fvf);
  vertexFormat_ = fvf;
}

void Render_D3D::Draw(PrimitiveType type, std::uint32_t count, const void* vertices, std::uint32_t stride,
                      std::uint32_t fvf) {
  if (!device_ || !vertices || count == 0) return;
  UseVertexFormat(fvf);
  device_->DrawPrimitiveUP(type, count, vertices, stride);
}

void Render_D3D::DrawLineStrip(const YVector3* vertices, std::uint32_t lineCount) {
  Draw(PrimitiveType::LineStrip, lineCount, vertices, sizeof(YVector3), platform::fvf::Position);
}

void Render_D3D::DrawQuad28(const YTexVertex* fourVertices) {
  Draw(PrimitiveType::TriangleFan, 2, fourVertices, sizeof(YTexVertex), platform::fvf::PositionTex2);
}

void Render_D3D::DrawQuad40(const YMeshVertex* fourVertices) {
  Draw(PrimitiveType::TriangleFan, 2, fourVertices, sizeof(YMeshVertex), platform::fvf::PositionNormalTex2);
}

void Render_D3D::DrawTriangles(const YVector3* vertices, std::uint32_t triangleCount) {
  Draw(PrimitiveType::TriangleList, triangleCount, vertices, sizeof(YVector3), platform::fvf::Position);
}

void Render_D3D::DrawStrip28(const YTexVertex* vertices, std::uint32_t triangleCount) {
  Draw(PrimitiveType::TriangleStrip, triangleCount, vertices, sizeof(YTexVertex),
       platform::fvf::PositionTex2);
}

void Render_D3D::DrawStrip40(const YMeshVertex* vertices, std::uint32_t triangleCount) {
  Draw(PrimitiveType::TriangleStrip, triangleCount, vertices, sizeof(YMeshVertex),
       platform::fvf::PositionNormalTex2);
}

void Render_D3D::DrawIndexedSubset(VertexBufferHandle vertices, IndexBufferHandle indices,
                                   const YMeshSubset& subset) {
  if (!device_ || !vertexBuffers_.contains(vertices) || !indexBuffers_.contains(indices)) return;
  UseVertexFormat(platform::fvf::PositionNormalTex2);
  device_->DrawIndexed(
      *vertices, sizeof(YMeshVertex), *indices, static_cast<std::uint32_t>(subset.lowestVertex),
      static_cast<std::uint32_t>(subset.vertexSpan), static_cast<std::uint32_t>(subset.firstIndex),
      static_cast<std::uint32_t>(subset.triangleCount));
}

void Render_D3D::DrawScreenQuad() {
  DrawScreenArea(-1, -1, 1, 1);
}

void Render_D3D::DrawScreenArea(float left, float bottom, float right, float top) {
  if (!device_) return;
  const platform::Matrix16 identity = ToDevice(YMatrix4());
  device_->SetTransform(TransformKind::Projection, 0, identity);
  device_->SetTransform(TransformKind::View, 0, identity);
  device_->SetTransform(TransformKind::World, 0, identity);
  const YVector3 corners[4] = {{left, bottom, 1}, {right, bottom, 1}, {left, top, 1}, {right, top, 1}};
  Draw(PrimitiveType::TriangleStrip, 2, corners, sizeof(YVector3), platform::fvf::Position);
}

// ---- Device buffers ------------------------------------------------------------

VertexBufferHandle Render_D3D::CreateVertexBuffer(std::span<const YMeshVertex> vertices) {
  if (!device_ || vertices.empty()) return nullptr;
  std::unique_ptr<platform::DeviceVertexBuffer> buffer = device_->CreateVertexBuffer(BytesOf(vertices));
  if (!buffer) return nullptr;
  platform::DeviceVertexBuffer* handle = buffer.get();
  vertexBuffers_.emplace(handle, std::move(buffer));
  return handle;
}

void Render_D3D::ReleaseVertexBuffer(VertexBufferHandle handle) {
  if (handle) vertexBuffers_.erase(handle);
}

void Render_D3D::UpdateVertexBuffer(VertexBufferHandle handle, std::span<const YMeshVertex> vertices) {
  if (!handle || !vertexBuffers_.contains(handle)) return;
  if (!handle->Update(BytesOf(vertices)))
    Log::Printf("Vertex buffer update refused: %zu bytes for a buffer of %zu", vertices.size_bytes(),
                handle->Size());
}

IndexBufferHandle Render_D3D::CreateIndexBuffer(std::span<const std::uint16_t> indices) {
  if (!device_ || indices.empty()) return nullptr;
  std::unique_ptr<platform::DeviceIndexBuffer> buffer = device_->CreateIndexBuffer(indices);
  if (!buffer) return nullptr;
  platform::DeviceIndexBuffer* handle = buffer.get();
  indexBuffers_.emplace(handle, std::move(buffer));
  return handle;
}

void Render_D3D::ReleaseIndexBuffer(IndexBufferHandle handle) {
  if (handle) indexBuffers_.erase(handle);
}
