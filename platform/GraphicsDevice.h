// The graphics device: fixed-function drawing with the semantics the game's
// renderer was written for (render and texture stage states by number,
// row-vector matrices, depth range 0..1, one directional light), on the
// desktop's OpenGL. An abstract interface, so the renderer can be tested
// against a recording device without a display. Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/DeviceTypes.h"

namespace platform {

class Window;
struct Image;

// A texture with its chain of mip levels, owned by whoever created it.
class DeviceTexture {
 public:
  virtual ~DeviceTexture() = default;
  virtual int Width() const = 0;  // of level 0
  virtual int Height() const = 0;
};

// Vertex data kept on the device (mesh instances).
class DeviceVertexBuffer {
 public:
  virtual ~DeviceVertexBuffer() = default;
  // Replaces the first bytes.size() bytes; false when that is more than the buffer holds.
  virtual bool Update(std::span<const std::uint8_t> bytes) = 0;
  virtual std::size_t Size() const = 0;
};

// 16-bit indices kept on the device (meshes).
class DeviceIndexBuffer {
 public:
  virtual ~DeviceIndexBuffer() = default;
  virtual std::size_t Count() const = 0;
};

// A full-screen mode the display offers.
struct DeviceDisplayMode {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t refresh = 0;  // Hz, 0 when unknown
  std::uint32_t format = 0;   // fmt:: value of the colour buffer
};

struct DeviceCaps {
  std::uint32_t maxSimultaneousTextures = 0;
  std::uint32_t maxTextureWidth = 0;
  std::uint32_t maxTextureHeight = 0;
  std::uint64_t availableTextureMemory = 0;  // bytes; an estimate where the driver will not say
};

struct DeviceParams {
  bool fullscreen = false;
  DeviceDisplayMode mode;  // full screen: the mode to switch to
  std::uint32_t depthStencilFormat = fmt::D24S8;
  bool waitForVerticalBlank = false;
};

class GraphicsDevice {
 public:
  virtual ~GraphicsDevice() = default;

  virtual DeviceCaps Caps() const = 0;
  virtual void BackBufferSize(int& width, int& height) const = 0;
  // After the window changed size (windowed) or mode; false when the device
  // cannot go on and must be created again.
  virtual bool Reset(const DeviceParams& params) = 0;

  // State. Values follow DeviceTypes.h; unknown states are ignored.
  virtual void SetRenderState(std::uint32_t state, std::uint32_t value) = 0;
  virtual void SetTextureStageState(std::uint32_t stage, std::uint32_t state, std::uint32_t value) = 0;
  // Null unbinds the stage; a stage without a texture reads opaque white.
  virtual void SetTexture(std::uint32_t stage, const DeviceTexture* texture) = 0;
  virtual void SetTransform(TransformKind kind, std::uint32_t stage, const Matrix16& matrix) = 0;
  virtual void SetMaterial(const DeviceMaterial& material) = 0;
  virtual void SetLight(const DeviceLight& light) = 0;
  virtual void EnableLight(bool on) = 0;
  virtual void SetVertexFormat(std::uint32_t fvf) = 0;
  virtual void SetViewport(int x, int y, int width, int height, float minZ, float maxZ) = 0;
  // Limits the draws and clears that follow to a rectangle of the back
  // buffer (rows counted from the top, like the viewport's), or lifts the
  // limit (on false). A device without one draws everywhere, so the caller
  // must draw outside the rectangle what is already there.
  virtual void SetScissor(bool /*on*/, int /*x*/, int /*y*/, int /*width*/, int /*height*/) {}

  // Drawing from the caller's memory: `count` primitives of vertices in the
  // current vertex format, `stride` bytes apart.
  virtual void DrawPrimitiveUP(PrimitiveType type, std::uint32_t count, const void* vertices,
                               std::uint32_t stride) = 0;
  // Indexed triangle lists from device buffers (current vertex format).
  virtual void DrawIndexed(const DeviceVertexBuffer& vertices, std::uint32_t stride,
                           const DeviceIndexBuffer& indices, std::uint32_t minIndex,
                           std::uint32_t vertexCount, std::uint32_t startIndex,
                           std::uint32_t triangleCount) = 0;

  // Resources. Null on failure.
  virtual std::unique_ptr<DeviceTexture> CreateTexture(const std::vector<Image>& levels) = 0;
  // A texture of `top` with the mip chain BuildMipChain makes of it. A
  // device may make the chain only when the texture is first drawn with a
  // mip filter (a texture never drawn so holds level 0 alone); this one
  // makes it at once.
  virtual std::unique_ptr<DeviceTexture> CreateMipMappedTexture(Image top);
  virtual std::unique_ptr<DeviceVertexBuffer> CreateVertexBuffer(std::span<const std::uint8_t> bytes) = 0;
  virtual std::unique_ptr<DeviceIndexBuffer> CreateIndexBuffer(std::span<const std::uint16_t> indices) = 0;

  // Clears the whole back buffer (only the scissor rectangle while one is
  // set), whatever the write masks say.
  virtual void Clear(bool color, bool depth, bool stencil, std::uint32_t argb, float z,
                     std::uint32_t stencilValue) = 0;
  virtual void BeginScene() = 0;
  virtual void EndScene() = 0;
  virtual void Present() = 0;
  // Marks the calls that follow as slow drawing (on) or not (off): what
  // they draw moves slower than the eye can tell, so a device may show a
  // frame that changes only there less often than the frames come. Every
  // present turns it off.
  virtual void SetSlowDrawing(bool /*slow*/) {}
  // Marks the calls that follow as the still layer (on) or not (off): the
  // frame's first calls, from a clear of the whole back buffer on, whose
  // picture seldom changes. A device may keep that picture and, while the
  // calls stay the same, restore it rather than draw them; the calls'
  // states still hold for what follows. Every present turns it off.
  virtual void SetStillDrawing(bool /*still*/) {}
  // Marks the still layer's calls that follow as a spot (on) until off:
  // a part whose look follows the pointer, drawing only inside the
  // rectangle (pixels, rows from the top) and leaving the states as any
  // look of it would. A device may draw a layer that changed only in
  // spots again in their rectangles alone.
  virtual void SetSpotDrawing(bool /*on*/, int /*x*/, int /*y*/, int /*width*/, int /*height*/) {}
  // The last present's frame drew nothing new outside slow drawing, or
  // restored its still layer (only what is drawn over it moved).
  virtual bool LastFrameCalm() const { return false; }
  // A frame that drew what the last present's frame drew but for slow
  // drawing would be held back now: the caller may leave it undrawn.
  virtual bool HoldsSlowDrawing() const { return false; }
};

// The display: its modes, the desktop's mode, and which formats the device
// supports. Work without a window once video has started.
std::vector<DeviceDisplayMode> EnumerateDisplayModes();
bool DesktopDisplayMode(DeviceDisplayMode& mode);
// Whether a full-screen device of that colour format can be created.
bool CheckDisplayFormat(std::uint32_t format);
// Whether a depth-stencil format can go with a colour format.
bool CheckDepthStencilFormat(std::uint32_t displayFormat, std::uint32_t depthStencilFormat);
// The driver's name, description and version for the start-up log.
struct DeviceIdentity {
  std::string driver, description;
  int version[4] = {0, 0, 0, 0};
};
bool QueryDeviceIdentity(DeviceIdentity& identity);

// Creates the OpenGL device on a window; null (reason in `error`) on failure.
std::unique_ptr<GraphicsDevice> CreateOpenGLDevice(Window& window, const DeviceParams& params,
                                                   std::string& error);

}  // namespace platform
