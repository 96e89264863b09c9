// Render_D3D: the device's life (creation with its fallbacks, resize, reset,
// release) and the frame (begin, end, clear, viewport).
#include "render/Render_D3D.h"

#include <algorithm>
#include <cmath>

#include "framework/Init.h"
#include "framework/Log.h"
#include "platform/Process.h"
#include "render/RendererHooks.h"
#include "render/YCamera.h"
#include "render/YRenderResource.h"

namespace {

platform::Matrix16 IdentityMatrix() {
  return {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
}

// The light's direction turned into view space: the row vector times the
// view's 3 x 3 rotation part, not normalised again.
YVector3 RotateByView(const YVector3& d, const YMatrix4& view) {
  return YVector3(d.x * view.m[0][0] + d.y * view.m[1][0] + d.z * view.m[2][0],
                  d.x * view.m[0][1] + d.y * view.m[1][1] + d.z * view.m[2][1],
                  d.x * view.m[0][2] + d.y * view.m[1][2] + d.z * view.m[2][2]);
}

// The part of a side to cut away, truncated; the small allowance keeps an
// exact cut (192 of 1920) from becoming one less through rounding.
int CutOf(double fraction, int side) {
  return static_cast<int>(std::floor(fraction * side + 1e-6));
}

}  // namespace

Render_D3D::Render_D3D(std::unique_ptr<DisplaySystem> display) : display_(std::move(display)) {
  defaultStates = RenderStateBlock();
  defaultStageStates = DefaultStageStates();
  LogIdentity();
}

Render_D3D::~Render_D3D() {
  ReleaseDevice();
  Log::Write("OpenGL Released.");
  RemoveRendererHooks(*this);
}

void Render_D3D::LogIdentity() {
  platform::DeviceIdentity id;
  if (!display_->QueryDeviceIdentity(id)) return;
  Log::Printf("OpenGL object created.\nDriver %s\nDescription %s\nVersion %d.%d.%d.%d", id.driver.c_str(),
              id.description.c_str(), id.version[0], id.version[1], id.version[2], id.version[3]);
}

// ---- Device creation ---------------------------------------------------------

void Render_D3D::CreateDevice(platform::Window& window, bool fullscreen, int modeIndex) {
  CreateDeviceOn(&window, fullscreen, modeIndex);
}

void Render_D3D::CreateDeviceOn(platform::Window* window, bool fullscreen, int modeIndex) {
  ReleaseDevice();
  window_ = window;
  LogVideoMode(fullscreen);
  bool created = CreateDeviceForMode(window, fullscreen, modeIndex);
  if (!created && !fullscreen) {
    GetInit().fullscreen = true;
    LogVideoMode(true);
    created = CreateDeviceForMode(window, true, modeIndex);
  }
  if (!created) FailDeviceCreation();

  Log::Write("OpenGL device created.");
  ReadCaps();
  YRenderResource::CreateAll();
  DrawEmptyFrame();
}

bool Render_D3D::CreateDeviceForMode(platform::Window* window, bool fullscreen, int modeIndex) {
  if (fullscreen && (modeIndex < 0 || static_cast<std::size_t>(modeIndex) >= deviceModes_.size()))
    return false;
  const DeviceMode& mode = fullscreen ? deviceModes_[static_cast<std::size_t>(modeIndex)] : desktopMode_;
  stencil = mode.stencil;

  params_ = platform::DeviceParams{};
  params_.fullscreen = fullscreen;
  params_.mode = {mode.width, mode.height, fullscreen ? mode.refresh : 0, mode.displayFormat};
  params_.depthStencilFormat = mode.depthFormat;
  params_.waitForVerticalBlank = fullscreen;
  int width = 0, height = 0;
  if (!fullscreen && display_->ClientSize(window, width, height) && width > 0 && height > 0) {
    params_.mode.width = static_cast<std::uint32_t>(width);
    params_.mode.height = static_cast<std::uint32_t>(height);
  }

  std::string error;
  device_ = display_->CreateDevice(window, params_, error);
  if (!device_ && !error.empty()) Log::Printf("OpenGL device: %s", error.c_str());
  resetPending_ = false;
  return device_ != nullptr;
}

void Render_D3D::LogVideoMode(bool fullscreen) const {
  Log::Printf("Video mode = %s", GetInit().videoMode.c_str());
  Log::Printf("Fullscreen = %d", fullscreen ? 1 : 0);
}

// The next start uses a mode the display offers; this one ends with an error.
void Render_D3D::FailDeviceCreation() {
  Init& init = GetInit();
  init.videoMode = FindDisplayMode(GetDisplayModeList(), "");
  init.SaveFile();
  Log::Write("Could not create OpenGL device.");
  platform::EndProcess(1);
}

void Render_D3D::ReadCaps() {
  const platform::DeviceCaps caps = device_->Caps();
  // The caches hold kMaxStages stages; drivers may offer more units.
  stageLimit = std::min<std::uint32_t>(caps.maxSimultaneousTextures, kMaxStages);
  Log::Printf("Caps MaxSimultaneousTextures = %d", static_cast<int>(caps.maxSimultaneousTextures));
  Log::Printf("AvailableTextureMemory = %d", static_cast<int>(caps.availableTextureMemory >> 20));
  maxTextureSize_ = std::min(caps.maxTextureWidth, caps.maxTextureHeight);
  Log::Printf("Max texture size = %d", static_cast<int>(maxTextureSize_));
}

void Render_D3D::DrawEmptyFrame() {
  device_->BeginScene();
  Clear(true);
  device_->EndScene();
  device_->Present();
}

// ---- Resize, loss and release ------------------------------------------------

bool Render_D3D::Resize() {
  if (!device_ || params_.fullscreen) return true;
  int width = 0, height = 0;
  if (!display_->ClientSize(window_, width, height) || width < 1 || height < 1) return false;
  params_.mode.width = static_cast<std::uint32_t>(width);
  params_.mode.height = static_cast<std::uint32_t>(height);
  resetPending_ = !device_->Reset(params_);
  return !resetPending_;
}

// A reset that failed (in Resize) is tried again before each frame; the
// frame is skipped while it keeps failing.
bool Render_D3D::CheckDevice() {
  if (!device_) return false;
  if (!resetPending_) return true;
  YRenderResource::DeviceLostAll();
  if (!device_->Reset(params_)) return false;
  resetPending_ = false;
  YRenderResource::DeviceResetAll();
  return true;
}

void Render_D3D::ReleaseDevice() {
  if (!device_) return;
  YRenderResource::ReleaseAll();
  // Buffers still handed out die with the device they belong to.
  vertexBuffers_.clear();
  indexBuffers_.clear();
  device_.reset();
  window_ = nullptr;  // the window goes after its device
  resetPending_ = false;
  maxTextureSize_ = 0;
  Log::Write("OpenGL Device Released.");
}

// ---- Frame -------------------------------------------------------------------

void Render_D3D::BeginFrame(bool withColour) {
  if (!device_) return;
  YRender::BeginFrame(withColour);
  device_->BeginScene();
  Clear(withColour);
  SetIdentityTransforms();
  SetLightFromCamera();
  namespace rs = platform::rs;
  device_->SetRenderState(rs::Ambient, 0xFFFFFFFF);
  device_->SetRenderState(rs::Lighting, 1);
  device_->SetRenderState(rs::ColorVertex, 1);
  vertexFormat_ = 0;
}

void Render_D3D::SetIdentityTransforms() {
  const platform::Matrix16 identity = IdentityMatrix();
  device_->SetTransform(platform::TransformKind::Projection, 0, identity);
  device_->SetTransform(platform::TransformKind::View, 0, identity);
  device_->SetTransform(platform::TransformKind::World, 0, identity);
}

// Light 0: warm white from the camera's light direction, seen from the view.
void Render_D3D::SetLightFromCamera() {
  const YCamera& camera = GetCamera();
  const YVector3 direction = RotateByView(camera.LightDirection(), camera.View());
  platform::DeviceLight light;
  light.diffuse = {1.0f, 0.95f, 0.8f, 1.0f};
  light.specular = {1.0f, 0.95f, 0.8f, 1.0f};
  light.ambient = {0.6f, 0.6f, 0.8f, 1.0f};
  light.direction[0] = direction.x;
  light.direction[1] = direction.y;
  light.direction[2] = direction.z;
  device_->SetLight(light);
}

void Render_D3D::EndFrame() {
  if (!device_) return;
  Unclip();
  for (std::uint32_t s = 0; s < stageLimit; ++s) device_->SetTexture(s, nullptr);
  device_->EndScene();
  device_->Present();
}

void Render_D3D::SetSlowDrawing(bool slow) {
  if (device_) device_->SetSlowDrawing(slow);
}

void Render_D3D::SetStillDrawing(bool still) {
  if (device_) device_->SetStillDrawing(still);
}

bool Render_D3D::LastFrameCalm() const {
  return device_ && device_->LastFrameCalm();
}

bool Render_D3D::HoldsSlowDrawing() const {
  return device_ && device_->HoldsSlowDrawing();
}

void Render_D3D::Clear(bool withColour) {
  if (!device_) return;
  device_->Clear(withColour, true, stencil, 0x00000000, 1.0f, 0);
}

void Render_D3D::SetViewport(float width, float height) {
  if (!device_) return;
  const PixelBox box = LetterboxOf(width, height);
  device_->SetViewport(box.x, box.y, box.width, box.height, 0.0f, 1.0f);
}

Render_D3D::PixelBox Render_D3D::LetterboxOf(float width, float height) const {
  int backWidth = 0, backHeight = 0;
  device_->BackBufferSize(backWidth, backHeight);
  PixelBox box{0, 0, backWidth, backHeight};
  // A degenerate back buffer or aspect keeps the whole back buffer.
  if (backWidth > 0 && backHeight > 0 && width > 0 && height > 0 && std::isfinite(width / height)) {
    const double screen = static_cast<double>(backWidth) / backHeight;
    const double wanted = static_cast<double>(width) / height;
    if (screen <= wanted) {
      const int cut = CutOf(1.0 - screen / wanted, backHeight);
      box.y = cut / 2;
      box.height = backHeight - cut;
    } else {
      const int cut = CutOf(1.0 - wanted / screen, backWidth);
      box.x = cut / 2;
      box.width = backWidth - cut;
    }
  }
  return box;
}

// A pixel is drawn when its centre lies in a primitive, so the pixels from
// the floor of the area's left (top) edge to the ceiling of its right
// (bottom) edge hold all that a primitive over the area can touch.
void Render_D3D::ClipTo(const YRect& area, float width, float height) {
  if (!device_ || !(width > 0) || !(height > 0)) return;
  const PixelBox box = PixelsOf(area, width, height);
  device_->SetScissor(true, box.x, box.y, box.width, box.height);
  clipped_ = true;
}

// A spot is known by the pixels it may touch, as a clip to it would be.
void Render_D3D::BeginSpot(const YRect& area) {
  if (!device_ || !(projection2D_.x > 0) || !(projection2D_.y > 0)) return;
  const PixelBox box = PixelsOf(area, projection2D_.x, projection2D_.y);
  device_->SetSpotDrawing(true, box.x, box.y, box.width, box.height);
}

void Render_D3D::EndSpot() {
  if (!device_) return;
  SetMaterial(YMaterial(), true);
  device_->SetSpotDrawing(false, 0, 0, 0, 0);
}

Render_D3D::PixelBox Render_D3D::PixelsOf(const YRect& area, float width, float height) const {
  const PixelBox view = LetterboxOf(width, height);
  const double sx = view.width / static_cast<double>(width), sy = view.height / static_cast<double>(height);
  // Held to the viewport; an edge that is no number goes to its low end.
  const auto edge = [](double pixel, int low, int high) {
    if (!(pixel >= low)) return low;
    return pixel > high ? high : static_cast<int>(pixel);
  };
  const int left = edge(std::floor(view.x + area.x * sx), view.x, view.x + view.width);
  const int right = edge(std::ceil(view.x + (area.x + area.width) * sx), left, view.x + view.width);
  const int top = edge(std::floor(view.y + area.y * sy), view.y, view.y + view.height);
  const int bottom = edge(std::ceil(view.y + (area.y + area.height) * sy), top, view.y + view.height);
  return {left, top, right - left, bottom - top};
}

void Render_D3D::Unclip() {
  if (device_ && clipped_) device_->SetScissor(false, 0, 0, 0, 0);
  clipped_ = false;
}

// ---- For the texture loaders ---------------------------------------------------

platform::GraphicsDevice* GetGraphicsDevice() {
  const auto* render = dynamic_cast<Render_D3D*>(g_render);
  return render ? render->Device() : nullptr;
}

std::uint32_t GetMaxTextureSize() {
  const auto* render = dynamic_cast<Render_D3D*>(g_render);
  return render ? render->MaxTextureSize() : 0;
}
