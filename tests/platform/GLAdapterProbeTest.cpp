// Depth-stencil formats for a frame buffer's bits, and driver version texts.
#include "platform/GLAdapterProbe.h"

#include <gtest/gtest.h>

#include <array>

#include "platform/DeviceTypes.h"

namespace platform {
namespace {

TEST(DepthStencilOffered, FirstFormatInTheRenderersOrderAndNoOthers) {
  const auto first = [](int depth, int stencil) -> std::uint32_t {
    for (std::uint32_t format : {fmt::D24S8, fmt::D24X4S4, fmt::D15S1, fmt::D32, fmt::D24X8, fmt::D16})
      if (DepthStencilOffered(depth, stencil, format)) return format;
    return 0;
  };
  EXPECT_EQ(first(32, 8), fmt::D24S8);
  EXPECT_EQ(first(24, 4), fmt::D24X4S4);
  EXPECT_EQ(first(16, 1), fmt::D15S1);
  EXPECT_EQ(first(32, 0), fmt::D32);
  EXPECT_EQ(first(24, 0), fmt::D24X8);
  EXPECT_EQ(first(16, 0), fmt::D16);
  EXPECT_EQ(first(0, 8), 0u);
  EXPECT_FALSE(DepthStencilOffered(32, 8, fmt::X8R8G8B8));
}

TEST(ParseDriverVersion, ReadsTheGLAndDriverNumbers) {
  const std::pair<const char*, std::array<int, 4>> cases[] = {
      {"4.5 (Compatibility Profile) Mesa 22.3.6", {4, 5, 22, 3}},
      {"4.6.0 NVIDIA 535.54.03", {4, 6, 535, 54}},
      {"OpenGL ES 3.2 Mesa 23.0.4", {3, 2, 23, 0}},
      {"4.5", {4, 5, 0, 0}},
      {"no numbers", {0, 0, 0, 0}},
      {"99999999999.1 Driver 7.", {0, 1, 7, 0}}};
  for (const auto& [text, expected] : cases) {
    int version[4] = {-1, -1, -1, -1};
    ParseDriverVersion(text, version);
    EXPECT_EQ(std::to_array(version), expected) << text;
  }
}

}  // namespace
}  // namespace platform
