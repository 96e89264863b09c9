#include "tests/render/FakeGraphicsDevice.h"

#include <algorithm>
#include <cstdio>

namespace testing_support {

namespace {

template <typename... Args>
std::string Format(const char* format, Args... args) {
  char text[160];
  std::snprintf(text, sizeof text, format, args...);
  return text;
}

}  // namespace

const char* PrimitiveName(platform::PrimitiveType type) {
  switch (type) {
    case platform::PrimitiveType::TriangleList: return "TriangleList";
    case platform::PrimitiveType::TriangleStrip: return "TriangleStrip";
    case platform::PrimitiveType::TriangleFan: return "TriangleFan";
    case platform::PrimitiveType::LineStrip: return "LineStrip";
  }
  return "?";
}

const char* TransformName(platform::TransformKind kind) {
  switch (kind) {
    case platform::TransformKind::World: return "World";
    case platform::TransformKind::View: return "View";
    case platform::TransformKind::Projection: return "Projection";
    case platform::TransformKind::Texture0: return "Texture";
  }
  return "?";
}

bool FakeVertexBuffer::Update(std::span<const std::uint8_t> data) {
  if (data.size() > bytes.size()) return false;
  std::copy(data.begin(), data.end(), bytes.begin());
  return true;
}

// ---- Inspection ---------------------------------------------------------------

std::vector<std::string> FakeGraphicsDevice::TakeCalls() {
  std::vector<std::string> taken;
  taken.swap(calls);
  return taken;
}

int FakeGraphicsDevice::Count(std::string_view prefix) const {
  return static_cast<int>(std::count_if(calls.begin(), calls.end(),
                                        [&](const std::string& call) { return call.starts_with(prefix); }));
}

std::vector<std::string> FakeGraphicsDevice::CallsStartingWith(std::string_view prefix) const {
  std::vector<std::string> found;
  for (const std::string& call : calls)
    if (call.starts_with(prefix)) found.push_back(call);
  return found;
}

int FakeGraphicsDevice::IndexOf(std::string_view call, std::size_t from) const {
  for (std::size_t i = from; i < calls.size(); ++i)
    if (calls[i] == call) return static_cast<int>(i);
  return -1;
}

platform::Matrix16 FakeGraphicsDevice::Transform(platform::TransformKind kind, std::uint32_t stage) const {
  const auto it = transforms.find({kind, stage});
  if (it != transforms.end()) return it->second;
  return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}

std::uint32_t FakeGraphicsDevice::RenderState(std::uint32_t state, std::uint32_t fallback) const {
  const auto it = renderStates.find(state);
  return it == renderStates.end() ? fallback : it->second;
}

std::uint32_t FakeGraphicsDevice::StageState(std::uint32_t stage, std::uint32_t state,
                                             std::uint32_t fallback) const {
  const auto it = stageStates.find({stage, state});
  return it == stageStates.end() ? fallback : it->second;
}

// ---- The device ------------------------------------------------------------------

void FakeGraphicsDevice::BackBufferSize(int& width, int& height) const {
  width = backWidth;
  height = backHeight;
}

bool FakeGraphicsDevice::Reset(const platform::DeviceParams& params) {
  Record(Format("Reset %ux%u fs%d", params.mode.width, params.mode.height, params.fullscreen ? 1 : 0));
  resets.push_back(params);
  if (!resetSucceeds) return false;
  backWidth = static_cast<int>(params.mode.width);
  backHeight = static_cast<int>(params.mode.height);
  return true;
}

void FakeGraphicsDevice::SetRenderState(std::uint32_t state, std::uint32_t value) {
  Record(Format("SetRenderState %u %u", state, value));
  renderStates[state] = value;
}

void FakeGraphicsDevice::SetTextureStageState(std::uint32_t stage, std::uint32_t state, std::uint32_t value) {
  Record(Format("SetTextureStageState %u %u %u", stage, state, value));
  stageStates[{stage, state}] = value;
}

void FakeGraphicsDevice::SetTexture(std::uint32_t stage, const platform::DeviceTexture* texture) {
  const auto* fake = dynamic_cast<const FakeDeviceTexture*>(texture);
  if (!texture) Record(Format("SetTexture %u null", stage));
  else if (fake) Record(Format("SetTexture %u tex%d", stage, fake->id));
  else Record(Format("SetTexture %u tex?", stage));
  textures[stage] = texture;
}

void FakeGraphicsDevice::SetTransform(platform::TransformKind kind, std::uint32_t stage,
                                      const platform::Matrix16& matrix) {
  Record(Format("SetTransform %s %u", TransformName(kind), stage));
  transforms[{kind, stage}] = matrix;
}

void FakeGraphicsDevice::SetMaterial(const platform::DeviceMaterial& m) {
  Record("SetMaterial");
  material = m;
}

void FakeGraphicsDevice::SetLight(const platform::DeviceLight& l) {
  Record("SetLight");
  light = l;
}

void FakeGraphicsDevice::EnableLight(bool on) {
  Record(Format("EnableLight %d", on ? 1 : 0));
  lightEnabled = on;
}

void FakeGraphicsDevice::SetVertexFormat(std::uint32_t fvf) {
  Record(Format("SetVertexFormat 0x%x", fvf));
  vertexFormat = fvf;
}

void FakeGraphicsDevice::SetViewport(int x, int y, int width, int height, float minZ, float maxZ) {
  Record(Format("SetViewport %d %d %d %d %g %g", x, y, width, height, static_cast<double>(minZ),
                static_cast<double>(maxZ)));
}

void FakeGraphicsDevice::DrawPrimitiveUP(platform::PrimitiveType type, std::uint32_t count, const void*,
                                         std::uint32_t stride) {
  Record(Format("DrawPrimitiveUP %s %u %u", PrimitiveName(type), count, stride));
}

void FakeGraphicsDevice::DrawIndexed(const platform::DeviceVertexBuffer&, std::uint32_t stride,
                                     const platform::DeviceIndexBuffer&, std::uint32_t minIndex,
                                     std::uint32_t vertexCount, std::uint32_t startIndex,
                                     std::uint32_t triangleCount) {
  Record(Format("DrawIndexed %u %u %u %u %u", stride, minIndex, vertexCount, startIndex, triangleCount));
}

std::unique_ptr<platform::DeviceTexture> FakeGraphicsDevice::CreateTexture(
    const std::vector<platform::Image>& levels) {
  const int width = levels.empty() ? 0 : levels.front().width;
  const int height = levels.empty() ? 0 : levels.front().height;
  Record(Format("CreateTexture %dx%d %zu", width, height, levels.size()));
  if (!creationsSucceed) return nullptr;
  return std::make_unique<FakeDeviceTexture>(++texturesCreated, levels);
}

std::unique_ptr<platform::DeviceVertexBuffer> FakeGraphicsDevice::CreateVertexBuffer(
    std::span<const std::uint8_t> bytes) {
  Record(Format("CreateVertexBuffer %zu", bytes.size()));
  if (!creationsSucceed) return nullptr;
  return std::make_unique<FakeVertexBuffer>(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

std::unique_ptr<platform::DeviceIndexBuffer> FakeGraphicsDevice::CreateIndexBuffer(
    std::span<const std::uint16_t> indices) {
  Record(Format("CreateIndexBuffer %zu", indices.size()));
  if (!creationsSucceed) return nullptr;
  return std::make_unique<FakeIndexBuffer>(std::vector<std::uint16_t>(indices.begin(), indices.end()));
}

void FakeGraphicsDevice::Clear(bool color, bool depth, bool stencil, std::uint32_t argb, float z,
                               std::uint32_t stencilValue) {
  Record(Format("Clear c%d d%d s%d 0x%08x %g %u", color ? 1 : 0, depth ? 1 : 0, stencil ? 1 : 0, argb,
                static_cast<double>(z), stencilValue));
}

void FakeGraphicsDevice::BeginScene() { Record("BeginScene"); }
void FakeGraphicsDevice::EndScene() { Record("EndScene"); }
void FakeGraphicsDevice::Present() { Record("Present"); }

}  // namespace testing_support
