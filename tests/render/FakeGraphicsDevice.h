// A recording stand-in for the graphics device, for tests of the renderer
// and of everything that loads textures or buffers through it. Every command
// is appended to `calls` as one short text (formats below); queries (Caps,
// BackBufferSize) are not recorded. The latest value of each state,
// transform, material and light is also kept for direct checks, and the
// textures and buffers it makes keep what they were given.
//
// Call texts:
//   "Reset WxH fs0|fs1"                    "SetRenderState <state> <value>"
//   "SetTextureStageState <stage> <state> <value>"
//   "SetTexture <stage> null|tex<id>"      "SetTransform World|View|Projection|Texture <stage>"
//   "SetMaterial"  "SetLight"  "EnableLight 0|1"  "SetVertexFormat 0x<hex>"
//   "SetViewport x y w h minZ maxZ"        "DrawPrimitiveUP <type> <count> <stride>"
//   "DrawIndexed <stride> <minIndex> <vertexCount> <startIndex> <triangles>"
//   "CreateTexture WxH <levels>"  "CreateVertexBuffer <bytes>"  "CreateIndexBuffer <count>"
//   "Clear c<0|1> d<0|1> s<0|1> 0x<argb 8 hex> <z> <stencil>"
//   "BeginScene"  "EndScene"  "Present"
// (<type> is TriangleList, TriangleStrip, TriangleFan or LineStrip; numbers
// in decimal, floats as printf's %g.)
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/GraphicsDevice.h"
#include "platform/Image.h"

namespace testing_support {

// A texture of the fake device: its id (1, 2, ... per device) and the
// levels it was created from.
class FakeDeviceTexture : public platform::DeviceTexture {
 public:
  FakeDeviceTexture(int id, std::vector<platform::Image> levels) : id(id), levels(std::move(levels)) {}
  int Width() const override { return levels.empty() ? 0 : levels.front().width; }
  int Height() const override { return levels.empty() ? 0 : levels.front().height; }

  int id;
  std::vector<platform::Image> levels;
};

class FakeVertexBuffer : public platform::DeviceVertexBuffer {
 public:
  explicit FakeVertexBuffer(std::vector<std::uint8_t> bytes) : bytes(std::move(bytes)) {}
  bool Update(std::span<const std::uint8_t> data) override;
  std::size_t Size() const override { return bytes.size(); }

  std::vector<std::uint8_t> bytes;
};

class FakeIndexBuffer : public platform::DeviceIndexBuffer {
 public:
  explicit FakeIndexBuffer(std::vector<std::uint16_t> indices) : indices(std::move(indices)) {}
  std::size_t Count() const override { return indices.size(); }

  std::vector<std::uint16_t> indices;
};

class FakeGraphicsDevice : public platform::GraphicsDevice {
 public:
  // ---- What the device reports and how it behaves (set before use) ----
  platform::DeviceCaps caps{8, 2048, 2048, std::uint64_t{256} << 20};
  int backWidth = 1024;
  int backHeight = 768;
  bool resetSucceeds = true;     // Reset's answer (the back buffer follows a successful one)
  bool creationsSucceed = true;  // false: CreateTexture and the buffers return null

  // ---- The record -------------------------------------------------------
  std::vector<std::string> calls;
  std::map<std::uint32_t, std::uint32_t> renderStates;  // state -> last value
  std::map<std::pair<std::uint32_t, std::uint32_t>, std::uint32_t> stageStates;  // (stage, state) -> value
  std::map<std::uint32_t, const platform::DeviceTexture*> textures;             // stage -> bound (null = none)
  std::map<std::pair<platform::TransformKind, std::uint32_t>, platform::Matrix16> transforms;
  platform::DeviceMaterial material;
  platform::DeviceLight light;
  bool lightEnabled = false;
  std::uint32_t vertexFormat = 0;
  std::vector<platform::DeviceParams> resets;
  int texturesCreated = 0;

  // The calls so far, which are then forgotten.
  std::vector<std::string> TakeCalls();
  // How many calls begin with `prefix`, and those calls in order.
  int Count(std::string_view prefix) const;
  std::vector<std::string> CallsStartingWith(std::string_view prefix) const;
  // The index of the first call equal to `call` at or after `from`; -1 when none.
  int IndexOf(std::string_view call, std::size_t from = 0) const;
  // The last transform of that kind and stage; the identity when never set.
  platform::Matrix16 Transform(platform::TransformKind kind, std::uint32_t stage = 0) const;
  // The value last set, or `fallback` when never set.
  std::uint32_t RenderState(std::uint32_t state, std::uint32_t fallback = 0xDEADBEEF) const;
  std::uint32_t StageState(std::uint32_t stage, std::uint32_t state, std::uint32_t fallback = 0xDEADBEEF) const;

  // ---- platform::GraphicsDevice ----------------------------------------
  platform::DeviceCaps Caps() const override { return caps; }
  void BackBufferSize(int& width, int& height) const override;
  bool Reset(const platform::DeviceParams& params) override;
  void SetRenderState(std::uint32_t state, std::uint32_t value) override;
  void SetTextureStageState(std::uint32_t stage, std::uint32_t state, std::uint32_t value) override;
  void SetTexture(std::uint32_t stage, const platform::DeviceTexture* texture) override;
  void SetTransform(platform::TransformKind kind, std::uint32_t stage, const platform::Matrix16& matrix) override;
  void SetMaterial(const platform::DeviceMaterial& m) override;
  void SetLight(const platform::DeviceLight& l) override;
  void EnableLight(bool on) override;
  void SetVertexFormat(std::uint32_t fvf) override;
  void SetViewport(int x, int y, int width, int height, float minZ, float maxZ) override;
  void DrawPrimitiveUP(platform::PrimitiveType type, std::uint32_t count, const void* vertices,
                       std::uint32_t stride) override;
  void DrawIndexed(const platform::DeviceVertexBuffer& vertices, std::uint32_t stride,
                   const platform::DeviceIndexBuffer& indices, std::uint32_t minIndex, std::uint32_t vertexCount,
                   std::uint32_t startIndex, std::uint32_t triangleCount) override;
  std::unique_ptr<platform::DeviceTexture> CreateTexture(const std::vector<platform::Image>& levels) override;
  std::unique_ptr<platform::DeviceVertexBuffer> CreateVertexBuffer(std::span<const std::uint8_t> bytes) override;
  std::unique_ptr<platform::DeviceIndexBuffer> CreateIndexBuffer(std::span<const std::uint16_t> indices) override;
  void Clear(bool color, bool depth, bool stencil, std::uint32_t argb, float z, std::uint32_t stencilValue) override;
  void BeginScene() override;
  void EndScene() override;
  void Present() override;

 private:
  void Record(std::string call) { calls.push_back(std::move(call)); }
};

// The name a call text uses for a primitive kind / transform slot.
const char* PrimitiveName(platform::PrimitiveType type);
const char* TransformName(platform::TransformKind kind);

}  // namespace testing_support
