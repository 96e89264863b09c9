// GLDevice: the calls as the renderer makes them. Each keeps its work for
// the present (GLFrameRecorder), hashing what it does (a state's call
// also as the state a later group inherits), or runs it at once when
// frames are not kept; reads and object changes run the kept work first.
#include <memory>
#include <utility>
#include <vector>

#include "platform/Clock.h"
#include "platform/GLDevice.h"
#include "platform/GLVertexInput.h"
#include "platform/Window.h"

namespace platform {

namespace {

// The kinds of kept calls, hashed with their arguments.
enum Kind : std::uint32_t {
  kRenderState = 1,
  kStageState,
  kTexture,
  kTransform,
  kMaterial,
  kLight,
  kEnableLight,
  kViewport,
  kScissor,
  kDraw,
  kDrawIndexed,
  kClear,
  kStill
};

// A spot's draws and material hash apart from the still layer (its other
// calls leave the states that follow it, so they hash with the layer).
constexpr std::uint64_t kSpotKinds = 1ull << kDraw | 1ull << kDrawIndexed | 1ull << kMaterial;

std::uint64_t VertexCountOf(PrimitiveType type, std::uint32_t primitives) {
  switch (type) {
    case PrimitiveType::TriangleList:
      return std::uint64_t{primitives} * 3;
    case PrimitiveType::TriangleStrip:
    case PrimitiveType::TriangleFan:
      return std::uint64_t{primitives} + 2;
    case PrimitiveType::LineStrip:
      return std::uint64_t{primitives} + 1;
  }
  return 0;
}

}  // namespace

void GLDevice::SetRenderState(std::uint32_t state, std::uint32_t value) {
  if (!frames_.AddState(
          kRenderState, state, [=, this] { ApplyRenderState(state, value); }, state, value))
    ApplyRenderState(state, value);
}

void GLDevice::SetTextureStageState(std::uint32_t stage, std::uint32_t state, std::uint32_t value) {
  if (!frames_.AddState(
          kStageState, std::uint64_t{stage} << 32 | state,
          [=, this] { ApplyTextureStageState(stage, state, value); }, stage, state, value))
    ApplyTextureStageState(stage, state, value);
}

// A texture is known by its address: making or deleting one changes the
// frame anyway, so an address used again cannot pass for the old texture.
void GLDevice::SetTexture(std::uint32_t stage, const DeviceTexture* texture) {
  if (!frames_.AddState(
          kTexture, stage, [=, this] { ApplyTexture(stage, texture); }, stage, texture))
    ApplyTexture(stage, texture);
}

void GLDevice::SetTransform(TransformKind kind, std::uint32_t stage, const Matrix16& matrix) {
  if (!frames_.AddState(
          kTransform, std::uint64_t{static_cast<std::uint32_t>(kind)} << 32 | stage,
          [=, this] { ApplyTransform(kind, stage, matrix); }, kind, stage, matrix))
    ApplyTransform(kind, stage, matrix);
}

void GLDevice::SetMaterial(const DeviceMaterial& material) {
  if (!frames_.AddState(
          kMaterial, 0, [=, this] { ApplyMaterial(material); }, material))
    ApplyMaterial(material);
}

void GLDevice::SetLight(const DeviceLight& light) {
  if (!frames_.AddState(
          kLight, 0, [=, this] { ApplyLight(light); }, light))
    ApplyLight(light);
}

void GLDevice::EnableLight(bool on) {
  if (!frames_.AddState(
          kEnableLight, 0, [=, this] { ApplyEnableLight(on); }, on))
    ApplyEnableLight(on);
}

void GLDevice::SetViewport(int x, int y, int width, int height, float minZ, float maxZ) {
  if (!frames_.AddState(
          kViewport, 0, [=, this] { ApplySetViewport(x, y, width, height, minZ, maxZ); }, x, y, width,
          height, minZ, maxZ))
    ApplySetViewport(x, y, width, height, minZ, maxZ);
}

void GLDevice::SetScissor(bool on, int x, int y, int width, int height) {
  int backWidth = 0, backHeight = 0;
  BackBufferSize(backWidth, backHeight);
  frames_.BeginGroup(on, {x, backHeight - (y + height), width, height});
  if (!frames_.Add(
          kScissor, [=, this] { ApplyScissor(on, x, y, width, height); }, on, x, y, width, height))
    ApplyScissor(on, x, y, width, height);
}

void GLDevice::Clear(bool color, bool depth, bool stencil, std::uint32_t argb, float z,
                     std::uint32_t stencilValue) {
  if (!frames_.Add(
          kClear, [=, this] { ApplyClear(color, depth, stencil, argb, z, stencilValue); }, color, depth,
          stencil, argb, z, stencilValue))
    ApplyClear(color, depth, stencil, argb, z, stencilValue);
  frames_.NoteDraw();
}

// The still layer's bounds are kept like any call, in the layer's hash.
void GLDevice::SetStillDrawing(bool still) {
  if (still) frames_.SetStill(true);
  if (!frames_.Add(
          kStill, [=, this] { ApplyStill(still); }, still))
    ApplyStill(still);
  if (!still) frames_.SetStill(false);
}

// Rows from the top, as the scissor's.
void GLDevice::SetSpotDrawing(bool on, int x, int y, int width, int height) {
  if (!on) return frames_.EndSpot();
  int backWidth = 0, backHeight = 0;
  BackBufferSize(backWidth, backHeight);
  frames_.BeginSpot({x, backHeight - (y + height), width, height}, kSpotKinds);
}

void GLDevice::DrawPrimitiveUP(PrimitiveType type, std::uint32_t count, const void* vertices,
                               std::uint32_t stride) {
  if (count == 0 || vertices == nullptr) return;
  const std::uint64_t vertexCount = VertexCountOf(type, count);
  const std::uint32_t vertexSize = GLVertexInput::VertexSize(callerFvf_);
  if (vertexCount > 0x7FFFFFFF || vertexSize == 0 || stride < vertexSize || stride > 0x7FFFFFFF)
    return void(Refuse());
  const auto n = static_cast<std::uint32_t>(vertexCount);
  const std::uint32_t fvf = callerFvf_;
  if (!frames_.Active()) return ApplyDraw(type, n, vertices, stride, fvf);
  // The caller's memory is gone by the present: the kept draw has a copy.
  const std::size_t bytes = std::size_t{n - 1} * stride + vertexSize;
  auto copy = std::make_shared<std::vector<std::uint8_t>>(static_cast<const std::uint8_t*>(vertices),
                                                          static_cast<const std::uint8_t*>(vertices) + bytes);
  copy->resize(std::size_t{n} * stride);
  frames_.Add(
      kDraw, [=, this] { ApplyDraw(type, n, copy->data(), stride, fvf); }, type, n, stride, fvf);
  frames_.Hash(copy->data(), bytes);  // with the draw's call, as a spot's own
  frames_.NoteDraw();
}

void GLDevice::DrawIndexed(const DeviceVertexBuffer& vertices, std::uint32_t stride,
                           const DeviceIndexBuffer& indices, std::uint32_t /*minIndex*/,
                           std::uint32_t /*vertexCount*/, std::uint32_t startIndex,
                           std::uint32_t triangleCount) {
  const std::uint32_t fvf = callerFvf_;
  const DeviceVertexBuffer* vb = &vertices;
  const DeviceIndexBuffer* ib = &indices;
  if (!frames_.Add(
          kDrawIndexed, [=, this] { ApplyDrawIndexed(*vb, stride, *ib, startIndex, triangleCount, fvf); }, vb,
          ib, stride, startIndex, triangleCount, fvf))
    ApplyDrawIndexed(vertices, stride, indices, startIndex, triangleCount, fvf);
  frames_.NoteDraw();
}

// An unchanged frame is not drawn and not shown again, nor one whose only
// change is slow drawing until slowFrameMs have passed since the last
// present; a window that was uncovered is shown again whatever the frame.
// Over a still layer drawn again in parts, a group of calls that draws
// what it drew when last shown stands (GLDeviceGroups.cpp), its slow
// drawing held back until slowFrameMs have passed since it was shown.
// At a size other than the last swapped frame's, what the window and the
// back buffer held counts no more (GLChangedAreas::Sized). A kept still
// picture of another size than the back buffer is dropped, and so is one
// no frame uses any more.
void GLDevice::Present() {
  frames_.SetSlow(false);
  int width = 0, height = 0;
  BackBufferSize(width, height);
  const std::uint64_t size = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(width)) << 32) |
                             static_cast<std::uint32_t>(height);
  changedAreas_.Sized(width, height);
  if (frames_.Active()) {
    if (window_.TakeExposed()) {
      frames_.MarkChanged();
      changedAreas_.Forget();
    }
    if (keptStill_ && (keptStill_->Width() != width || keptStill_->Height() != height)) {
      keptStill_.reset();
      frames_.ForgetKept();
    }
    const bool holdSlow = TickCount() - lastPresentMs_ < thrift_.slowFrameMs;
    PrepareRedraw(TickCount() - slowShownMs_ < thrift_.slowFrameMs);
    const bool dropped = frames_.DropIfUnchanged(size, holdSlow, KeptPictureFresh());
    EndStill();
    EndGroups(dropped);
    keptDepthWaiting_ = false;
    if (!dropped && !frames_.LastFrameStill()) keptStill_.reset();
    if (dropped) return changedAreas_.Dropped();
  }
  if (capture_ != nullptr) {
    FlushDraws();
    ReadPixelsNow(*std::exchange(capture_, nullptr));
  }
  ShowFrame(width, height);
  lastPresentMs_ = TickCount();
}

// An uncovered window is shown again at the next frame, whatever it draws.
bool GLDevice::HoldsSlowDrawing() const {
  return frames_.Active() && frames_.LastFrameSlowOnly() && !window_.Exposed() &&
         TickCount() - lastPresentMs_ < thrift_.slowFrameMs;
}

// A frame that changed only a few rectangles over the kept still picture
// the window shows is shown by copying them (and those the last frame
// changed) where the window system can; the back buffer then keeps the
// frame, so the next one restores only those rectangles. The back buffer
// holds the whole frame, so one whose copy the window system refuses (the
// window took another size meanwhile) is swapped whole instead.
void GLDevice::ShowFrame(int width, int height) {
  const GLSubBufferPresent& subBuffer = SubBuffer();
  const bool copies = subBuffer.Available() && thrift_.copyChangedAreas;
  const std::vector<PixelRect> areas = copies ? changedAreas_.ToCopy() : std::vector<PixelRect>{};
  bool copied = false;
  if (!areas.empty()) {
    FlushDraws();
    copied = subBuffer.Copy(areas, width, height);
    shownInParts_ += copied ? 1 : 0;
  }
  if (!copied) PresentNow();
  changedAreas_.Shown(copied);
}

// Made again for a new window.
const GLSubBufferPresent& GLDevice::SubBuffer() {
  if (!subBuffer_ || subBuffer_->Window() != window_.Sdl())
    subBuffer_ = std::make_unique<GLSubBufferPresent>(window_.Sdl());
  return *subBuffer_;
}

void GLDevice::RunKeptWork() {
  frames_.RunKept();
  frames_.MarkChanged();
  FlushDraws();
}

// A count read changes no frame: after a present nothing waits, and the
// next frame may still be compared with the last.
std::uint64_t GLDevice::GLDrawCalls() {
  frames_.RunKept();
  FlushDraws();
  return glDrawCalls_;
}

std::uint32_t GLDevice::RefusedDraws() {
  RunKeptWork();
  return refusedDraws_;
}

}  // namespace platform
