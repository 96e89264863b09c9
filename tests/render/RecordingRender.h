// A renderer without a device, for tests: every device slot of YRender
// records its call, so the cached front end and the drawing code above it
// can be checked call by call. Where the front end relies on what a slot
// does to the caches, the recorder does the same as the real renderer:
// SetStageCount limits and drops stages, SetTextureFactor goes through the
// render-state cache. Publishes itself as g_render like any renderer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "render/YRender.h"

class RecordingRender : public YRender {
 public:
  // One device call. `text` is the slot's name with its integer arguments
  // ("SetRenderState 4 2", "BindTexture 1", "SetTextureMatrix 0 off");
  // `object` the texture, buffer or window it was about; `floats` its colour
  // (4), material (17: diffuse, ambient, specular, emissive, power),
  // matrices (16 each, row by row) or vertices (all their floats in order).
  struct Call {
    std::string text;
    const void* object = nullptr;
    std::vector<float> floats;
  };

  // A device that offers `deviceStages` simultaneous textures (the stage
  // limit, clamped to the caches' size).
  explicit RecordingRender(std::uint32_t deviceStages = 4);

  // ---- Reading the record ------------------------------------------------
  std::vector<std::string> Texts() const;
  // The texts that start with `prefix`, in call order.
  std::vector<std::string> Matching(std::string_view prefix) const;
  std::size_t Count(std::string_view prefix) const;
  // The calls that start with `prefix`, in call order.
  std::vector<const Call*> CallsMatching(std::string_view prefix) const;
  void ClearCalls() { calls.clear(); }

  std::vector<Call> calls;
  bool resizeResult = true;  // what Resize answers
  bool loadTextures = true;  // false: LoadTexture leaves textures empty (a missing file)

  // ---- Device slots --------------------------------------------------------
  void BindTexture(YTextureBase* texture, std::uint32_t stage) override;
  void SetStageState(std::uint32_t stage, std::uint32_t id, std::uint32_t value) override;
  void SetRenderState(std::uint32_t id, std::uint32_t value) override;
  // Records, then sends render state 3 when the colour's value differs from
  // the cache.
  void SetTextureFactor(const YColor& colour) override;
  void ApplyMaterial(const YMaterial& material) override;
  void EnableLight(bool on) override;
  // Records, then limits the count to the stage limit; stages dropped lose
  // their bound texture and their colour and alpha operations are cached
  // as disabled.
  void SetStageCount(std::uint32_t count) override;
  // "SetTextureMatrix <stage> off" while the stage's identity flag is set,
  // else "SetTextureMatrix <stage> on" with the matrix.
  void SetTextureMatrix(const YMatrix4& matrix, std::uint32_t stage) override;
  void Clear(bool withColour) override;
  // Records; while loadTextures is set, a texture without a device texture
  // gets a stand-in of 1 x 1 texels (so each loaded texture has its own
  // handle). Textures made while a recorder exists load at once.
  void LoadTexture(YTextureBase& texture) override;
  // Records, forgets the texture in the binding cache and drops its device
  // texture, as the real renderer does.
  void ReleaseTexture(YTextureBase& texture) override;
  // Records; cuts nothing.
  void MakeArrayTexture(int columns, int rows, int count, std::vector<YSTexture*>& out,
                        std::string_view fileName) override;
  void Set2DProjection(float width, float height) override;
  void SetPerspective(float fovDegrees, float aspect, float nearZ, float farZ) override;
  void SetWorldTransform(const YMatrix4& matrix) override;
  void SetViewProjection(const YMatrix4& projection, const YMatrix4& view) override;
  void DrawLineStrip(const YVector3* vertices, std::uint32_t lineCount) override;
  void DrawQuad28(const YTexVertex* fourVertices) override;
  void DrawQuad40(const YMeshVertex* fourVertices) override;
  void DrawTriangles(const YVector3* vertices, std::uint32_t triangleCount) override;
  void DrawStrip28(const YTexVertex* vertices, std::uint32_t triangleCount) override;
  void DrawStrip40(const YMeshVertex* vertices, std::uint32_t triangleCount) override;
  // Buffers: recorded with their element counts; null (no device).
  VertexBufferHandle CreateVertexBuffer(std::span<const YMeshVertex> vertices) override;
  void ReleaseVertexBuffer(VertexBufferHandle handle) override;
  void UpdateVertexBuffer(VertexBufferHandle handle, std::span<const YMeshVertex> vertices) override;
  IndexBufferHandle CreateIndexBuffer(std::span<const std::uint16_t> indices) override;
  void ReleaseIndexBuffer(IndexBufferHandle handle) override;
  void DrawScreenQuad() override;
  // No modes.
  std::vector<DisplayMode> EnumerateModes() override;
  void CreateDevice(platform::Window& window, bool fullscreen, int modeIndex) override;
  bool Resize() override;
  void ReleaseDevice() override;
  // Records "BeginFrame <withColour>", then the base's cache reset.
  void BeginFrame(bool withColour) override;
  void EndFrame() override;
  void SetViewport(float width, float height) override;

 private:
  Call& Record(std::string text, const void* object = nullptr);
};
