// Groups of calls over a still layer drawn again in parts, read from the
// window itself: a group whose own calls are as before but whose inherited
// state changed is drawn again, not left standing with its old picture.
// Skipped without an X display or where the window system copies no parts.
#include "tests/e2e/GLDeviceTestFixture.h"

namespace gltest {
namespace {

class GLDeviceGroups : public DeviceFixture {
 protected:
  // A flat still layer cleared black, then `argb` as the texture factor
  // and, scissored to the middle, a quad in that colour; presented.
  void Frame(std::uint32_t argb) {
    device->SetStillDrawing(true);
    device->Clear(true, false, false, 0xFF000000, 1.0f, 0);
    device->SetStillDrawing(false);
    device->SetRenderState(rs::ZEnable, 0);
    DrawTFactor(argb);
    device->SetScissor(true, 16, 16, 32, 32);
    FullQuad();
    device->SetScissor(false, 0, 0, kSize, kSize);
    device->Present();
  }

  // 0x00RRGGBB of the window's pixel at (x, y) from its top left.
  std::uint32_t Shown(int x, int y) {
    Image shown;
    if (!device->ReadWindow(shown) || x >= shown.width || y >= shown.height) return 0xFFFFFFFF;
    const std::uint8_t* p = &shown.bgra[(static_cast<std::size_t>(y) * shown.width + x) * 4];
    return Rgb(p[2], p[1], p[0]);
  }
};

TEST_F(GLDeviceGroups, AGroupWhoseInheritedColourChangedIsDrawnAgain) {
  GLDeviceThrift thrift;
  thrift.slowFrameMs = 0;
  device->SetThrift(thrift);
  Frame(0xFFFF0000);
  const std::uint64_t inParts = device->FramesShownInParts();
  Frame(0xFFFF0000);
  if (device->FramesShownInParts() == inParts) GTEST_SKIP() << "the window system copies no parts";
  EXPECT_TRUE(Near(Shown(32, 32), 0xFF0000));
  Frame(0xFF00FF00);
  Frame(0xFF00FF00);
  EXPECT_TRUE(Near(Shown(32, 32), 0x00FF00));
  EXPECT_TRUE(Near(Shown(4, 4), 0x000000));
}

}  // namespace
}  // namespace gltest
