// Display pixel layouts as colour formats, and which carry a frame buffer.
#include "platform/GLDisplayModes.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(FormatFromMasks, KnownLayoutsAndNoOthers) {
  const struct {
    int bits;
    std::uint32_t r, g, b, a, expected;
  } cases[] = {{32, 0xFF0000, 0xFF00, 0xFF, 0, fmt::X8R8G8B8},
               {32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000, fmt::A8R8G8B8},
               {24, 0xFF0000, 0xFF00, 0xFF, 0, fmt::R8G8B8},
               {16, 0xF800, 0x07E0, 0x001F, 0, fmt::R5G6B5},
               {15, 0x7C00, 0x03E0, 0x001F, 0, fmt::X1R5G5B5},
               {16, 0x7C00, 0x03E0, 0x001F, 0, fmt::X1R5G5B5},  // 15 bits of colour in a 16-bit pixel
               {16, 0x7C00, 0x03E0, 0x001F, 0x8000, fmt::A1R5G5B5},
               {32, 0x3FF, 0xFFC00, 0x3FF00000, 0xC0000000, fmt::A2B10G10R10},
               {32, 0xFF, 0xFF00, 0xFF0000, 0, 0},  // blue first
               {8, 0, 0, 0, 0, 0},                  // palette
               {24, 0xFF0000, 0xFF00, 0xFF, 0xFF000000, 0}};
  for (const auto& c : cases)
    EXPECT_EQ(FormatFromMasks(c.bits, c.r, c.g, c.b, c.a), c.expected) << c.bits << " bits, red " << c.r;
  EXPECT_TRUE(IsRenderableDisplayFormat(fmt::X1R5G5B5));
  for (std::uint32_t format : {fmt::P8, fmt::R3G3B2, fmt::D24S8})
    EXPECT_FALSE(IsRenderableDisplayFormat(format));
}

}  // namespace
}  // namespace platform
