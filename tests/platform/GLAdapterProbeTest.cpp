// What the OpenGL driver offers: depth-stencil formats for the bits of a
// frame buffer, walked in the renderer's order, and the version numbers
// read from driver texts.
#include "platform/GLAdapterProbe.h"

#include <gtest/gtest.h>

#include "platform/DeviceTypes.h"

namespace platform {
namespace {

// The renderer takes the first format of its list that is offered.
std::uint32_t FirstOffered(int depth, int stencil) {
  for (std::uint32_t format :
       {fmt::D24S8, fmt::D24X4S4, fmt::D15S1, fmt::D32, fmt::D24X8, fmt::D16, fmt::D16Lockable})
    if (DepthStencilOffered(depth, stencil, format)) return format;
  return 0;
}

TEST(DepthStencilOffered, FirstFormatInTheRenderersOrder) {
  EXPECT_EQ(FirstOffered(24, 8), fmt::D24S8);
  EXPECT_EQ(FirstOffered(32, 8), fmt::D24S8);
  EXPECT_EQ(FirstOffered(24, 4), fmt::D24X4S4);
  EXPECT_EQ(FirstOffered(16, 1), fmt::D15S1);
  EXPECT_EQ(FirstOffered(32, 0), fmt::D32);
  EXPECT_EQ(FirstOffered(24, 0), fmt::D24X8);
  EXPECT_EQ(FirstOffered(16, 0), fmt::D16);
  EXPECT_EQ(FirstOffered(0, 8), 0u);
}

TEST(DepthStencilOffered, NeverOffersOtherFormats) {
  EXPECT_FALSE(DepthStencilOffered(32, 8, fmt::X8R8G8B8));
  EXPECT_FALSE(DepthStencilOffered(32, 8, 0));
  EXPECT_FALSE(DepthStencilOffered(24, 0, fmt::D24S8));
}

TEST(ParseDriverVersion, ReadsTheGLAndDriverNumbers) {
  const struct {
    const char* text;
    int expected[4];
  } cases[] = {
      {"4.5 (Compatibility Profile) Mesa 22.3.6", {4, 5, 22, 3}},
      {"2.1.2 NVIDIA 340.108", {2, 1, 340, 108}},
      {"4.6.0 NVIDIA 535.54.03", {4, 6, 535, 54}},
      {"3.0 Mesa 10", {3, 0, 10, 0}},
      {"OpenGL ES 3.2 Mesa 23.0.4", {3, 2, 23, 0}},
      {"4.5", {4, 5, 0, 0}},
      {"", {0, 0, 0, 0}},
      {"no numbers", {0, 0, 0, 0}},
      {"99999999999.1 Driver 7.", {0, 1, 7, 0}},
  };
  for (const auto& c : cases) {
    int version[4] = {-1, -1, -1, -1};
    ParseDriverVersion(c.text, version);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(version[i], c.expected[i]) << '"' << c.text << "\" part " << i;
  }
}

}  // namespace
}  // namespace platform
