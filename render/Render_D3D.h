// The renderer on the graphics device: lists the display modes at start,
// creates the device for the window in a chosen mode (falling back to full
// screen, and resetting the configured mode when nothing works), runs the
// frame, maps the renderer's state ids onto the device's numeric states and
// draws from the caller's memory. The display and the device come through a
// DisplaySystem, so everything here runs against fakes in tests.
// Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/GraphicsDevice.h"
#include "render/DisplayMode.h"
#include "render/DisplaySystem.h"
#include "render/YRender.h"

// The device's record of a full-screen mode that passed the format checks.
struct DeviceMode {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  std::uint32_t refresh = 0;
  std::uint32_t displayFormat = 0;  // platform::fmt colour format
  std::uint32_t depthFormat = 0;    // platform::fmt depth-stencil format
  bool stencil = false;             // the depth format has stencil bits
};

// Lexicographic on width, height, refresh: the device mode list's order.
bool RenderKeyLess(const DeviceMode& a, const DeviceMode& b);

class Render_D3D : public YRender {
 public:
  // Logs the driver's identity when the display system knows it. The
  // display system must not be null.
  explicit Render_D3D(std::unique_ptr<DisplaySystem> display);
  // Releases the device and takes the renderer's hooks away.
  ~Render_D3D() override;

  // ---- State slots (Render_D3DDraw.cpp) ---------------------------------
  void BindTexture(YTextureBase* texture, std::uint32_t stage) override;
  void SetStageState(std::uint32_t stage, std::uint32_t id, std::uint32_t value) override;
  void SetRenderState(std::uint32_t id, std::uint32_t value) override;
  void SetTextureFactor(const YColor& colour) override;
  void ApplyMaterial(const YMaterial& material) override;
  void EnableLight(bool on) override;
  void SetStageCount(std::uint32_t count) override;
  void SetTextureMatrix(const YMatrix4& matrix, std::uint32_t stage) override;
  void LoadTexture(YTextureBase& texture) override;
  void ReleaseTexture(YTextureBase& texture) override;
  void MakeArrayTexture(int columns, int rows, int count, std::vector<YSTexture*>& out,
                        std::string_view fileName) override;
  // Orthographic over (0, 0)-(width, height), y down, z -1..1 onto depth
  // 0..1; view and world become the identity. A size that is not positive
  // changes nothing.
  void Set2DProjection(float width, float height) override;
  // Right-handed perspective, vertical field of view in degrees; view and
  // world become the identity.
  void SetPerspective(float fovDegrees, float aspect, float nearZ, float farZ) override;
  void SetWorldTransform(const YMatrix4& matrix) override;
  void SetViewProjection(const YMatrix4& projection, const YMatrix4& view) override;
  // Null vertices or a count of 0 draw nothing.
  void DrawLineStrip(const YVector3* vertices, std::uint32_t lineCount) override;
  void DrawQuad28(const YTexVertex* fourVertices) override;
  void DrawQuad40(const YMeshVertex* fourVertices) override;
  void DrawTriangles(const YVector3* vertices, std::uint32_t triangleCount) override;
  void DrawStrip28(const YTexVertex* vertices, std::uint32_t triangleCount) override;
  void DrawStrip40(const YMeshVertex* vertices, std::uint32_t triangleCount) override;
  // Buffers this renderer did not hand out, or released, draw nothing.
  void DrawIndexedSubset(VertexBufferHandle vertices, IndexBufferHandle indices,
                         const YMeshSubset& subset) override;
  // Null without a device or for an empty list. Handles the renderer did not
  // hand out (or already released) are ignored by Update and Release.
  VertexBufferHandle CreateVertexBuffer(std::span<const YMeshVertex> vertices) override;
  void ReleaseVertexBuffer(VertexBufferHandle handle) override;
  // More vertices than the buffer holds are refused (logged), never written.
  void UpdateVertexBuffer(VertexBufferHandle handle, std::span<const YMeshVertex> vertices) override;
  IndexBufferHandle CreateIndexBuffer(std::span<const std::uint16_t> indices) override;
  void ReleaseIndexBuffer(IndexBufferHandle handle) override;
  void DrawScreenQuad() override;
  void DrawScreenArea(float left, float bottom, float right, float top) override;

  // ---- Display modes (Render_D3DModes.cpp) -----------------------------
  // Checks every mode of the display and logs one line for each; returns the
  // usable ones sorted by RenderKeyLess (index = position), then the desktop
  // mode (index -1). Without a usable mode: message box and exit code 1.
  std::vector<DisplayMode> EnumerateModes() override;
  // The first depth-stencil format, in order of preference, that works with
  // the colour format; 0 when none does.
  std::uint32_t ChooseDepthFormat(std::uint32_t displayFormat);

  // ---- Device life and frame (Render_D3D.cpp) --------------------------
  // Creates the device: the full-screen mode of the index, or windowed on
  // the desktop's format. A failed windowed start is retried full screen; when
  // that fails too the configured video mode is reset, the configuration
  // saved and the process ends with exit code 1.
  void CreateDevice(platform::Window& window, bool fullscreen, int modeIndex) override;
  // CreateDevice on a window given by address; null is allowed only with a
  // display system that needs no window.
  void CreateDeviceOn(platform::Window* window, bool fullscreen, int modeIndex);
  // One attempt; false when the device cannot be created or a full-screen
  // index is not in the device mode list.
  bool CreateDeviceForMode(platform::Window* window, bool fullscreen, int modeIndex);
  // Windowed only: resizes the back buffer to the window's client size.
  bool Resize() override;
  // Releases every render resource's device objects, then the device.
  // Nothing without a device.
  void ReleaseDevice() override;
  // False without a device, and while a failed reset keeps failing.
  bool CheckDevice() override;
  void BeginFrame(bool withColour) override;
  void EndFrame() override;
  void SetSlowDrawing(bool slow) override;
  void SetStillDrawing(bool still) override;
  void BeginSpot(const YRect& area) override;
  void EndSpot() override;
  bool LastFrameCalm() const override;
  bool HoldsSlowDrawing() const override;
  // Depth to 1, stencil to 0 when the mode has stencil, colour to black
  // when withColour.
  void Clear(bool withColour) override;
  // Letterboxes the back buffer to width : height.
  void SetViewport(float width, float height) override;
  void ClipTo(const YRect& area, float width, float height) override;
  void Unclip() override;

  // The device, null when there is none.
  platform::GraphicsDevice* Device() const { return device_.get(); }
  std::uint32_t MaxTextureSize() const { return maxTextureSize_; }
  const std::vector<DeviceMode>& DeviceModes() const { return deviceModes_; }
  const DeviceMode& DesktopMode() const { return desktopMode_; }

 private:
  void LogIdentity();
  // Mode listing (Render_D3DModes.cpp).
  void CheckMode(const platform::DeviceDisplayMode& mode);
  void FindDesktopMode();
  void PickDesktopFromList(const platform::DeviceDisplayMode& desktop, bool known);
  [[noreturn]] void FailNoModes();
  DeviceMode MakeDeviceMode(const platform::DeviceDisplayMode& mode, std::uint32_t depthFormat) const;
  // Device life (Render_D3D.cpp).
  void LogVideoMode(bool fullscreen) const;
  [[noreturn]] void FailDeviceCreation();
  void ReadCaps();
  void DrawEmptyFrame();
  void SetLightFromCamera();
  void SetIdentityTransforms();
  // The back buffer's part that SetViewport(width, height) keeps.
  struct PixelBox {
    int x = 0, y = 0, width = 0, height = 0;
  };
  PixelBox LetterboxOf(float width, float height) const;
  // The pixels `area` covers in the viewport letterboxed to width : height,
  // rounded out and held to it.
  PixelBox PixelsOf(const YRect& area, float width, float height) const;
  // Drawing (Render_D3DDraw.cpp).
  void UseVertexFormat(std::uint32_t fvf);
  void Draw(platform::PrimitiveType type, std::uint32_t count, const void* vertices, std::uint32_t stride,
            std::uint32_t fvf);

  std::unique_ptr<DisplaySystem> display_;
  platform::Window* window_ = nullptr;
  std::unique_ptr<platform::GraphicsDevice> device_;
  platform::DeviceParams params_;  // kept for resets
  bool resetPending_ = false;      // a reset failed; CheckDevice retries it
  std::vector<DeviceMode> deviceModes_;
  DeviceMode desktopMode_;  // width 0 when unknown
  std::uint32_t maxTextureSize_ = 0;
  std::uint32_t vertexFormat_ = 0;  // last sent; 0 = none yet this frame
  bool clipped_ = false;            // a scissor is set (ClipTo)
  YVector2 projection2D_;           // the last Set2DProjection's size
  // Device buffers handed out; declared after the device so they go first.
  std::unordered_map<platform::DeviceVertexBuffer*, std::unique_ptr<platform::DeviceVertexBuffer>>
      vertexBuffers_;
  std::unordered_map<platform::DeviceIndexBuffer*, std::unique_ptr<platform::DeviceIndexBuffer>>
      indexBuffers_;
};

// For the texture loaders: the renderer's device (null without one) and its
// largest texture side (0 without a device).
platform::GraphicsDevice* GetGraphicsDevice();
std::uint32_t GetMaxTextureSize();
