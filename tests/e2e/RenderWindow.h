// A shown window with the renderer's OpenGL device on it, for the pixel
// tests: the window, the renderer (with its display modes) and the device.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "platform/GLDevice.h"
#include "platform/Window.h"
#include "render/PlatformDisplaySystem.h"
#include "render/Render_D3D.h"

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
