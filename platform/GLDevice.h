// The graphics device on OpenGL's fixed-function pipeline (compatibility
// profile 2.1 or later with sampler objects): render and texture stage
// states by the device's numbers, row-vector transforms, depth 0..1, one
// directional light, client-memory and buffer-object drawing. Main thread
// only; the device's context stays current on that thread.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/GLChangedAreas.h"
#include "platform/GLContext.h"
#include "platform/GLDrawBatch.h"
#include "platform/GLFrameRecorder.h"
#include "platform/GLLighting.h"
#include "platform/GLRenderTarget.h"
#include "platform/GLRenderStates.h"
#include "platform/GLSubBufferPresent.h"
#include "platform/GLTextureStages.h"
#include "platform/GLTransforms.h"
#include "platform/GLVertexInput.h"
#include "platform/GLWindowMode.h"
#include "platform/GraphicsDevice.h"

namespace platform {

// Switches for drivers (and tests) that must avoid an OpenGL feature.
struct GLDeviceOptions {
  bool allowClipControl = true;  // false: remap every projection instead
  bool allowModulateAdd = true;  // false: approximate the operations that need it
};

// How the device spends less time in the driver without changing a pixel.
// All on by default; tests turn them off to compare frames.
struct GLDeviceThrift {
  // Consecutive draws from the caller's memory with no state change
  // between them reach OpenGL as one call.
  bool mergeDraws = true;
  // The depth and stencil buffers are cleared only when a draw first tests
  // or writes them, so a frame that never does (2-D) never clears them.
  bool deferDepthStencilClear = true;
  // Textures whose texels are all white (font atlases) keep only their
  // alpha, where the driver can read one channel back as white.
  bool alphaOnlyWhiteTextures = true;
  // A frame's work waits for the present, and a frame that draws exactly
  // what the last presented one drew is dropped unrun: the window already
  // shows it.
  bool skipUnchangedFrames = true;
  // With skipUnchangedFrames: a frame that differs from the last presented
  // one only in slow drawing is held back until this many milliseconds
  // have passed since that present (0: shown at once). Slow drawing (the
  // menu's blast, a duel's turning background) moves a few pixels a
  // second: four pictures a second show it smoothly, and each one costs a
  // software renderer a redraw of its rectangle.
  std::uint32_t slowFrameMs = 250;
  // With skipUnchangedFrames: a still layer (SetStillDrawing) that stays
  // the same is restored from its kept picture rather than drawn.
  bool keepStillLayer = true;
  // Draws and clears stay inside the scissor rectangle; off, they reach
  // the whole back buffer, as the scissor's callers allow for.
  bool limitToScissor = true;
  // A frame that changed only scissored parts over a restored still layer
  // is shown by copying those parts to the window, where it can be done.
  bool copyChangedAreas = true;
};

class GLDevice final : public GraphicsDevice {
 public:
  // Creates the context on the window (made with OpenGL support), switches
  // the display as the parameters say and puts every state in the device's
  // initial value. Null, with the reason in `error`, when the window has no
  // OpenGL support, the driver lacks a needed feature or the depth-stencil
  // format is not what the window's frame buffer offers. The window must
  // outlive the device.
  static std::unique_ptr<GLDevice> Create(Window& window, const DeviceParams& params,
                                          const GLDeviceOptions& options, std::string& error);
  // Gives the window back its own windowed or desktop-covering state.
  ~GLDevice() override;
  GLDevice(const GLDevice&) = delete;
  GLDevice& operator=(const GLDevice&) = delete;

  DeviceCaps Caps() const override { return caps_; }
  void BackBufferSize(int& width, int& height) const override;
  bool Reset(const DeviceParams& params) override;

  void SetRenderState(std::uint32_t state, std::uint32_t value) override;
  void SetTextureStageState(std::uint32_t stage, std::uint32_t state, std::uint32_t value) override;
  void SetTexture(std::uint32_t stage, const DeviceTexture* texture) override;
  void SetTransform(TransformKind kind, std::uint32_t stage, const Matrix16& matrix) override;
  void SetMaterial(const DeviceMaterial& material) override;
  void SetLight(const DeviceLight& light) override;
  void EnableLight(bool on) override;
  void SetVertexFormat(std::uint32_t fvf) override { callerFvf_ = fvf; }
  void SetViewport(int x, int y, int width, int height, float minZ, float maxZ) override;
  void SetScissor(bool on, int x, int y, int width, int height) override;

  void DrawPrimitiveUP(PrimitiveType type, std::uint32_t count, const void* vertices,
                       std::uint32_t stride) override;
  void DrawIndexed(const DeviceVertexBuffer& vertices, std::uint32_t stride, const DeviceIndexBuffer& indices,
                   std::uint32_t minIndex, std::uint32_t vertexCount, std::uint32_t startIndex,
                   std::uint32_t triangleCount) override;

  std::unique_ptr<DeviceTexture> CreateTexture(const std::vector<Image>& levels) override;
  // Uploads level 0 alone; the rest of the chain is made before the first
  // draw that samples the texture with a mip filter.
  std::unique_ptr<DeviceTexture> CreateMipMappedTexture(Image top) override;
  std::unique_ptr<DeviceVertexBuffer> CreateVertexBuffer(std::span<const std::uint8_t> bytes) override;
  std::unique_ptr<DeviceIndexBuffer> CreateIndexBuffer(std::span<const std::uint16_t> indices) override;

  void Clear(bool color, bool depth, bool stencil, std::uint32_t argb, float z,
             std::uint32_t stencilValue) override;
  void BeginScene() override {}
  void EndScene() override {}
  void Present() override;
  void SetSlowDrawing(bool slow) override { frames_.SetSlow(slow); }
  void SetStillDrawing(bool still) override;
  void SetSpotDrawing(bool on, int x, int y, int width, int height) override;
  bool LastFrameCalm() const override { return frames_.LastFrameCalm(); }
  bool HoldsSlowDrawing() const override;

  // The frame's work kept for the present and the draws gathered so far
  // go to OpenGL now (also done before a read, before a texture or buffer
  // is changed or deleted, and at a present that is not dropped).
  void RunKeptWork();
  void SetThrift(const GLDeviceThrift& thrift);
  // OpenGL draw calls made since creation (a merged batch counts once),
  // running the kept work first.
  std::uint64_t GLDrawCalls();
  // Presents dropped because the frame was unchanged.
  std::uint64_t DroppedFrames() const { return frames_.DroppedFrames(); }
  // Presents held back because only slow drawing changed.
  std::uint64_t HeldFrames() const { return frames_.HeldFrames(); }
  // Still layers restored rather than drawn whole: from their kept picture,
  // or drawn again only where frames changed them.
  std::uint64_t RestoredStillLayers() const { return restoredStill_; }
  // The next presented frame is read into `out` (as ReadBackBuffer) just
  // before it is shown; null stops. `out` must live until then.
  void CaptureNextPresent(Image* out) { capture_ = out; }

  // The back buffer as drawn since the last Present, top row first (for
  // tests and screenshots). False when it could not be read.
  bool ReadBackBuffer(Image& out);
  // The window as shown, likewise, where the window system lets the
  // device copy parts of the back buffer to it (else false).
  bool ReadWindow(Image& out);
  // Frames shown by copying only their changed parts to the window.
  std::uint64_t FramesShownInParts() const { return shownInParts_; }
  // The first OpenGL error raised since the last call, 0 when none; clears
  // them all.
  std::uint32_t TakeGLError();
  // Draws refused since creation: an unknown vertex format, a stride
  // smaller than the vertex, or indices outside their buffers (running the
  // kept work first).
  std::uint32_t RefusedDraws();
  // Whether OpenGL maps depth 0..1 itself (clip control) rather than the
  // device remapping projections.
  bool UsesClipControl() const { return clipControl_; }

 private:
  GLDevice(Window& window, const GLWindowMode& mode, std::unique_ptr<GLContext> context,
           const GLDeviceOptions& options);
  // The calls' work (GLDevice.cpp); the public calls keep it for the
  // present or run it at once (GLDeviceFrames.cpp).
  void ApplyRenderState(std::uint32_t state, std::uint32_t value);
  void ApplyTextureStageState(std::uint32_t stage, std::uint32_t state, std::uint32_t value);
  void ApplyTexture(std::uint32_t stage, const DeviceTexture* texture);
  void ApplyTransform(TransformKind kind, std::uint32_t stage, const Matrix16& matrix);
  void ApplyMaterial(const DeviceMaterial& material);
  void ApplyLight(const DeviceLight& light);
  void ApplyEnableLight(bool on);
  void ApplySetViewport(int x, int y, int width, int height, float minZ, float maxZ);
  void ApplyScissor(bool on, int x, int y, int width, int height);
  void ApplyDraw(PrimitiveType type, std::uint32_t vertexCount, const void* vertices, std::uint32_t stride,
                 std::uint32_t fvf);
  void ApplyDrawIndexed(const DeviceVertexBuffer& vertices, std::uint32_t stride,
                        const DeviceIndexBuffer& indices, std::uint32_t startIndex,
                        std::uint32_t triangleCount, std::uint32_t fvf);
  void ApplyClear(bool color, bool depth, bool stencil, std::uint32_t argb, float z,
                  std::uint32_t stencilValue);
  void PresentNow();
  bool ReadPixelsNow(Image& out);
  // The still layer's bounds, as GLFrameRecorder::Still says to run it
  // (GLDeviceStill.cpp).
  void ApplyStill(bool on);
  void BeginStill(GLFrameRecorder::StillUse use);
  void BeginRedraw();
  std::size_t LastClearCovering(const PixelRect& rect) const;
  void CountStillClear();
  void EndStill();
  void EndFresh();
  void PrepareRedraw(bool holdSlow);
  // Groups of calls outside the still layer that a frame leaves standing
  // (GLDeviceGroups.cpp).
  void HoldGroups(bool backHoldsLayer, bool holdSlow);
  bool MeetsChange(const PixelRect& rect, const std::vector<bool>& held) const;
  void EnterGroup();
  void EndGroups(bool dropped);
  static void MergeNearRects(std::vector<PixelRect>& rects, const std::vector<PixelRect>& keepOut);
  void ApplyScissorRect();
  bool KeptPictureFresh() const;
  void PutKeptColour();
  void NoteColourDrawn();
  void ShowFrame(int width, int height);
  const GLSubBufferPresent& SubBuffer();
  void KeptNeedsDepth();
  void RestoreKeptDepthForDraw();
  void RestoreKeptDepth();
  bool InKeptDepthHole() const;
  void CopyKeptDepthAroundHoles() const;
  void FlushDraws();
  void ApplyViewport() const;
  bool Refuse();
  void DrawNow(PrimitiveType type, std::uint32_t vertexCount, const void* vertices, std::uint32_t stride);
  void ClearPendingBuffersForDraw();
  void ClearPendingNow(std::uint32_t glClearBits);
  std::uint32_t ScissoredDepthStencil(bool depth, bool stencil, float z, std::uint32_t stencilValue);
  void PrepareStagesForDraw();

  friend void AfterTextureDeleted(const GLTexture* texture);

  struct Viewport {
    int x = 0, y = 0, width = 0, height = 0;
    float minZ = 0, maxZ = 1;
  };

  Window& window_;
  GLWindowMode windowMode_;
  std::unique_ptr<GLContext> context_;
  bool clipControl_;
  DeviceCaps caps_;
  GLRenderStates renderStates_;
  GLLighting lighting_;
  GLTransforms transforms_;
  GLTextureStages stages_;
  // The device texture each stage holds (for its waiting mip levels).
  std::array<const GLTexture*, GLTextureStages::kMaxStages> stageTextures_{};
  GLVertexInput vertexInput_;
  bool swizzle_;                 // the driver reads a texture's channels in any order
  std::uint32_t callerFvf_ = 0;  // as last set by the caller (kept draws carry theirs)
  std::uint32_t fvf_ = 0;        // of the draw OpenGL is given
  Viewport viewport_;
  std::uint32_t refusedDraws_ = 0;
  std::uint32_t lastPresentMs_ = 0;
  GLDeviceThrift thrift_;
  GLFrameRecorder frames_;
  GLDrawBatch batch_;
  std::uint32_t pendingClear_ = 0;  // GL clear bits of depth and stencil not yet cleared
  float pendingDepth_ = 1.0f;
  std::uint32_t pendingStencil_ = 0;
  std::uint64_t glDrawCalls_ = 0;
  // The still layer: its kept picture, how the open layer runs, the
  // deferred clears as drawing it left them, when it was drawn.
  std::unique_ptr<GLRenderTarget> keptStill_;
  GLFrameRecorder::StillUse stillUse_ = GLFrameRecorder::StillUse::Draw;
  bool muted_ = false;  // draws and clears do nothing (a restored layer)
  bool clippedAway_ = false;  // the scissor lets nothing through
  bool keptDepthWaiting_ = false;  // the kept depth and stencil are due on the back buffer
  // While they are due: rectangles whose depth and stencil were cleared
  // since (scissored), where none of them is due.
  std::vector<PixelRect> keptDepthHoles_;
  std::uint32_t keptPendingClear_ = 0;
  float keptPendingDepth_ = 1.0f;
  std::uint32_t keptPendingStencil_ = 0;
  std::uint32_t keptAtMs_ = 0;
  std::uint64_t restoredStill_ = 0;
  std::uint64_t pictures_ = 0;     // drawings of the layer numbered so far
  std::uint64_t keptPicture_ = 0;  // which drawing of the layer the kept picture holds
  // A flat layer drawn where the back buffer keeps it: which drawing, and
  // the rectangles to draw it again in (one for each run of its calls).
  std::uint64_t drawnPicture_ = 0;
  bool flatLayer_ = true;
  bool depthTouched_ = false;
  std::vector<PixelRect> redrawRects_;
  std::vector<PixelRect> changedSpots_;  // the spots whose look changed, drawn again with the rest
  std::vector<PixelRect> freshClears_;  // where the layer drawn whole cleared its colour
  std::size_t runGroup_ = 0;            // groups entered in the frame's calls so far
  bool slowHeld_ = false;               // a group stands with slow drawing that moved since
  std::vector<PixelRect> heldRects_;    // where groups stand this frame
  std::uint32_t slowShownMs_ = 0;       // when the groups' slow drawing was last all shown
  std::size_t coveringClear_ = 0;       // the clear that covers this redraw's rectangle
  std::size_t redrawClears_ = 0;        // clears run in this redraw so far
  std::size_t redrawPass_ = 0;
  PixelRect redrawRect_;
  bool scissorOn_ = false;  // as the caller set it
  // What frames changed over the kept picture, to show them by copying
  // only those parts where the window system can.
  PixelRect scissorRect_;
  GLChangedAreas changedAreas_;
  std::unique_ptr<GLSubBufferPresent> subBuffer_;
  std::uint64_t shownInParts_ = 0;
  Image* capture_ = nullptr;
};

}  // namespace platform
