#include "platform/GLDevice.h"

#include <algorithm>
#include <cstring>

#include "platform/GLAdapterProbe.h"
#include "platform/GLFunctions.h"
#include "platform/GLIndexBuffer.h"
#include "platform/GLTexture.h"
#include "platform/GLVertexBuffer.h"
#include "platform/GLWindowMode.h"
#include "platform/Image.h"
#include "platform/Window.h"

namespace platform {

namespace {

// The device whose gathered draws a texture's deletion must flush first
// (one device draws at a time).
GLDevice* g_drawingDevice = nullptr;

constexpr std::uint64_t kMebibyte = 1024 * 1024;
constexpr std::uint64_t kUnknownTextureMemory = 256 * kMebibyte;

bool HasExtension(const char* name) {
  return SDL_GL_ExtensionSupported(name) == SDL_TRUE;
}

// The device's depth range 0..1 is OpenGL's with clip control (4.5 or the
// extension): clip z from 0 to w then fills depth 0..1 at full precision
// and z below 0 is clipped, as the device does. Without it, GLTransforms
// remaps each projection (z' = 2z - w) into OpenGL's -w..w, which gives the
// same depths and clipping with a little less precision near the viewer.
bool EnableClipControl(const GLDeviceOptions& options) {
  if (!options.allowClipControl || GL().ClipControl == nullptr) return false;
  GL().ClipControl(GL_LOWER_LEFT, GL_ZERO_TO_ONE);
  return true;
}

std::uint64_t TextureMemoryEstimate() {
  GLint kilobytes[4] = {0, 0, 0, 0};
  if (HasExtension("GL_NVX_gpu_memory_info"))
    glGetIntegerv(GL_GPU_MEMORY_INFO_CURRENT_AVAILABLE_VIDMEM_NVX, kilobytes);
  else if (HasExtension("GL_ATI_meminfo"))
    glGetIntegerv(GL_TEXTURE_FREE_MEMORY_ATI, kilobytes);
  return kilobytes[0] > 0 ? static_cast<std::uint64_t>(kilobytes[0]) * 1024 : kUnknownTextureMemory;
}

DeviceCaps QueryCaps() {
  GLint units = 0, size = 0;
  glGetIntegerv(GL_MAX_TEXTURE_UNITS, &units);
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
  DeviceCaps caps;
  caps.maxSimultaneousTextures =
      std::min<std::uint32_t>(static_cast<std::uint32_t>(std::max(units, 1)), GLTextureStages::kMaxStages);
  caps.maxTextureWidth = caps.maxTextureHeight = static_cast<std::uint32_t>(std::max(size, 1));
  caps.availableTextureMemory = TextureMemoryEstimate();
  return caps;
}

GLenum ModeOf(PrimitiveType type) {
  switch (type) {
    case PrimitiveType::TriangleList:
      return GL_TRIANGLES;
    case PrimitiveType::TriangleStrip:
      return GL_TRIANGLE_STRIP;
    case PrimitiveType::TriangleFan:
      return GL_TRIANGLE_FAN;
    case PrimitiveType::LineStrip:
      return GL_LINE_STRIP;
  }
  return GL_TRIANGLES;
}

// How many whole vertices of `vertexSize` bytes, `stride` apart, a buffer
// of `bytes` holds.
std::uint64_t VerticesIn(std::size_t bytes, std::uint32_t vertexSize, std::uint32_t stride) {
  if (bytes < vertexSize || stride == 0) return 0;
  return (bytes - vertexSize) / stride + 1;
}

void SetSwapInterval(bool waitForVerticalBlank) {
  // Some drivers refuse to change it; presenting still works.
  SDL_GL_SetSwapInterval(waitForVerticalBlank ? 1 : 0);
}

bool CheckDepthStencil(std::uint32_t format, std::string& error) {
  GLAdapterInfo adapter;
  if (QueryGLAdapter(adapter) && DepthStencilOffered(adapter.depthBits, adapter.stencilBits, format))
    return true;
  error = "depth-stencil format " + std::to_string(format) + " is not offered (the frame buffer has " +
          std::to_string(adapter.depthBits) + " depth and " + std::to_string(adapter.stencilBits) +
          " stencil bits)";
  return false;
}

}  // namespace

std::unique_ptr<GLDevice> GLDevice::Create(Window& window, const DeviceParams& params,
                                           const GLDeviceOptions& options, std::string& error) {
  if ((SDL_GetWindowFlags(window.Sdl()) & SDL_WINDOW_OPENGL) == 0) {
    error = "the window was created without OpenGL support";
    return nullptr;
  }
  GLWindowMode mode(window);
  if (!mode.Apply(params, error)) return nullptr;
  auto context = GLContext::Create(window.Sdl(), error);
  std::string missing;
  if (context && !GL().Load(missing)) error = "the OpenGL driver lacks " + missing;
  if (!context || !missing.empty() || !CheckDepthStencil(params.depthStencilFormat, error)) {
    std::string ignored;
    mode.Restore(ignored);
    return nullptr;
  }
  SetSwapInterval(params.waitForVerticalBlank);
  std::unique_ptr<GLDevice> device(new GLDevice(window, mode, std::move(context), options));
  if (!device->stages_.Ready()) {
    error = "the OpenGL driver gave no texture or sampler names";
    return nullptr;
  }
  return device;
}

GLDevice::GLDevice(Window& window, const GLWindowMode& mode, std::unique_ptr<GLContext> context,
                   const GLDeviceOptions& options)
    : window_(window),
      windowMode_(mode),
      context_(std::move(context)),
      clipControl_(EnableClipControl(options)),
      caps_(QueryCaps()),
      transforms_(lighting_, clipControl_),
      stages_(
          caps_.maxSimultaneousTextures,
          options.allowModulateAdd && HasExtension("GL_ATI_texture_env_combine3"),
          GLHas("GL_ARB_texture_mirror_clamp_to_edge", 4, 4) || HasExtension("GL_ATI_texture_mirror_once"),
          context_->Token()),
      vertexInput_(caps_.maxSimultaneousTextures),
      swizzle_(GLHas("GL_ARB_texture_swizzle", 3, 3)) {
  BackBufferSize(viewport_.width, viewport_.height);
  ApplyViewport();
  frames_.SetActive(thrift_.skipUnchangedFrames);
  g_drawingDevice = this;
}

GLDevice::~GLDevice() {
  if (g_drawingDevice == this) g_drawingDevice = nullptr;
  std::string ignored;
  windowMode_.Restore(ignored);
}

void GLDevice::BackBufferSize(int& width, int& height) const {
  SDL_GL_GetDrawableSize(window_.Sdl(), &width, &height);
}

// There is no lost device on OpenGL: a reset applies the display mode and
// the presentation interval and starts again with the whole back buffer as
// the viewport.
bool GLDevice::Reset(const DeviceParams& params) {
  RunKeptWork();
  frames_.MarkChanged();
  std::string error;
  if (!windowMode_.Apply(params, error)) return false;
  SetSwapInterval(params.waitForVerticalBlank);
  viewport_ = Viewport{};
  BackBufferSize(viewport_.width, viewport_.height);
  ApplyViewport();
  return viewport_.width >= 1 && viewport_.height >= 1;
}

void GLDevice::ApplyRenderState(std::uint32_t state, std::uint32_t value) {
  FlushDraws();
  if (state == rs::TextureFactor) {
    stages_.SetTextureFactor(value);
    return;
  }
  if (!renderStates_.Set(state, value)) lighting_.Set(state, value);
}

void GLDevice::ApplyTextureStageState(std::uint32_t stage, std::uint32_t state, std::uint32_t value) {
  FlushDraws();
  stages_.SetState(stage, state, value);
}

void GLDevice::ApplyTexture(std::uint32_t stage, const DeviceTexture* texture) {
  FlushDraws();
  const auto* glTexture = dynamic_cast<const GLTexture*>(texture);
  stages_.SetTexture(stage, glTexture != nullptr ? glTexture->Name() : 0);
  if (stage < stageTextures_.size()) stageTextures_[stage] = glTexture;
}

// Turns the stages on for the draw, then makes the mip levels a stage
// about to sample with a mip filter still waits for.
void GLDevice::PrepareStagesForDraw() {
  stages_.PrepareDraw();
  for (std::uint32_t i = 0; i < stageTextures_.size(); ++i) {
    const GLTexture* texture = stageTextures_[i];
    if (texture != nullptr && texture->MipLevelsPending() && stages_.SamplesMipLevels(i))
      texture->BuildMipLevels();
  }
}

void GLDevice::ApplyTransform(TransformKind kind, std::uint32_t stage, const Matrix16& matrix) {
  FlushDraws();
  switch (kind) {
    case TransformKind::World:
      transforms_.SetWorld(matrix);
      break;
    case TransformKind::View:
      transforms_.SetView(matrix);
      break;
    case TransformKind::Projection:
      transforms_.SetProjection(matrix);
      break;
    case TransformKind::Texture0:
      stages_.SetMatrix(stage, matrix);
      break;
  }
}

void GLDevice::ApplyMaterial(const DeviceMaterial& material) {
  FlushDraws();
  lighting_.SetMaterial(material);
}

void GLDevice::ApplyLight(const DeviceLight& light) {
  FlushDraws();
  lighting_.SetLight(light);
  transforms_.ReissueLight();
}

void GLDevice::ApplyEnableLight(bool on) {
  FlushDraws();
  lighting_.EnableLight(on);
}

void GLDevice::ApplySetViewport(int x, int y, int width, int height, float minZ, float maxZ) {
  FlushDraws();
  viewport_ = Viewport{std::max(x, 0),
                       std::max(y, 0),
                       std::max(width, 0),
                       std::max(height, 0),
                       std::clamp(minZ, 0.0f, 1.0f),
                       std::clamp(maxZ, 0.0f, 1.0f)};
  ApplyViewport();
}

// Rows from the top, as the viewport's.
void GLDevice::ApplyScissor(bool on, int x, int y, int width, int height) {
  FlushDraws();
  int backWidth = 0, backHeight = 0;
  BackBufferSize(backWidth, backHeight);
  scissorRect_ = {x, backHeight - (y + height), width, height};
  scissorOn_ = on;
  ApplyScissorRect();
  if (stillUse_ == GLFrameRecorder::StillUse::Draw) EnterGroup();
}

// The device counts rows from the top, OpenGL from the bottom.
void GLDevice::ApplyViewport() const {
  int width = 0, height = 0;
  BackBufferSize(width, height);
  glViewport(viewport_.x, height - (viewport_.y + viewport_.height), viewport_.width, viewport_.height);
  glDepthRange(viewport_.minZ, viewport_.maxZ);
}

bool GLDevice::Refuse() {
  ++refusedDraws_;
  return false;
}

// Gathers the draw with the ones before it when nothing changed between
// them; `vertices` are the caller's, so a kept draw holds a copy.
void GLDevice::ApplyDraw(PrimitiveType type, std::uint32_t vertexCount, const void* vertices,
                         std::uint32_t stride, std::uint32_t fvf) {
  if (muted_ || clippedAway_) return;
  NoteColourDrawn();
  fvf_ = fvf;
  if (!thrift_.mergeDraws || vertexCount > GLDrawBatch::kMaxVertices) {
    FlushDraws();
    return DrawNow(type, vertexCount, vertices, stride);
  }
  if (!batch_.Accepts(type, fvf_, stride, vertexCount)) FlushDraws();
  batch_.Add(type, fvf_, stride, GLVertexInput::VertexSize(fvf_), vertices, vertexCount);
}

void GLDevice::DrawNow(PrimitiveType type, std::uint32_t vertexCount, const void* vertices,
                       std::uint32_t stride) {
  if (!vertexInput_.Bind(fvf_, reinterpret_cast<std::uintptr_t>(vertices), stride)) return void(Refuse());
  ClearPendingBuffersForDraw();
  PrepareStagesForDraw();
  glDrawArrays(ModeOf(type), 0, static_cast<GLsizei>(vertexCount));
  ++glDrawCalls_;
}

// One call for everything gathered: each draw keeps its primitive, so the
// rasteriser sees the same triangles in the same order as from separate
// calls. Lists (and one draw) need no split at all.
void GLDevice::FlushDraws() {
  if (batch_.Empty()) return;
  const std::uint32_t fvf = fvf_;
  fvf_ = batch_.Fvf();
  if (vertexInput_.Bind(fvf_, reinterpret_cast<std::uintptr_t>(batch_.Vertices()), batch_.Stride())) {
    ClearPendingBuffersForDraw();
    PrepareStagesForDraw();
    const GLenum mode = ModeOf(batch_.Type());
    if (batch_.DrawCount() == 1 || batch_.Type() == PrimitiveType::TriangleList)
      glDrawArrays(mode, 0, static_cast<GLsizei>(batch_.VertexCount()));
    else
      GL().MultiDrawArrays(mode, batch_.Firsts().data(), batch_.Counts().data(),
                           static_cast<GLsizei>(batch_.DrawCount()));
    ++glDrawCalls_;
  }
  fvf_ = fvf;
  batch_.Clear();
}

void GLDevice::SetThrift(const GLDeviceThrift& thrift) {
  RunKeptWork();
  frames_.SetActive(thrift.skipUnchangedFrames);
  if (!thrift.deferDepthStencilClear) ClearPendingNow(pendingClear_);
  thrift_ = thrift;
}

// A deferred depth or stencil clear is done before the first draw that
// tests or writes that buffer (after a restored still layer's depth and
// stencil, which it clears).
void GLDevice::ClearPendingBuffersForDraw() {
  if (renderStates_.DepthTested() || renderStates_.StencilTested()) KeptNeedsDepth();
  RestoreKeptDepthForDraw();
  if (pendingClear_ == 0) return;
  GLbitfield bits = 0;
  if (renderStates_.DepthTested()) bits |= pendingClear_ & GL_DEPTH_BUFFER_BIT;
  if (renderStates_.StencilTested()) bits |= pendingClear_ & GL_STENCIL_BUFFER_BIT;
  ClearPendingNow(bits);
}

// Deferred clears are of the whole buffer, scissor or not.
void GLDevice::ClearPendingNow(std::uint32_t glClearBits) {
  const GLbitfield bits = glClearBits & pendingClear_;
  if (bits == 0) return;
  KeptNeedsDepth();
  glClearDepth(pendingDepth_);
  glClearStencil(static_cast<GLint>(pendingStencil_));
  renderStates_.SuspendScissor();
  renderStates_.ClearAll(bits);
  renderStates_.ResumeScissor();
  pendingClear_ &= ~bits;
}

// The caller's lowest index and vertex count are only hints; the range
// passed on is the one the indices really use, and a draw whose indices
// reach past the vertex buffer is refused rather than read out of bounds.
void GLDevice::ApplyDrawIndexed(const DeviceVertexBuffer& vertices, std::uint32_t stride,
                                const DeviceIndexBuffer& indices, std::uint32_t startIndex,
                                std::uint32_t triangleCount, std::uint32_t fvf) {
  if (muted_ || clippedAway_) return;
  NoteColourDrawn();
  fvf_ = fvf;
  const auto* vb = dynamic_cast<const GLVertexBuffer*>(&vertices);
  const auto* ib = dynamic_cast<const GLIndexBuffer*>(&indices);
  const std::uint32_t vertexSize = GLVertexInput::VertexSize(fvf_);
  FlushDraws();
  if (vb == nullptr || ib == nullptr || vertexSize == 0 || stride < vertexSize) return void(Refuse());
  if (triangleCount == 0) return;
  const std::uint64_t count = std::uint64_t{triangleCount} * 3;
  if (std::uint64_t{startIndex} + count > ib->Count()) return void(Refuse());
  const std::uint64_t limit = VerticesIn(vb->Size(), vertexSize, stride);
  const std::uint16_t last = ib->MaxIndex() < limit ? ib->MaxIndex() : ib->MaxIndex(startIndex, count);
  if (last >= limit) return void(Refuse());
  GL().BindBuffer(GL_ARRAY_BUFFER, vb->Name());
  vertexInput_.Bind(fvf_, 0, stride);
  GL().BindBuffer(GL_ELEMENT_ARRAY_BUFFER, ib->Name());
  ClearPendingBuffersForDraw();
  PrepareStagesForDraw();
  const std::uintptr_t offset = std::uintptr_t{startIndex} * sizeof(std::uint16_t);
  GL().DrawRangeElements(GL_TRIANGLES, 0, last, static_cast<GLsizei>(count), GL_UNSIGNED_SHORT,
                         reinterpret_cast<const void*>(offset));
  ++glDrawCalls_;
  GL().BindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  GL().BindBuffer(GL_ARRAY_BUFFER, 0);
}

std::unique_ptr<DeviceTexture> GLDevice::CreateTexture(const std::vector<Image>& levels) {
  RunKeptWork();
  const int maxSize = static_cast<int>(std::min(caps_.maxTextureWidth, caps_.maxTextureHeight));
  return GLTexture::Create(levels, maxSize, thrift_.alphaOnlyWhiteTextures && swizzle_, context_->Token());
}

std::unique_ptr<DeviceTexture> GLDevice::CreateMipMappedTexture(Image top) {
  RunKeptWork();
  const int maxSize = static_cast<int>(std::min(caps_.maxTextureWidth, caps_.maxTextureHeight));
  return GLTexture::CreateWithDeferredMips(std::move(top), maxSize,
                                           thrift_.alphaOnlyWhiteTextures && swizzle_, context_->Token());
}

std::unique_ptr<DeviceVertexBuffer> GLDevice::CreateVertexBuffer(std::span<const std::uint8_t> bytes) {
  RunKeptWork();
  return GLVertexBuffer::Create(bytes, context_->Token());
}

std::unique_ptr<DeviceIndexBuffer> GLDevice::CreateIndexBuffer(std::span<const std::uint16_t> indices) {
  RunKeptWork();
  return GLIndexBuffer::Create(indices, context_->Token());
}

void GLDevice::ApplyClear(bool color, bool depth, bool stencil, std::uint32_t argb, float z,
                          std::uint32_t stencilValue) {
  if (color) CountStillClear();
  if (muted_ || clippedAway_) return;
  FlushDraws();
  z = std::clamp(z, 0.0f, 1.0f);
  GLbitfield bits = 0;
  if (color) {
    glClearColor(
        static_cast<GLfloat>((argb >> 16) & 0xFF) / 255.0f, static_cast<GLfloat>((argb >> 8) & 0xFF) / 255.0f,
        static_cast<GLfloat>(argb & 0xFF) / 255.0f, static_cast<GLfloat>((argb >> 24) & 0xFF) / 255.0f);
    bits |= GL_COLOR_BUFFER_BIT;
    NoteColourDrawn();
  }
  if (renderStates_.Scissored()) {
    bits |= ScissoredDepthStencil(depth, stencil, z, stencilValue);
  } else {
    if (depth) pendingDepth_ = z;
    if (stencil) pendingStencil_ = stencilValue;
    pendingClear_ |= (depth ? GL_DEPTH_BUFFER_BIT : 0) | (stencil ? GL_STENCIL_BUFFER_BIT : 0);
    if (!thrift_.deferDepthStencilClear) {
      glClearDepth(pendingDepth_);
      glClearStencil(static_cast<GLint>(pendingStencil_));
      bits |= pendingClear_;
      pendingClear_ = 0;
    }
  }
  if ((bits & ~GL_COLOR_BUFFER_BIT) != 0) KeptNeedsDepth();
  if (bits != 0) renderStates_.ClearAll(bits);
}

// Within the scissor rectangle depth and stencil are cleared at once. A
// deferred clear of the whole buffer to the same value already covers the
// rectangle; any other one goes onto the whole buffer first, and so does
// the depth of a restored still layer, unless both depth and stencil are
// cleared here with no deferred clear waiting: then it is due only around
// the rectangle.
std::uint32_t GLDevice::ScissoredDepthStencil(bool depth, bool stencil, float z, std::uint32_t stencilValue) {
  GLbitfield bits = 0;
  if (depth && !((pendingClear_ & GL_DEPTH_BUFFER_BIT) != 0 && pendingDepth_ == z)) bits |= GL_DEPTH_BUFFER_BIT;
  if (stencil && !((pendingClear_ & GL_STENCIL_BUFFER_BIT) != 0 && pendingStencil_ == stencilValue))
    bits |= GL_STENCIL_BUFFER_BIT;
  if (bits == 0) return 0;
  if (keptDepthWaiting_ && depth && stencil && pendingClear_ == 0)
    keptDepthHoles_.push_back(scissorRect_);
  else
    RestoreKeptDepth();
  ClearPendingNow(pendingClear_);
  glClearDepth(z);
  glClearStencil(static_cast<GLint>(stencilValue));
  return bits;
}

void GLDevice::PresentNow() {
  FlushDraws();
  SDL_GL_SwapWindow(window_.Sdl());
}

bool GLDevice::ReadBackBuffer(Image& out) {
  RunKeptWork();
  return ReadPixelsNow(out);
}

// Like a count, a read of the window changes no frame.
bool GLDevice::ReadWindow(Image& out) {
  frames_.RunKept();
  FlushDraws();
  int width = 0, height = 0;
  BackBufferSize(width, height);
  return SubBuffer().Read(width, height, out);
}

bool GLDevice::ReadPixelsNow(Image& out) {
  int width = 0, height = 0;
  BackBufferSize(width, height);
  if (width < 1 || height < 1) return false;
  const std::size_t row = static_cast<std::size_t>(width) * 4;
  std::vector<std::uint8_t> bottomUp(row * static_cast<std::size_t>(height));
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  glReadPixels(0, 0, width, height, GL_BGRA, GL_UNSIGNED_BYTE, bottomUp.data());
  out.width = width;
  out.height = height;
  out.bgra.resize(bottomUp.size());
  for (int y = 0; y < height; ++y)
    std::memcpy(out.bgra.data() + static_cast<std::size_t>(y) * row,
                bottomUp.data() + static_cast<std::size_t>(height - 1 - y) * row, row);
  return true;
}

std::uint32_t GLDevice::TakeGLError() {
  RunKeptWork();
  std::uint32_t first = 0;
  for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError())
    if (first == 0) first = error;
  return first;
}

void BeforeDeviceObjectChange() {
  if (g_drawingDevice != nullptr) g_drawingDevice->RunKeptWork();
}

void AfterTextureDeleted(const GLTexture* texture) {
  if (g_drawingDevice == nullptr) return;
  for (const GLTexture*& held : g_drawingDevice->stageTextures_)
    if (held == texture) held = nullptr;
}

std::unique_ptr<DeviceTexture> GraphicsDevice::CreateMipMappedTexture(Image top) {
  return CreateTexture(BuildMipChain(std::move(top)));
}

std::unique_ptr<GraphicsDevice> CreateOpenGLDevice(Window& window, const DeviceParams& params,
                                                   std::string& error) {
  return GLDevice::Create(window, params, GLDeviceOptions{}, error);
}

}  // namespace platform
