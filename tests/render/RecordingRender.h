// A renderer without a device, for tests: every device slot of YRender
// records its call, so the cached front end and the drawing code above it
// can be checked call by call. Where the front end relies on what a slot
// does to the caches, the recorder does the same as the real renderer:
// SetStageCount limits and drops stages, SetTextureFactor goes through the
// render-state cache, LoadTexture and ReleaseTexture give and take device
// textures. Publishes itself as g_render like any renderer.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/GraphicsDevice.h"
#include "render/DisplayMode.h"
#include "render/YMeshRecords.h"
#include "render/YRender.h"
#include "render/YTextureBase.h"

class RecordingRender : public YRender {
 public:
  // One device call: the slot's name with its integer arguments
  // ("SetRenderState 4 2", "BindTexture 1", "SetTextureMatrix 0 off"), the
  // texture, buffer or window it was about, and the floats of its material
  // (diffuse, ambient, specular, emissive, power), matrices (row by row) or
  // vertices (DrawQuad28 and DrawTriangles).
  struct Call {
    std::string text;
    const void* object = nullptr;
    std::vector<float> floats;
  };

  // A device that offers `deviceStages` simultaneous textures (at most the caches' size).
  explicit RecordingRender(std::uint32_t deviceStages = 4) {
    stageLimit = std::min<std::uint32_t>(deviceStages, kMaxStages);
  }

  // The calls / their texts that start with `prefix`, in call order.
  std::vector<const Call*> CallsMatching(std::string_view prefix) const {
    std::vector<const Call*> found;
    for (const Call& call : calls)
      if (call.text.starts_with(prefix)) found.push_back(&call);
    return found;
  }
  std::vector<std::string> Texts(std::string_view prefix = "") const {
    std::vector<std::string> texts;
    for (const Call* call : CallsMatching(prefix)) texts.push_back(call->text);
    return texts;
  }
  std::size_t Count(std::string_view prefix) const { return CallsMatching(prefix).size(); }
  void ClearCalls() { calls.clear(); }

  std::vector<Call> calls;

  void BindTexture(YTextureBase* t, std::uint32_t stage) override { Record("BindTexture", {stage}, t); }
  void SetStageState(std::uint32_t s, std::uint32_t id, std::uint32_t v) override {
    Record("SetStageState", {s, id, v});
  }
  void SetRenderState(std::uint32_t id, std::uint32_t v) override { Record("SetRenderState", {id, v}); }
  void SetTextureFactor(const YColor& colour) override {
    Record("SetTextureFactor");
    if (renderStateCache[3] == ColorToD3D(colour)) return;
    renderStateCache[3] = ColorToD3D(colour);
    SetRenderState(3, ColorToD3D(colour));
  }
  void ApplyMaterial(const YMaterial& m) override { Append(Record("ApplyMaterial"), &m, 1); }
  void EnableLight(bool on) override { Record("EnableLight", {on}); }
  // Dropped stages lose their texture; their colour and alpha operations are cached as disabled.
  void SetStageCount(std::uint32_t count) override {
    Record("SetStageCount", {count});
    const std::uint32_t n = std::min(count, stageLimit);
    for (std::uint32_t s = n; s < stageCount && s < kMaxStages; ++s) {
      boundTextures[s] = nullptr;
      stageStateCache[s][0] = stageStateCache[s][3] = 1;
    }
    stageCount = n;
  }
  // "... off" while the stage's identity flag is set, else "... on" with the matrix.
  void SetTextureMatrix(const YMatrix4& matrix, std::uint32_t stage) override {
    const bool off = stage < kMaxStages && identityFlags[stage];
    Call& call = Record("SetTextureMatrix", {stage});
    call.text += off ? " off" : " on";
    if (!off) Append(call, &matrix, 1);
  }
  void Clear(bool withColour) override { Record("Clear", {withColour}); }
  // A texture without a device texture gets a 1 x 1 stand-in.
  void LoadTexture(YTextureBase& texture) override {
    Record("LoadTexture", {}, &texture);
    if (!texture.DeviceTexture()) texture.SetDeviceTexture(std::make_unique<StandIn>());
  }
  void ReleaseTexture(YTextureBase& texture) override {
    Record("ReleaseTexture", {}, &texture);
    std::replace(boundTextures.begin(), boundTextures.end(), texture.DeviceTexture(),
                 static_cast<const platform::DeviceTexture*>(nullptr));
    texture.SetDeviceTexture(nullptr);
  }
  void MakeArrayTexture(int c, int r, int n, std::vector<YSTexture*>&, std::string_view) override {
    Record("MakeArrayTexture", {c, r, n});
  }
  void Set2DProjection(float, float) override { Record("Set2DProjection"); }
  void SetPerspective(float, float, float, float) override { Record("SetPerspective"); }
  void SetWorldTransform(const YMatrix4& matrix) override { Append(Record("SetWorldTransform"), &matrix, 1); }
  void SetViewProjection(const YMatrix4& projection, const YMatrix4& view) override {
    Append(Append(Record("SetViewProjection"), &projection, 1), &view, 1);
  }
  void DrawLineStrip(const YVector3*, std::uint32_t lines) override { Record("DrawLineStrip", {lines}); }
  void DrawQuad28(const YTexVertex* v) override { Append(Record("DrawQuad28"), v, 4); }
  void DrawQuad40(const YMeshVertex*) override { Record("DrawQuad40"); }
  void DrawTriangles(const YVector3* v, std::uint32_t n) override {
    Append(Record("DrawTriangles", {n}), v, 3 * n);
  }
  void DrawStrip28(const YTexVertex*, std::uint32_t n) override { Record("DrawStrip28", {n}); }
  void DrawStrip40(const YMeshVertex*, std::uint32_t n) override { Record("DrawStrip40", {n}); }
  // "DrawIndexedSubset <first index> <triangles> <lowest vertex> <span>",
  // about the shader current at the time.
  void DrawIndexedSubset(VertexBufferHandle, IndexBufferHandle, const YMeshSubset& s) override {
    Record("DrawIndexedSubset", {s.firstIndex, s.triangleCount, s.lowestVertex, s.vertexSpan}, currentShader);
  }
  void DrawScreenQuad() override { Record("DrawScreenQuad"); }
  // Buffers: recorded with their sizes; null, as without a device.
  VertexBufferHandle CreateVertexBuffer(std::span<const YMeshVertex> v) override {
    Record("CreateVertexBuffer", {static_cast<long long>(v.size())});
    return nullptr;
  }
  void ReleaseVertexBuffer(VertexBufferHandle handle) override { Record("ReleaseVertexBuffer", {}, handle); }
  void UpdateVertexBuffer(VertexBufferHandle handle, std::span<const YMeshVertex> v) override {
    Record("UpdateVertexBuffer", {static_cast<long long>(v.size())}, handle);
  }
  IndexBufferHandle CreateIndexBuffer(std::span<const std::uint16_t> indices) override {
    Record("CreateIndexBuffer", {static_cast<long long>(indices.size())});
    return nullptr;
  }
  void ReleaseIndexBuffer(IndexBufferHandle handle) override { Record("ReleaseIndexBuffer", {}, handle); }
  std::vector<DisplayMode> EnumerateModes() override {
    Record("EnumerateModes");
    return {};
  }
  void CreateDevice(platform::Window& window, bool fullscreen, int modeIndex) override {
    Record("CreateDevice", {fullscreen, modeIndex}, &window);
  }
  bool Resize() override {
    Record("Resize");
    return true;
  }
  void ReleaseDevice() override { Record("ReleaseDevice"); }
  // Records, then the base's cache reset.
  void BeginFrame(bool withColour) override {
    Record("BeginFrame", {withColour});
    YRender::BeginFrame(withColour);
  }
  void EndFrame() override { Record("EndFrame"); }
  void SetViewport(float, float) override { Record("SetViewport"); }

 private:
  struct StandIn : platform::DeviceTexture {
    int Width() const override { return 1; }
    int Height() const override { return 1; }
  };

  Call& Record(std::string_view name, std::initializer_list<long long> args = {},
               const void* object = nullptr) {
    Call& call = calls.emplace_back(Call{std::string(name), object, {}});
    for (const long long arg : args) call.text += ' ' + std::to_string(arg);
    return call;
  }
  // Appends the floats of `count` plain float records (vertices, matrices, materials).
  template <typename T>
  static Call& Append(Call& call, const T* records, std::size_t count) {
    static_assert(sizeof(T) % sizeof(float) == 0);
    const std::size_t at = call.floats.size();
    call.floats.resize(at + count * sizeof(T) / sizeof(float));
    if (count > 0) std::memcpy(call.floats.data() + at, records, count * sizeof(T));
    return call;
  }
};
