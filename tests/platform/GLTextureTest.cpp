// The mip chains a texture accepts: each level half the one before, whole,
// none beyond 1 x 1, level 0 within the largest size.
#include "platform/GLTexture.h"

#include <gtest/gtest.h>

#include "platform/Image.h"

namespace platform {
namespace {

Image Level(int width, int height) {
  return {width, height, std::vector<std::uint8_t>(width * height * 4u)};
}

TEST(GLTextureLevels, AcceptsWholeAndShortChainsAndRefusesBrokenOnes) {
  EXPECT_TRUE(GLTexture::ValidLevels({Level(8, 2), Level(4, 1), Level(2, 1), Level(1, 1)}, 16));
  EXPECT_TRUE(GLTexture::ValidLevels({Level(5, 3), Level(2, 1)}, 16));
  EXPECT_TRUE(GLTexture::ValidLevels({Level(16, 16)}, 16));
  Image shortTexels = Level(4, 4);
  shortTexels.bgra.pop_back();
  const std::vector<Image> broken[] = {{},
                                       {Level(0, 4)},
                                       {Level(17, 1)},
                                       {shortTexels},
                                       {Level(4, 4), Level(4, 4)},
                                       {Level(4, 4), Level(2, 2), Level(1, 1), Level(1, 1)},
                                       {Level(4, 2), Level(2, 2)}};
  for (std::size_t i = 0; i < std::size(broken); ++i)
    EXPECT_FALSE(GLTexture::ValidLevels(broken[i], 16)) << i;
}

}  // namespace
}  // namespace platform
