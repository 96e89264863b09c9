#include "tools/uiview/UIViewApp.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "framework/Log.h"
#include "platform/Clock.h"
#include "platform/GLDevice.h"
#include "platform/Image.h"
#include "platform/VirtualKeys.h"
#include "render/DisplayMode.h"
#include "render/PlatformDisplaySystem.h"
#include "render/Render_D3D.h"
#include "render/RendererHooks.h"
#include "render/StyledText.h"
#include "render/YContainer.h"
#include "render/YFont.h"
#include "render/YFontLoader.h"
#include "render/YShader.h"
#include "render/YTextureBase.h"
#include "ui/UIControl.h"
#include "ui/UIParser.h"
#include "ui/UIQuads.h"

namespace {
constexpr float kUiWidth = 1000, kUiHeight = 625;
constexpr float kMinFrameTime = 0.01f, kMaxFrameTime = 0.05f;
constexpr float kCursorSize = 40;
}  // namespace

UIViewApp::UIViewApp(UIViewOptions options) : options_(std::move(options)), root_(kUiWidth, kUiHeight, this) {
  Log::SetEcho([](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); });
  renderer_ = std::make_unique<Render_D3D>(std::make_unique<PlatformDisplaySystem>());
  InstallRendererHooks(*renderer_);
  GetDisplayModeList().SetModes(renderer_->EnumerateModes());
  LoadShaders("data\\shaders.yml");
  YFontLoader::LoadFonts("data\\fonts.yml");
  UIParser::LoadLayout(options_.styles);
  if (options_.layout.empty()) return;
  screen_ = UIParser::LoadLayout(options_.layout);
  ok = screen_ != nullptr;
  if (!ok) std::fprintf(stderr, "the layout %s built nothing\n", options_.layout.c_str());
  root_.SetScreen(screen_.get());
}

UIViewApp::~UIViewApp() {
  screen_.reset();
  RemoveRendererHooks(*renderer_);
  renderer_.reset();  // the device goes before the window
  Log::SetEcho({});
}

void UIViewApp::Open() {
  CreateWindowed(options_.title, static_cast<int>(kUiWidth), static_cast<int>(kUiHeight));
  previousTime_ = GetTime();
}

// ---- Input ------------------------------------------------------------------------

void UIViewApp::PointerToView(float& x, float& y) const {
  const float scale =
      std::min(static_cast<float>(clientWidth) / kUiWidth, static_cast<float>(clientHeight) / kUiHeight);
  if (!(scale > 0)) return;
  const float ux =
      (static_cast<float>(mouseX) - (static_cast<float>(clientWidth) - kUiWidth * scale) / 2) / scale;
  const float uy =
      (static_cast<float>(mouseY) - (static_cast<float>(clientHeight) - kUiHeight * scale) / 2) / scale;
  x = ux * 2 / kUiWidth - 1;
  y = (kUiHeight - 2 * uy) / kUiWidth;
}

void UIViewApp::OnMouseMove(int, int) {
  float x = 0, y = 0;
  PointerToView(x, y);
  root_.OnMouseMove(x, y);
  SceneMouse(0, 0, x, y);
}

void UIViewApp::OnMouseDown(int button, int, int) {
  float x = 0, y = 0;
  PointerToView(x, y);
  root_.OnMouseDown(button, x, y);
  SceneMouse(1, button, x, y);
}

void UIViewApp::OnMouseUp(int button, int, int) {
  float x = 0, y = 0;
  PointerToView(x, y);
  root_.OnMouseUp(button, x, y);
  SceneMouse(2, button, x, y);
}

void UIViewApp::UpdateScene(float) {}
void UIViewApp::DrawScene() {}
void UIViewApp::SceneMouse(int, int, float, float) {}

void UIViewApp::OnKeyDown(std::uint32_t virtualKey) {
  if (virtualKey == platform::vk::Escape) {
    quitting_ = true;
    return;
  }
  root_.OnKeyDown(static_cast<int>(virtualKey));
}

void UIViewApp::OnChar(std::uint32_t character) {
  if (character != platform::vk::Escape) root_.OnChar(static_cast<int>(character));
}

void UIViewApp::OnEvent(int code, UIControl* sender) {
  if (code == ui_event::kDraw && sender) {
    DrawCustom(*sender);
    return;
  }
  std::fprintf(stderr, "event %d %s\n", code, sender ? sender->name.c_str() : "");
}

// ---- Drawing ------------------------------------------------------------------------

bool UIViewApp::Frame() {
  if (!renderer_ || !renderer_->CheckDevice()) return false;
  const std::uint32_t now = GetTime();
  const float dt = static_cast<float>(now - previousTime_) * 0.001f;
  if (dt < kMinFrameTime) {
    platform::SleepMs(1);
    return false;
  }
  previousTime_ = now;
  const float step = std::min(dt, kMaxFrameTime);
  UpdateShaders(step);
  root_.Update(step);
  ReportScreenShown();
  UpdateScene(step);
  renderer_->BeginFrame(true);
  renderer_->SetViewport(kUiWidth, kUiHeight);
  renderer_->Set2DProjection(kUiWidth, kUiHeight);
  DrawScene();
  root_.Draw();
  DrawCursor();
  FinishFrame();
  return true;
}

// "screen shown" once the screen has faded in, for tests to wait on.
void UIViewApp::ReportScreenShown() {
  if (screenShown_ || !root_.CurrentScreen() || root_.ScreenFade() > 0) return;
  screenShown_ = true;
  std::fprintf(stderr, "screen shown\n");
}

// The emblem over the control, its name below it.
void UIViewApp::DrawCustom(UIControl& control) {
  const YRect area(0, 0, control.rect.width, control.rect.height);
  DrawUIQuad(area, UITexRect(0, 0, 1, 1), GetShader("ui_picture"),
             YContainer<YTextureBase>::Get("textures\\ui_emblem.tga"));
  const UITextStyle style{YFont::Find("mainfont"), 18, YColor(1, 0.9f, 0.6f, 1)};
  DrawStyledText(0, control.rect.height + 20, style, control.name);
}

void UIViewApp::DrawCursor() {
  float vx = 0, vy = 0;
  PointerToView(vx, vy);
  const YVector2 at = root_.ToUICoords(vx, vy);
  const float l = at.x, t = at.y, r = at.x + kCursorSize, b = at.y + kCursorSize;
  const YTexVertex quad[4] = {
      YTexVertex(YVector3(l, t, 0), YVector2(0, 0)), YTexVertex(YVector3(l, b, 0), YVector2(0, 1)),
      YTexVertex(YVector3(r, b, 0), YVector2(1, 1)), YTexVertex(YVector3(r, t, 0), YVector2(1, 0))};
  renderer_->SetShader(GetShader("cursor"), true);
  renderer_->DrawQuad28(quad);
}

void UIViewApp::FinishFrame() {
  ++framesDrawn_;
  const bool last = quitting_ || (options_.frames > 0 && framesDrawn_ >= options_.frames);
  if (last && !options_.screenshot.empty()) {
    auto* device = dynamic_cast<platform::GLDevice*>(renderer_->Device());
    platform::Image frame;
    const bool written =
        device && device->ReadBackBuffer(frame) && platform::WritePng(frame, options_.screenshot);
    if (!written) std::fprintf(stderr, "could not write %s\n", options_.screenshot.c_str());
    ok = ok && written;
  }
  renderer_->EndFrame();
  if (last) Quit();
}
