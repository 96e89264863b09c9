// The shipped fonts on the OpenGL device in a real window: the generated
// atlases and glyph tables drawn with the shipped font shaders, checked on
// the back buffer's pixels. Skipped without an X display.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "platform/GLDevice.h"
#include "platform/Image.h"
#include "platform/Window.h"
#include "render/PlatformDisplaySystem.h"
#include "render/Render_D3D.h"
#include "render/StyledText.h"
#include "render/YFont.h"
#include "render/YFontLoader.h"
#include "render/YShader.h"
#include "tests/e2e/RenderWindow.h"
#include "tests/support/TestSupport.h"

namespace {

// A 640 x 400 window shows the 1000 x 625 UI space at 0.64 texels per unit.
constexpr float kScale = 0.64f, kSize = 50;

// The lit pixels (a channel above 96) of a UI rectangle: how many, where on
// average (0..1 across the rectangle), whether all are bright / green.
struct Lit {
  int count = 0;
  float meanX = 0, meanY = 0;
  bool onlyGreen = true, allBright = true;
};

Lit Measure(const platform::Image& frame, float x0, float y0, float x1, float y1) {
  Lit lit;
  const int px0 = static_cast<int>(x0 * kScale), py0 = static_cast<int>(y0 * kScale);
  const int px1 = static_cast<int>(x1 * kScale + 1), py1 = static_cast<int>(y1 * kScale + 1);
  for (int y = std::max(py0, 0); y < std::min(py1, frame.height); ++y) {
    for (int x = std::max(px0, 0); x < std::min(px1, frame.width); ++x) {
      const std::uint8_t* t = &frame.bgra[(static_cast<std::size_t>(y) * frame.width + x) * 4];
      if (std::max({t[0], t[1], t[2]}) <= 96) continue;
      ++lit.count;
      lit.meanX += static_cast<float>(x - px0) / static_cast<float>(px1 - px0);
      lit.meanY += static_cast<float>(y - py0) / static_cast<float>(py1 - py0);
      lit.onlyGreen = lit.onlyGreen && t[0] < 16 && t[2] < 16;
      lit.allBright = lit.allBright && std::min({t[0], t[1], t[2]}) > 96;
    }
  }
  lit.meanX /= static_cast<float>(std::max(lit.count, 1));
  lit.meanY /= static_cast<float>(std::max(lit.count, 1));
  return lit;
}

// White capitals fill their line box; an underscore sits low and a macron
// high in it, an L's stem on the left: the glyphs stand upright, unmirrored,
// in the shader colour, and nothing is lit outside the line boxes.
TEST(TextPixel, GlyphsLightTheirLineBoxUprightInTheShaderColour) {
  if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display";
  testing_support::ScopedCwd cwd(QV_GAME_DIR);
  RenderWindow opened;
  opened.Open("Text pixel test", 640, 400);
  if (HasFatalFailure()) return;
  Render_D3D* render = opened.render.get();
  platform::GLDevice* device = opened.device;
  LoadShaders("data\\shaders.yml");
  YFontLoader::LoadFonts("data\\fonts.yml");
  render->BeginFrame(true);
  render->SetViewport(1000, 625);
  render->Set2DProjection(1000, 625);

  const UITextStyle sys{YFont::Find("sysfont"), kSize, YColor(1, 1, 1, 1)};
  const struct {
    const char* text;
    float x;
    bool white, low, left;  // colour; where the lit pixels lie on average
  } cases[] = {{"HHHH", 100, true, false, false},
               {"_", 400, false, true, false},
               {"\xAF", 500, false, false, false},
               {"L", 600, false, true, true}};
  float widths[4];
  for (int i = 0; i < 4; ++i)
    widths[i] = DrawStyledTextColor(cases[i].x, 300, sys,
                                    cases[i].white ? YColor(1, 1, 1, 1) : YColor(0, 1, 0, 1), cases[i].text);
  platform::Image frame;
  ASSERT_TRUE(device->ReadBackBuffer(frame));
  render->EndFrame();
  EXPECT_EQ(device->TakeGLError(), 0u) << "OpenGL reported an error";

  int litInBoxes = 0;
  for (int i = 0; i < 4; ++i) {
    const auto& c = cases[i];
    SCOPED_TRACE(c.text);
    EXPECT_NEAR(widths[i], sys.font->GetTextWidth(c.text) * kSize, 0.01f);
    const Lit lit = Measure(frame, c.x, 300 - kSize, c.x + widths[i], 300);
    litInBoxes += lit.count;
    EXPECT_GT(lit.count, c.white ? 200 : 10);
    EXPECT_TRUE(c.white ? lit.allBright : lit.onlyGreen);
    if (c.white) continue;
    EXPECT_EQ(lit.meanY > 0.5f, c.low);
    if (c.left) {
      EXPECT_LT(lit.meanX, 0.45f);
    }
  }
  EXPECT_EQ(Measure(frame, 0, 0, 1000, 625).count, litInBoxes);
}

}  // namespace
