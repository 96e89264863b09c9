// A recording stand-in for the graphics device, for tests of the renderer
// and of everything that loads textures or buffers through it. Every command
// is appended to `calls` as one short text: its name and its arguments in
// decimal (floats as printf's %g), textures as "tex<id>" or "null", the
// vertex format in hex, Clear's flags as "c1 d1 s0" and its colour as
// 0x<8 hex>, Reset's mode as "WxH fs<0|1>", CreateTexture's as "WxH <levels>".
// Queries are not recorded. The latest transforms, material and light are
// kept, and the textures and buffers it makes keep their contents.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/GraphicsDevice.h"
#include "platform/Image.h"

namespace testing_support {

// A texture of the fake device: its id (1, 2, ... per device) and its levels.
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
  explicit FakeVertexBuffer(std::span<const std::uint8_t> data) : bytes(data.begin(), data.end()) {}
  // Refuses more bytes than the buffer holds.
  bool Update(std::span<const std::uint8_t> data) override {
    if (data.size() > bytes.size()) return false;
    std::copy(data.begin(), data.end(), bytes.begin());
    return true;
  }
  std::size_t Size() const override { return bytes.size(); }

  std::vector<std::uint8_t> bytes;
};

class FakeIndexBuffer : public platform::DeviceIndexBuffer {
 public:
  explicit FakeIndexBuffer(std::span<const std::uint16_t> data) : indices(data.begin(), data.end()) {}
  std::size_t Count() const override { return indices.size(); }

  std::vector<std::uint16_t> indices;
};

class FakeGraphicsDevice : public platform::GraphicsDevice {
 public:
  using Kind = platform::TransformKind;

  // ---- What the device reports and how it behaves (set before use) ----
  platform::DeviceCaps caps{8, 2048, 2048, std::uint64_t{256} << 20};
  int backWidth = 1024;
  int backHeight = 768;
  bool resetSucceeds = true;     // Reset's answer (the back buffer follows a successful one)
  bool creationsSucceed = true;  // false: CreateTexture and the buffers return null

  // ---- The record -------------------------------------------------------
  std::vector<std::string> calls;
  std::map<std::pair<Kind, std::uint32_t>, platform::Matrix16> transforms;
  platform::DeviceMaterial material;
  platform::DeviceLight light;

  // The calls so far, which are then forgotten.
  std::vector<std::string> TakeCalls() { return std::exchange(calls, {}); }
  // How many calls begin with `prefix`.
  int Count(std::string_view prefix) const {
    return static_cast<int>(
        std::count_if(calls.begin(), calls.end(), [&](auto& c) { return c.starts_with(prefix); }));
  }
  // The last transform of that kind and stage; the identity when never set.
  platform::Matrix16 Transform(Kind kind, std::uint32_t stage = 0) const {
    const auto it = transforms.find({kind, stage});
    return it != transforms.end() ? it->second
                                  : platform::Matrix16{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  }

  // ---- platform::GraphicsDevice ----------------------------------------
  platform::DeviceCaps Caps() const override { return caps; }
  void BackBufferSize(int& width, int& height) const override {
    width = backWidth;
    height = backHeight;
  }
  bool Reset(const platform::DeviceParams& params) override {
    Record("Reset %ux%u fs%d", params.mode.width, params.mode.height, params.fullscreen ? 1 : 0);
    if (!resetSucceeds) return false;
    backWidth = static_cast<int>(params.mode.width);
    backHeight = static_cast<int>(params.mode.height);
    return true;
  }
  void SetRenderState(std::uint32_t s, std::uint32_t v) override { Record("SetRenderState %u %u", s, v); }
  void SetTextureStageState(std::uint32_t stage, std::uint32_t s, std::uint32_t v) override {
    Record("SetTextureStageState %u %u %u", stage, s, v);
  }
  void SetTexture(std::uint32_t stage, const platform::DeviceTexture* texture) override {
    const auto* fake = dynamic_cast<const FakeDeviceTexture*>(texture);
    Record(texture ? "SetTexture %u tex%d" : "SetTexture %u null", stage, fake ? fake->id : -1);
  }
  void SetTransform(Kind kind, std::uint32_t stage, const platform::Matrix16& matrix) override {
    const char* names[] = {"World", "View", "Projection", "Texture"};
    Record("SetTransform %s %u", names[std::min(static_cast<int>(kind), 3)], stage);
    transforms[{kind, stage}] = matrix;
  }
  void SetMaterial(const platform::DeviceMaterial& m) override {
    Record("SetMaterial");
    material = m;
  }
  void SetLight(const platform::DeviceLight& l) override {
    Record("SetLight");
    light = l;
  }
  void EnableLight(bool on) override { Record("EnableLight %d", on ? 1 : 0); }
  void SetVertexFormat(std::uint32_t fvf) override { Record("SetVertexFormat 0x%x", fvf); }
  void SetScissor(bool on, int x, int y, int width, int height) override {
    Record("SetScissor %d %d %d %d %d", on ? 1 : 0, x, y, width, height);
  }
  void SetViewport(int x, int y, int width, int height, float minZ, float maxZ) override {
    Record("SetViewport %d %d %d %d %g %g", x, y, width, height, double{minZ}, double{maxZ});
  }
  void DrawPrimitiveUP(platform::PrimitiveType type, std::uint32_t count, const void*,
                       std::uint32_t stride) override {
    const char* names[] = {"TriangleList", "TriangleStrip", "TriangleFan", "LineStrip"};
    Record("DrawPrimitiveUP %s %u %u", names[static_cast<int>(type)], count, stride);
  }
  void DrawIndexed(const platform::DeviceVertexBuffer&, std::uint32_t stride,
                   const platform::DeviceIndexBuffer&, std::uint32_t minIndex, std::uint32_t vertexCount,
                   std::uint32_t startIndex, std::uint32_t triangles) override {
    Record("DrawIndexed %u %u %u %u %u", stride, minIndex, vertexCount, startIndex, triangles);
  }
  std::unique_ptr<platform::DeviceTexture> CreateTexture(
      const std::vector<platform::Image>& levels) override {
    Record("CreateTexture %dx%d %zu", levels.empty() ? 0 : levels[0].width,
           levels.empty() ? 0 : levels[0].height, levels.size());
    return creationsSucceed ? std::make_unique<FakeDeviceTexture>(++texturesMade_, levels) : nullptr;
  }
  std::unique_ptr<platform::DeviceVertexBuffer> CreateVertexBuffer(
      std::span<const std::uint8_t> bytes) override {
    Record("CreateVertexBuffer %zu", bytes.size());
    return creationsSucceed ? std::make_unique<FakeVertexBuffer>(bytes) : nullptr;
  }
  std::unique_ptr<platform::DeviceIndexBuffer> CreateIndexBuffer(
      std::span<const std::uint16_t> indices) override {
    Record("CreateIndexBuffer %zu", indices.size());
    return creationsSucceed ? std::make_unique<FakeIndexBuffer>(indices) : nullptr;
  }
  void Clear(bool color, bool depth, bool stencil, std::uint32_t argb, float z,
             std::uint32_t value) override {
    Record("Clear c%d d%d s%d 0x%08x %g %u", int{color}, int{depth}, int{stencil}, argb, double{z}, value);
  }
  void BeginScene() override { Record("BeginScene"); }
  void EndScene() override { Record("EndScene"); }
  void Present() override { Record("Present"); }

 private:
  template <typename... Args>
  void Record(const char* format, Args... args) {
    char text[160] = {};
    if constexpr (sizeof...(Args) == 0)
      std::snprintf(text, sizeof text, "%s", format);
    else
      std::snprintf(text, sizeof text, format, args...);
    calls.emplace_back(text);
  }

  int texturesMade_ = 0;
};

}  // namespace testing_support
