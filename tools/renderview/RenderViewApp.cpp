#include "tools/renderview/RenderViewApp.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "framework/Log.h"
#include "platform/Clock.h"
#include "platform/GLDevice.h"
#include "platform/Image.h"
#include "render/DisplayMode.h"
#include "render/PlatformDisplaySystem.h"
#include "render/Render_D3D.h"
#include "render/RendererHooks.h"
#include "render/Shadows.h"
#include "render/StyledText.h"
#include "render/YCamera.h"
#include "render/YFont.h"
#include "render/YFontLoader.h"
#include "render/YShader.h"

namespace {

constexpr float kUiWidth = 1000, kUiHeight = 625;
constexpr float kMinFrameTime = 0.01f, kMaxFrameTime = 0.05f;

// A textured quad from four corners, counter-clockwise as the camera sees
// them (the shaders cull clockwise), with one normal; the texture repeats
// `tiles` times.
void DrawMeshQuad(const YVector3 (&c)[4], const YVector3& n, float tiles) {
  const float uv[4][2] = {{0, tiles}, {tiles, tiles}, {tiles, 0}, {0, 0}};
  YMeshVertex q[4];
  for (int i = 0; i < 4; ++i)
    q[i] = {c[i].x, c[i].y, c[i].z, n.x, n.y, n.z, uv[i][0], uv[i][1], uv[i][0], uv[i][1]};
  g_render->DrawQuad40(q);
}

// A UI rectangle, texture (0, 0) at its top left, counter-clockwise on the
// screen.
void DrawUiQuad(float x0, float y0, float x1, float y1) {
  const YTexVertex q[4] = {
      {{x0, y0, 0}, {0, 0}}, {{x0, y1, 0}, {0, 1}}, {{x1, y1, 0}, {1, 1}}, {{x1, y0, 0}, {1, 0}}};
  g_render->DrawQuad28(q);
}

}  // namespace

RenderViewApp::RenderViewApp(RenderViewOptions options) : options_(std::move(options)) {
  Log::SetEcho([](const std::string& line) { std::fprintf(stderr, "%s\n", line.c_str()); });
  renderer_ = std::make_unique<Render_D3D>(std::make_unique<PlatformDisplaySystem>());
  InstallRendererHooks(*renderer_);
  GetDisplayModeList().SetModes(renderer_->EnumerateModes());
  LoadShaders("data\\shaders.yml");
  YFontLoader::LoadFonts("data\\fonts.yml");
}

RenderViewApp::~RenderViewApp() {
  RemoveRendererHooks(*renderer_);
  renderer_.reset();  // the device goes before the window
  Log::SetEcho({});
}

void RenderViewApp::Open() {
  CreateWindowed("Render view", static_cast<int>(kUiWidth), static_cast<int>(kUiHeight));
  previousTime_ = GetTime();
}

bool RenderViewApp::Frame() {
  if (!renderer_ || !renderer_->CheckDevice()) return false;
  const std::uint32_t now = GetTime();
  const float dt = static_cast<float>(now - previousTime_) * 0.001f;
  if (dt < kMinFrameTime) {
    platform::SleepMs(1);
    return false;
  }
  previousTime_ = now;
  const float step = std::min(dt, kMaxFrameTime);
  time_ += step;
  ClearShadowVolumes();
  UpdateShaders(step);
  renderer_->BeginFrame(true);
  renderer_->SetViewport(kUiWidth, kUiHeight);
  DrawScene3D();
  DrawQuads2D();
  DrawText2D();
  DrawCursor();
  FinishFrame();
  return true;
}

// The checker ground, a tent whose two slopes face the light differently, and
// a square circling above the ground that casts its shadow.
void RenderViewApp::DrawScene3D() {
  GetCamera().Apply();
  renderer_->SetShader(GetShader("debug_textured"), true);
  const YVector3 up(0, 0, 1);
  DrawMeshQuad({{-8, -6, 0}, {8, -6, 0}, {8, 6, 0}, {-8, 6, 0}}, up, 4);
  DrawMeshQuad({{2, -1, 0}, {3.5f, -1, 2}, {3.5f, 3, 2}, {2, 3, 0}}, YVector3(-0.8f, 0, 0.6f), 1);
  DrawMeshQuad({{3.5f, -1, 2}, {5, -1, 0}, {5, 3, 0}, {3.5f, 3, 2}}, YVector3(0.8f, 0, 0.6f), 1);

  const float x = -3.5f + std::cos(time_), y = 1 + std::sin(time_), z = 4, h = 1.5f;
  const YVector3 c[4] = {{x - h, y - h, z}, {x + h, y - h, z}, {x + h, y + h, z}, {x - h, y + h, z}};
  DrawMeshQuad(c, up, 1);
  if (ShadowsEnabled()) {
    for (int i = 0; i < 4; ++i) AddShadowEdge(c[i], c[(i + 1) % 4]);
    DrawShadows();
  }
}

// A strip along the bottom of the UI space: the scrolling and the turning
// checker at full brightness, then flat colours.
void RenderViewApp::DrawQuads2D() {
  renderer_->Set2DProjection(kUiWidth, kUiHeight);
  const YColor white(1, 1, 1, 1);
  renderer_->SetShaderColor(GetShader("debug_scroll"), white);
  DrawUiQuad(20, 475, 150, 605);
  renderer_->SetShaderColor(GetShader("debug_rotate"), white);
  DrawUiQuad(170, 475, 300, 605);

  YShader* flat = GetShader("debug_flat");
  renderer_->SetShader(flat, true);  // the shader's own colour first
  DrawUiQuad(330, 545, 390, 605);
  const YColor colours[] = {{1, 0, 0, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}, {1, 1, 0, 1}, {1, 1, 1, 1}};
  float left = 400;
  for (const YColor& colour : colours) {
    renderer_->SetShaderColor(flat, colour);
    DrawUiQuad(left, 545, left + 60, 605);
    left += 70;
  }
}

// A line of each font at the top of the UI space, with the frame time in
// the system font; the last line in colour and clipped.
void RenderViewApp::DrawText2D() {
  const char* sample =
      "Quennel Varrick: Zauberer \xE9t\xE9 \x80 12,50 (\xC4\xD6\xDC \xE4\xF6\xFC \xDF) \x93quoted\x94";
  const YColor white(1, 1, 1, 1);
  float y = 40;
  for (const char* name : {"sysfont", "mainfont", "labelfont", "default"}) {
    const UITextStyle style{YFont::Find(name), 28, white};
    DrawStyledText(20, y, style, name);
    DrawStyledText(180, y, style, sample);
    y += 34;
  }
  const UITextStyle small{YFont::Find("sysfont"), 16, YColor(1, 1, 0.4f, 1)};
  renderer_->SetShaderColor(small.font->shader, small.colour);
  YFont::DrawTextF(small.font, 20, y, small.size, "FPS=%0.1f  time %0.2f s", 1 / kMinFrameTime, time_);
  const UITextStyle red{YFont::Find("mainfont"), 22, YColor(1, 0.3f, 0.2f, 1)};
  renderer_->SetShaderColor(red.font->shader, red.colour);
  YFont::DrawTextClipped(red.font, 20, y + 28, red.size,
                         "Clipped at 300 units: the rest of this line is not drawn", 300);
}

// The cursor's tip (its top-left texel) at the mouse, mapped from client
// pixels into the letterboxed UI space.
void RenderViewApp::DrawCursor() {
  const float scale =
      std::min(static_cast<float>(clientWidth) / kUiWidth, static_cast<float>(clientHeight) / kUiHeight);
  if (!(scale > 0)) return;
  const float x =
      (static_cast<float>(mouseX) - (static_cast<float>(clientWidth) - kUiWidth * scale) / 2) / scale;
  const float y =
      (static_cast<float>(mouseY) - (static_cast<float>(clientHeight) - kUiHeight * scale) / 2) / scale;
  renderer_->SetShader(GetShader("cursor"), true);
  DrawUiQuad(x, y, x + 32, y + 32);
}

void RenderViewApp::FinishFrame() {
  ++framesDrawn_;
  const bool last = options_.frames > 0 && framesDrawn_ >= options_.frames;
  if (last && !options_.screenshot.empty()) {
    auto* device = dynamic_cast<platform::GLDevice*>(renderer_->Device());
    platform::Image frame;
    ok = device && device->ReadBackBuffer(frame) && platform::WritePng(frame, options_.screenshot);
    if (!ok) std::fprintf(stderr, "could not write %s\n", options_.screenshot.c_str());
  }
  renderer_->EndFrame();
  if (last) Quit();
}
