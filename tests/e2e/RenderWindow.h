// A shown window with the renderer's OpenGL device on it, for the pixel
// tests: the window, the renderer (with its display modes) and the device.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "platform/GLDevice.h"
#include "platform/Window.h"
#include "render/PlatformDisplaySystem.h"
#include "render/Render_D3D.h"
#include "render/YCamera.h"

// Where a world point shows under the scene camera, in normalised device
// units (x to the right, y upwards, -1..1 across the viewport): the row
// vector times view and projection, divided by w.
struct NdcPoint {
  float x, y;
};
inline NdcPoint CameraNdc(const YVector3& p) {
  const YCamera& camera = GetCamera();
  float eye[4] = {}, clip[4] = {};
  const float in[4] = {p.x, p.y, p.z, 1};
  for (int c = 0; c < 4; ++c)
    for (int r = 0; r < 4; ++r) eye[c] += in[r] * camera.View().m[r][c];
  for (int c = 0; c < 4; ++c)
    for (int r = 0; r < 4; ++r) clip[c] += eye[r] * camera.Projection().m[r][c];
  return {clip[0] / clip[3], clip[1] / clip[3]};
}

struct RenderWindow {
  // Opens a windowed device of that client size; fails the test (fatally)
  // when the window or the device cannot be made.
  void Open(const char* title, int width, int height) {
    platform::WindowDesc desc;
    desc.title = title;
    desc.clientWidth = width;
    desc.clientHeight = height;
    window = platform::Window::Create(desc, nullptr);
    ASSERT_NE(window, nullptr) << platform::LastVideoError();
    window->Show(false);
    render = std::make_unique<Render_D3D>(std::make_unique<PlatformDisplaySystem>());
    render->EnumerateModes();
    render->CreateDevice(*window, false, -1);
    device = dynamic_cast<platform::GLDevice*>(render->Device());
    ASSERT_NE(device, nullptr);
  }

  std::unique_ptr<platform::Window> window;
  std::unique_ptr<Render_D3D> render;  // declared after the window: goes first
  platform::GLDevice* device = nullptr;
};
