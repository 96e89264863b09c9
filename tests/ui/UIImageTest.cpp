// The quad and band builders, and the widgets that are one of them.
#include "ui/UIImage.h"

#include "tests/ui/UIProbe.h"
#include "tests/ui/WidgetTestSupport.h"
#include "ui/UICustomDraw.h"
#include "ui/UIWindow.h"

namespace {

using widget_test::ExpectNear;
using widget_test::Positions;
using widget_test::TexCoords;

// A 40 x 20 rect at (100, 50) over the texture rectangle (0.5, 0.25, 0.5, 0.5).
TEST(UIQuads, QuadsAndBandsCoverTheirRectangleWithTheRightTextureParts) {
  const YRect rect(100, 50, 40, 20);
  const UITexRect tex(0.5f, 0.25f, 0.5f, 0.5f);
  BuildQuad(rect, tex);  // the position is not used: the control's own corner
  EXPECT_EQ(Positions(4), (std::vector<float>{0, 0, 40, 0, 40, 20, 0, 20}));
  EXPECT_EQ(TexCoords(4), (std::vector<float>{0.5f, 0.25f, 1, 0.25f, 1, 0.75f, 0.5f, 0.75f}));
  BuildThumbQuad(rect, tex);  // placed at the rect's own position
  EXPECT_EQ(Positions(4), (std::vector<float>{100, 50, 140, 50, 140, 70, 100, 70}));

  BuildSideCapBands(rect, tex, 0.5f);  // caps of 0.5 x height = 10
  EXPECT_EQ(Positions(), (std::vector<float>{100, 50, 100, 70, 110, 50, 110, 70, 130, 50, 130, 70, 140, 50, 140, 70}));
  EXPECT_EQ(TexCoords(),
            (std::vector<float>{0.5f, 0.25f, 0.5f, 0.75f, 0.625f, 0.25f, 0.625f, 0.75f, 0.875f, 0.25f, 0.875f,
                                0.75f, 1, 0.25f, 1, 0.75f}));
  BuildEndCapBands(YRect(0, 30, 20, 100), UITexRect(0, 0, 0.5f, 1));  // caps of a quarter width = 5
  EXPECT_EQ(Positions(), (std::vector<float>{0, 30, 20, 30, 0, 35, 20, 35, 0, 125, 20, 125, 0, 130, 20, 130}));
  EXPECT_EQ(TexCoords(), (std::vector<float>{0, 0, 0.5f, 0, 0, 0.125f, 0.5f, 0.125f, 0, 0.875f, 0.5f, 0.875f, 0, 1,
                                             0.5f, 1}));
  BuildListBands(YRect(0, 10, 100, 8), 8, 0.75f, 1.0f);
  EXPECT_EQ(Positions(), (std::vector<float>{0, 10, 0, 18, 8, 10, 8, 18, 92, 10, 92, 18, 100, 10, 100, 18}));
  EXPECT_EQ(TexCoords(), (std::vector<float>{0, 1, 0, 0.75f, 0.25f, 1, 0.25f, 0.75f, 0.75f, 1, 0.75f, 0.75f, 1, 1,
                                             1, 0.75f}));
}

// A frame texture twice as wide as high, cut at 0.25 and 0.75, on a window
// 200 wide and 300 high: caps of 0.25 x 200 / 2 = 25 at either end.
TEST(UIQuads, WindowBandsKeepTheCapsInProportion) {
  BuildWindowBands(YRect(7, 7, 200, 300), 2, 0.25f, 0.75f);
  EXPECT_EQ(Positions(), (std::vector<float>{200, 0, 0, 0, 200, 25, 0, 25, 200, 275, 0, 275, 200, 300, 0, 300}));
  EXPECT_EQ(TexCoords(), (std::vector<float>{1, 0, 0, 0, 1, 0.25f, 0, 0.25f, 1, 0.75f, 0, 0.75f, 1, 1, 0, 1}));
}

class UIImageTest : public widget_test::WidgetTest {};

// Only alpha exactly 0 keeps the shader's own material.
TEST_F(UIImageTest, ColourWithAlphaReplacesTheShadersMaterial) {
  YShader* shader = GetShader("image test");
  shader->material.emissive = YColor(0.2f, 0.3f, 0.4f, 1);
  for (const float alpha : {0.0f, 0.001f}) {
    UIImage image(YRect(0, 0, 50, 50), "i", shader, nullptr, UITexRect(0, 0, 1, 1), YColor(1, 0, 0, alpha));
    render.SetShader(nullptr, true);
    render.SetMaterial(YMaterial{}, false);
    Draw(image);
    const auto materials = render.CallsMatching("ApplyMaterial");
    ASSERT_EQ(materials.size(), 1u) << alpha;
    EXPECT_EQ(widget_test::MaterialColour(materials[0])[0], alpha == 0 ? 0.2f : 1.0f) << alpha;
    EXPECT_EQ(render.Count("DrawQuad28"), 1u);
  }
}

TEST_F(UIImageTest, WindowWithoutAspectIsOneQuadOverTheWholeTexture) {
  UIWindow window(YRect(10, 10, 200, 100), "w", GetShader("window test"), nullptr, 0, 0.3f, 0.6f);
  Draw(window);
  EXPECT_EQ(render.Count("DrawQuad28"), 1u);
  EXPECT_EQ(TexCoords(4), (std::vector<float>{0, 0, 1, 0, 1, 1, 0, 1}));
  window.aspect = 1;
  Draw(window);
  EXPECT_EQ(render.Texts("Draw"), std::vector<std::string>{"DrawStrip28 6"});
  ExpectNear(Positions(4), {200, 0, 0, 0, 200, 60, 0, 60});
}

// A frame texture four times as wide as high, cut at 0.25 and 0.75: with a
// band its caps are that high at any width and its corners as wide, a
// sixteenth of the texture's width (the top cap's height in it).
TEST_F(UIImageTest, AWindowWithABandKeepsItsCapsAndCornersAtAnyWidth) {
  UIWindow window(YRect(10, 10, 200, 300), "w", GetShader("window test"), nullptr, 4, 0.25f, 0.75f);
  window.band = 40;
  EXPECT_EQ(window.TopCap(), 40);
  Draw(window);
  EXPECT_EQ(render.Texts("Draw"), std::vector<std::string>(3, "DrawStrip28 6"));
  // The last row drawn is the bottom cap, as high as the top one.
  ExpectNear(Positions(), {0, 260, 0, 300, 40, 260, 40, 300, 160, 260, 160, 300, 200, 260, 200, 300});
  ExpectNear(TexCoords(), {0, 0.75f, 0, 1, 0.0625f, 0.75f, 0.0625f, 1, 0.9375f, 0.75f, 0.9375f, 1, 1, 0.75f, 1, 1});
  // Too small for them, the caps and the corners shrink alike.
  window.rect = YRect(10, 10, 60, 40);
  Draw(window);
  ExpectNear(Positions(), {0, 20, 0, 40, 20, 20, 20, 40, 40, 20, 40, 40, 60, 20, 60, 40});
  window.band = 0;  // the caps in the texture's proportion at the width
  EXPECT_EQ(window.TopCap(), 3.75f);
}

TEST_F(UIImageTest, CustomDrawAsksItsListenerToDrawAndReportsPresses) {
  UIControl* area = screen.AddChild(std::make_unique<UICustomDraw>(YRect(100, 100, 50, 50), "area"));
  Draw(screen);
  screen.MouseMove(120, 120);
  screen.MouseDown(2, 120, 120);
  EXPECT_EQ(events.events, (Events{{1, area}, {0, area}}));  // asked to draw, then a click
  DrawUIQuad(YRect(5, 5, 10, 10), UITexRect(0, 0, 1, 1), GetShader("image test"), nullptr);
  EXPECT_EQ(Positions(4), (std::vector<float>{0, 0, 10, 0, 10, 10, 0, 10}));
  EXPECT_EQ(render.Count("DrawQuad28"), 1u);
}

}  // namespace
