// A small window with the OpenGL graphics device on it for pixel tests:
// drawing helpers in the device's vertex formats and a read-back of the
// back buffer. Tests are skipped without an X display.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/GLDevice.h"
#include "platform/Image.h"
#include "platform/Window.h"

namespace gltest {

using namespace platform;

constexpr int kSize = 64;

struct TexVertex {
  float x, y, z, u, v, u2, v2;
};
struct MeshVertex {
  float x, y, z, nx, ny, nz, u, v, u2, v2;
};

// 0x00RRGGBB.
inline std::uint32_t Rgb(int r, int g, int b) {
  return static_cast<std::uint32_t>(r << 16 | g << 8 | b);
}

// True when every channel is within `tolerance`.
inline ::testing::AssertionResult Near(std::uint32_t actual, std::uint32_t expected, int tolerance = 3) {
  for (int shift = 0; shift <= 16; shift += 8) {
    if (std::abs(static_cast<int>((actual >> shift) & 0xFF) - static_cast<int>((expected >> shift) & 0xFF)) >
        tolerance) {
      char text[64];
      std::snprintf(text, sizeof text, "got %06X, expected %06X", actual, expected);
      return ::testing::AssertionFailure() << text;
    }
  }
  return ::testing::AssertionSuccess();
}

class DeviceFixture : public ::testing::Test {
 protected:
  virtual GLDeviceOptions Options() const { return {}; }

  void SetUp() override {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display";
    WindowDesc desc;
    desc.title = "GL device test";
    desc.clientWidth = desc.clientHeight = kSize;
    window = Window::Create(desc, nullptr);
    ASSERT_NE(window, nullptr) << LastVideoError();
    window->Show(false);
    std::string error;
    device = GLDevice::Create(*window, DeviceParams{}, Options(), error);
    ASSERT_NE(device, nullptr) << error;
    device->SetRenderState(rs::CullMode, cull::None);
    device->SetRenderState(rs::Lighting, 0);
    device->SetVertexFormat(fvf::PositionTex2);
    device->Clear(true, true, true, 0xFF000000, 1.0f, 0);
  }

  void TearDown() override {
    EXPECT_EQ(device ? device->TakeGLError() : 0u, 0u) << "OpenGL reported an error";
    device.reset();
    window.reset();
  }

  // An axis-aligned quad in clip space (y up) at depth z, texture
  // coordinates (u0, v0) at its top left and (u1, v1) at its bottom right.
  void Quad(float x0, float y0, float x1, float y1, float z = 0.5f, float u0 = 0, float v0 = 0, float u1 = 1,
            float v1 = 1) {
    const TexVertex quad[4] = {{x0, y1, z, u0, v0, u0, v0},
                               {x1, y1, z, u1, v0, u1, v0},
                               {x1, y0, z, u1, v1, u1, v1},
                               {x0, y0, z, u0, v1, u0, v1}};
    device->SetVertexFormat(fvf::PositionTex2);
    device->DrawPrimitiveUP(PrimitiveType::TriangleFan, 2, quad, sizeof(TexVertex));
  }
  void FullQuad(float z = 0.5f) { Quad(-1, -1, 1, 1, z); }

  // 0x00RRGGBB of a back-buffer pixel, (0, 0) at the top left.
  std::uint32_t Pixel(int x, int y) {
    Image frame;
    if (!device->ReadBackBuffer(frame) || x >= frame.width || y >= frame.height) return 0xFFFFFFFF;
    const std::uint8_t* p = &frame.bgra[(static_cast<std::size_t>(y) * frame.width + x) * 4];
    return Rgb(p[2], p[1], p[0]);
  }
  std::uint32_t Centre() { return Pixel(kSize / 2, kSize / 2); }

  // Stage 0 outputs the texture factor, colour and alpha.
  void DrawTFactor(std::uint32_t argb) {
    device->SetRenderState(rs::TextureFactor, argb);
    device->SetTextureStageState(0, tss::ColorOp, top::SelectArg1);
    device->SetTextureStageState(0, tss::ColorArg1, targ::TFactor);
    device->SetTextureStageState(0, tss::AlphaOp, top::SelectArg1);
    device->SetTextureStageState(0, tss::AlphaArg1, targ::TFactor);
  }

  // A texture from 0xAARRGGBB texels, rows top first.
  std::unique_ptr<DeviceTexture> MakeTexture(int width, int height, const std::vector<std::uint32_t>& argb) {
    Image image{width, height, {}};
    for (std::uint32_t t : argb)
      for (int shift : {0, 8, 16, 24}) image.bgra.push_back(static_cast<std::uint8_t>(t >> shift));
    return device->CreateTexture({image});
  }

  std::unique_ptr<Window> window;
  std::unique_ptr<GLDevice> device;
};

}  // namespace gltest
