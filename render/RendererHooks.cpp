#include "render/RendererHooks.h"

#include "framework/FrameworkHooks.h"
#include "framework/Init.h"
#include "render/DisplayMode.h"
#include "render/YRender.h"

namespace {

// The renderer the hooks were installed for; null when none are.
YRender* s_hooked = nullptr;

// The hooked renderer while it is still the live one.
YRender* LiveRenderer() {
  return s_hooked && g_render == s_hooked ? s_hooked : nullptr;
}

void CreateDeviceFor(platform::Window& window, bool fullscreen, int width, int height, int bits, int refresh) {
  YRender* render = LiveRenderer();
  if (!render) return;
  const DisplayMode request{static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height),
                            static_cast<std::uint32_t>(bits), static_cast<std::uint32_t>(refresh), -1};
  render->CreateDevice(window, fullscreen, ChooseDisplayMode(GetDisplayModeList(), request));
}

void DrawEmptyFrame() {
  YRender* render = LiveRenderer();
  if (!render) return;
  render->BeginFrame(false);
  render->EndFrame();
}

}  // namespace

void InstallRendererHooks(YRender& render) {
  s_hooked = &render;
  FrameworkHooks& hooks = GetFrameworkHooks();
  hooks.hasRenderer = [] { return LiveRenderer() != nullptr; };
  hooks.createDevice = CreateDeviceFor;
  hooks.resizeDevice = [] {
    if (YRender* live = LiveRenderer()) live->Resize();
  };
  hooks.releaseDevice = [] {
    if (YRender* live = LiveRenderer()) live->ReleaseDevice();
  };
  hooks.drawEmptyFrame = DrawEmptyFrame;
  GetInit().SetDisplayModeResolver(
      [](const std::string& text) { return FindDisplayMode(GetDisplayModeList(), text); });
}

void RemoveRendererHooks(YRender& render) {
  if (s_hooked != &render) return;
  s_hooked = nullptr;
  FrameworkHooks& hooks = GetFrameworkHooks();
  hooks.hasRenderer = nullptr;
  hooks.createDevice = nullptr;
  hooks.resizeDevice = nullptr;
  hooks.releaseDevice = nullptr;
  hooks.drawEmptyFrame = nullptr;
  GetInit().SetDisplayModeResolver([](const std::string& text) { return text; });
}
