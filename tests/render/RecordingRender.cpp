#include "tests/render/RecordingRender.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <memory>

#include "platform/GraphicsDevice.h"
#include "render/DisplayMode.h"
#include "render/YTextureBase.h"

namespace {

// The device texture of a texture the recorder "loaded".
class StandInTexture : public platform::DeviceTexture {
 public:
  int Width() const override { return 1; }
  int Height() const override { return 1; }
};

std::string Join(std::string_view name, std::initializer_list<long long> args) {
  std::string text(name);
  for (const long long arg : args) text += ' ' + std::to_string(arg);
  return text;
}

void AppendColour(std::vector<float>& out, const YColor& c) {
  out.insert(out.end(), {c.r, c.g, c.b, c.a});
}

void AppendMatrix(std::vector<float>& out, const YMatrix4& matrix) {
  for (const auto& row : matrix.m) out.insert(out.end(), std::begin(row), std::end(row));
}

// Every float of `count` vertices of a plain float record.
template <typename Vertex>
void AppendVertices(std::vector<float>& out, const Vertex* vertices, std::size_t count) {
  static_assert(sizeof(Vertex) % sizeof(float) == 0);
  constexpr std::size_t kFloats = sizeof(Vertex) / sizeof(float);
  for (std::size_t i = 0; i < count; ++i) {
    float values[kFloats];
    static_assert(sizeof(values) == sizeof(Vertex));
    std::memcpy(values, &vertices[i], sizeof(Vertex));
    out.insert(out.end(), std::begin(values), std::end(values));
  }
}

}  // namespace

RecordingRender::RecordingRender(std::uint32_t deviceStages) {
  stageLimit = std::min<std::uint32_t>(deviceStages, kMaxStages);
}

// ---- Reading the record ----------------------------------------------------

std::vector<std::string> RecordingRender::Texts() const {
  return Matching("");
}

std::vector<std::string> RecordingRender::Matching(std::string_view prefix) const {
  std::vector<std::string> texts;
  for (const Call* call : CallsMatching(prefix)) texts.push_back(call->text);
  return texts;
}

std::size_t RecordingRender::Count(std::string_view prefix) const {
  return CallsMatching(prefix).size();
}

std::vector<const RecordingRender::Call*> RecordingRender::CallsMatching(std::string_view prefix) const {
  std::vector<const Call*> found;
  for (const Call& call : calls) {
    if (std::string_view(call.text).starts_with(prefix)) found.push_back(&call);
  }
  return found;
}

RecordingRender::Call& RecordingRender::Record(std::string text, const void* object) {
  calls.push_back(Call{std::move(text), object, {}});
  return calls.back();
}

// ---- State slots -----------------------------------------------------------

void RecordingRender::BindTexture(YTextureBase* texture, std::uint32_t stage) {
  Record(Join("BindTexture", {stage}), texture);
}

void RecordingRender::SetStageState(std::uint32_t stage, std::uint32_t id, std::uint32_t value) {
  Record(Join("SetStageState", {stage, id, value}));
}

void RecordingRender::SetRenderState(std::uint32_t id, std::uint32_t value) {
  Record(Join("SetRenderState", {id, value}));
}

void RecordingRender::SetTextureFactor(const YColor& colour) {
  AppendColour(Record("SetTextureFactor").floats, colour);
  const std::uint32_t value = ColorToD3D(colour);
  if (renderStateCache[3] == value) return;
  renderStateCache[3] = value;
  SetRenderState(3, value);
}

void RecordingRender::ApplyMaterial(const YMaterial& material) {
  auto& floats = Record("ApplyMaterial").floats;
  for (const YColor* c : {&material.diffuse, &material.ambient, &material.specular, &material.emissive}) {
    AppendColour(floats, *c);
  }
  floats.push_back(material.power);
}

void RecordingRender::EnableLight(bool on) {
  Record(Join("EnableLight", {on}));
}

void RecordingRender::SetStageCount(std::uint32_t count) {
  Record(Join("SetStageCount", {count}));
  const std::uint32_t n = std::min(count, stageLimit);
  for (std::uint32_t s = n; s < stageCount && s < kMaxStages; ++s) {
    boundTextures[s] = nullptr;
    stageStateCache[s][0] = 1;
    stageStateCache[s][3] = 1;
  }
  stageCount = n;
}

void RecordingRender::SetTextureMatrix(const YMatrix4& matrix, std::uint32_t stage) {
  const bool off = stage < kMaxStages && identityFlags[stage];
  Call& call = Record(Join("SetTextureMatrix", {stage}) + (off ? " off" : " on"));
  if (!off) AppendMatrix(call.floats, matrix);
}

void RecordingRender::Clear(bool withColour) {
  Record(Join("Clear", {withColour}));
}

// ---- Textures --------------------------------------------------------------

void RecordingRender::LoadTexture(YTextureBase& texture) {
  Record("LoadTexture", &texture);
  if (loadTextures && !texture.DeviceTexture()) texture.SetDeviceTexture(std::make_unique<StandInTexture>());
}

void RecordingRender::ReleaseTexture(YTextureBase& texture) {
  Record("ReleaseTexture", &texture);
  const platform::DeviceTexture* held = texture.DeviceTexture();
  if (!held) return;
  for (auto& bound : boundTextures) {
    if (bound == held) bound = nullptr;
  }
  texture.SetDeviceTexture(nullptr);
}

void RecordingRender::MakeArrayTexture(int columns, int rows, int count, std::vector<YSTexture*>& /*out*/,
                                       std::string_view fileName) {
  Record(Join("MakeArrayTexture", {columns, rows, count}) + ' ' + std::string(fileName));
}

// ---- Transforms ------------------------------------------------------------

void RecordingRender::Set2DProjection(float width, float height) {
  Record("Set2DProjection").floats = {width, height};
}

void RecordingRender::SetPerspective(float fovDegrees, float aspect, float nearZ, float farZ) {
  Record("SetPerspective").floats = {fovDegrees, aspect, nearZ, farZ};
}

void RecordingRender::SetWorldTransform(const YMatrix4& matrix) {
  AppendMatrix(Record("SetWorldTransform").floats, matrix);
}

void RecordingRender::SetViewProjection(const YMatrix4& projection, const YMatrix4& view) {
  auto& floats = Record("SetViewProjection").floats;
  AppendMatrix(floats, projection);
  AppendMatrix(floats, view);
}

// ---- Drawing ---------------------------------------------------------------

void RecordingRender::DrawLineStrip(const YVector3* vertices, std::uint32_t lineCount) {
  AppendVertices(Record(Join("DrawLineStrip", {lineCount})).floats, vertices, lineCount + 1);
}

void RecordingRender::DrawQuad28(const YTexVertex* fourVertices) {
  AppendVertices(Record("DrawQuad28").floats, fourVertices, 4);
}

void RecordingRender::DrawQuad40(const YMeshVertex* fourVertices) {
  AppendVertices(Record("DrawQuad40").floats, fourVertices, 4);
}

void RecordingRender::DrawTriangles(const YVector3* vertices, std::uint32_t triangleCount) {
  AppendVertices(Record(Join("DrawTriangles", {triangleCount})).floats, vertices, 3 * triangleCount);
}

void RecordingRender::DrawStrip28(const YTexVertex* vertices, std::uint32_t triangleCount) {
  const std::size_t count = triangleCount == 0 ? 0 : triangleCount + 2;
  AppendVertices(Record(Join("DrawStrip28", {triangleCount})).floats, vertices, count);
}

void RecordingRender::DrawStrip40(const YMeshVertex* vertices, std::uint32_t triangleCount) {
  const std::size_t count = triangleCount == 0 ? 0 : triangleCount + 2;
  AppendVertices(Record(Join("DrawStrip40", {triangleCount})).floats, vertices, count);
}

void RecordingRender::DrawScreenQuad() {
  Record("DrawScreenQuad");
}

// ---- Buffers ---------------------------------------------------------------

VertexBufferHandle RecordingRender::CreateVertexBuffer(std::span<const YMeshVertex> vertices) {
  Record(Join("CreateVertexBuffer", {static_cast<long long>(vertices.size())}));
  return nullptr;
}

void RecordingRender::ReleaseVertexBuffer(VertexBufferHandle handle) {
  Record("ReleaseVertexBuffer", handle);
}

void RecordingRender::UpdateVertexBuffer(VertexBufferHandle handle, std::span<const YMeshVertex> vertices) {
  Record(Join("UpdateVertexBuffer", {static_cast<long long>(vertices.size())}), handle);
}

IndexBufferHandle RecordingRender::CreateIndexBuffer(std::span<const std::uint16_t> indices) {
  Record(Join("CreateIndexBuffer", {static_cast<long long>(indices.size())}));
  return nullptr;
}

void RecordingRender::ReleaseIndexBuffer(IndexBufferHandle handle) {
  Record("ReleaseIndexBuffer", handle);
}

// ---- Device and frame ------------------------------------------------------

std::vector<DisplayMode> RecordingRender::EnumerateModes() {
  Record("EnumerateModes");
  return {};
}

void RecordingRender::CreateDevice(platform::Window& window, bool fullscreen, int modeIndex) {
  Record(Join("CreateDevice", {fullscreen, modeIndex}), &window);
}

bool RecordingRender::Resize() {
  Record("Resize");
  return resizeResult;
}

void RecordingRender::ReleaseDevice() {
  Record("ReleaseDevice");
}

void RecordingRender::BeginFrame(bool withColour) {
  Record(Join("BeginFrame", {withColour}));
  YRender::BeginFrame(withColour);
}

void RecordingRender::EndFrame() {
  Record("EndFrame");
}

void RecordingRender::SetViewport(float width, float height) {
  Record("SetViewport").floats = {width, height};
}
