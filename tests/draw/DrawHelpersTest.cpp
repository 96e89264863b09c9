// The shared drawing helpers against a recording renderer and a synthetic
// main font (every letter half the size wide): text alignment and the safe
// formatter, picture textures and tints, bars that never divide by
// zero, the card's element bars and move line, the board's card of a
// wounded unit, and the turning background.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>

#include "draw/BarDrawing.h"
#include "draw/CardDrawing.h"
#include "draw/ImageDrawing.h"
#include "draw/TextDrawing.h"
#include "draw/YRotatingItem.h"
#include "players/YMonsterType.h"
#include "players/YPlayer.h"
#include "players/YPlayerMonster.h"
#include "render/YContainer.h"
#include "render/YShader.h"
#include "render/YTextureBase.h"
#include "tests/ui/WidgetTestSupport.h"

namespace {

using widget_test::MaterialColour;

class DrawHelpers : public ::testing::Test {
 protected:
  DrawHelpers() { widget_test::SyntheticFont("mainfont"); }
  // The left x of every glyph drawn, in order.
  std::vector<float> GlyphLefts() const {
    std::vector<float> xs;
    for (const auto& corner : widget_test::GlyphCorners(render)) xs.push_back(corner.first);
    return xs;
  }
  std::vector<const RecordingRender::Call*> Quads() const { return render.CallsMatching("DrawQuad28"); }
  RecordingRender render;
};

TEST_F(DrawHelpers, TextIsAlignedAndFormatsNeverReadMissingValues) {
  for (const auto& [align, left] : {std::pair{kAlignLeft, 500.0f}, {kAlignRight, 460.0f}, {kAlignCentre, 480.0f}}) {
    render.ClearCalls();
    DrawTextAligned(500, 100, 20, YColor(0, 0, 0, 1), align, "abcd");  // 40 units wide
    ASSERT_EQ(GlyphLefts().size(), 4u);
    EXPECT_FLOAT_EQ(GlyphLefts().front(), left) << align;
  }
  // A translation with a conversion too many and one unknown keeps its text.
  render.ClearCalls();
  DrawTextAlignedF(0, 100, 20, YColor(0, 0, 0, 1), kAlignLeft, "Level %d of %s, %x 100%%", 5);
  EXPECT_EQ(GlyphLefts().size(), std::string("Level 5 of , %x 100%").size());
  render.ClearCalls();
  DrawTextAlignedF(0, 100, 1, YColor(0, 0, 0, 1), kAlignLeft, std::string(3000, 'a') + "%d", 1);
  EXPECT_EQ(GlyphLefts().size(), kMaxFormattedText);
  // The shadow first, one unit up and left, in near black.
  render.ClearCalls();
  DrawTextShadow(10, 20, 20, YColor(1, 0, 0, 1), "a");
  ASSERT_EQ(GlyphLefts(), (std::vector<float>{9, 10}));
  EXPECT_EQ(MaterialColour(render.CallsMatching("ApplyMaterial")[0]), (std::vector<float>{0.1f, 0.1f, 0.1f, 1}));
}

TEST_F(DrawHelpers, PicturesKeepTheirShadersTextureAndTint) {
  YShader* shader = GetShader("draw test picture");
  if (shader->stages.empty()) shader->AddStage().texture = GetTexture("draw test own.tga");
  shader->material = YMaterial{YColor(1, 1, 1, 1), {}, {}, YColor(0.5f, 0.5f, 0.5f, 1), 0};
  YTextureBase* other = GetTexture("draw test other.tga");
  DrawImageRect(0, 0, 10, 10, other, shader, kImageUpright, YColor(0.2f, 0.4f, 0.6f, 0.8f));
  render.ClearCalls();
  DrawImageRect(0, 0, 10, 10, nullptr, shader, kImageUpright, kShaderColour);
  // The shader's own texture comes back and its own material replaces the tint.
  ASSERT_EQ(render.Count("BindTexture"), 1u);
  EXPECT_EQ(render.CallsMatching("BindTexture")[0]->object, GetTexture("draw test own.tga"));
  EXPECT_EQ(MaterialColour(render.CallsMatching("ApplyMaterial")[0]), (std::vector<float>{0.5f, 0.5f, 0.5f, 1}));
  // A texture whose image is missing draws nothing.
  YContainer<YTextureBase>::Get("draw test missing.tga")->SetDeviceTexture(nullptr);
  render.ClearCalls();
  DrawImageRect(0, 0, 10, 10, GetTexture("draw test missing.tga"), shader, kImageUpright, kShaderColour);
  EXPECT_EQ(render.Count("DrawQuad28"), 0u);
  // Textures still waiting for their first use (loads put off when the
  // device was made) load when a picture or a box first draws them.
  render.deferTextureLoads = true;
  YTextureBase* picture = GetTexture("draw test waiting picture.tga");
  YTextureBase* box = GetTexture("draw test waiting box.tga");
  for (YTextureBase* waiting : {picture, box}) {
    waiting->ReleaseDeviceObjects();
    waiting->OnDeviceCreated();
    ASSERT_TRUE(waiting->WaitsForFirstUse());
  }
  render.deferTextureLoads = false;
  render.ClearCalls();
  DrawImageRect(0, 0, 10, 10, picture, shader, kImageUpright, kShaderColour);
  DrawItemBox(YRect(0, 0, 40, 10), box, shader, kShaderColour);
  EXPECT_EQ(render.Count("DrawQuad28"), 1u);
  EXPECT_EQ(render.Count("DrawStrip28"), 1u);
  EXPECT_NE(picture->DeviceTexture(), nullptr);
  EXPECT_NE(box->DeviceTexture(), nullptr);
}

TEST_F(DrawHelpers, BarsFillTheirShareAndNeverDivideByZero) {
  const std::tuple<int, int, float> fills[] = {{3, 4, 0.75f}, {5, 0, 0}, {0, 0, 0}, {-2, 5, 0}, {9, 5, 1},
                                               {INT_MAX, INT_MAX, 1}, {1, INT_MAX, 1.0f / INT_MAX}};
  for (const auto& [value, maximum, share] : fills) EXPECT_FLOAT_EQ(BarFill(value, maximum), share);
  DrawProgressBar(10, 20, 80, 20, 3, 4, YColor(1, 1, 1, 1), YColor(1, 0, 0, 1));
  const auto quads = Quads();
  ASSERT_GE(quads.size(), 3u);  // the bar, the filled part, the digit
  EXPECT_FLOAT_EQ(quads[1]->floats[14] - quads[1]->floats[0], 60);  // right edge less left edge
  render.ClearCalls();
  DrawProgressBar(10, 20, 80, 20, 7, 0, YColor(1, 1, 1, 1), YColor(1, 0, 0, 1));
  EXPECT_EQ(Quads().size(), 2u);  // the empty bar and the digit
  render.ClearCalls();
  DrawProgressBar2(10, 20, 16, 40, 1, 4, YColor(1, 1, 1, 1), YColor(1, 0, 0, 1));
  const auto fill = Quads()[1]->floats;  // top left y, then bottom left y
  EXPECT_FLOAT_EQ(fill[1], 50);
  EXPECT_FLOAT_EQ(fill[8], 60);
}

TEST_F(DrawHelpers, CardElementBarsSpreadOverTheRangeAndStayFinite) {
  const std::pair<ValueBlock, std::array<float, 4>> cases[] = {
      {{7, 7, 7, 7, 50}, {49, 49, 49, 49}},
      {{0, 10, 5, 10, 50}, {36.2f, 49, 42.6f, 49}},
      {{-3, -3, -3, -4, 0}, {49, 49, 49, 36.2f}},
  };
  for (const auto& [block, lengths] : cases)
    for (std::size_t k = 0; k < 4; ++k) EXPECT_NEAR(ElementBarLengths(block)[k], lengths[k], 1e-4) << k;
  for (float length : ElementBarLengths({INT_MIN, INT_MAX, 0, INT_MAX, 0}))
    EXPECT_TRUE(std::isfinite(length) && length >= 36.2f - 1e-3 && length <= 49 + 1e-3) << length;
  moveKindTexts = {"Walks", "Flies", "Teleports"};
  YPlayer unit;
  unit.distance = 3;
  EXPECT_EQ(MoveLine(unit), "Walks, 3 \xAD");
  unit.way = 1;
  unit.moveKind = 9;
  EXPECT_EQ(MoveLine(unit), "Teleports, 3 \xAE");
  // A card with extreme values hands the renderer finite vertices only.
  unit.maxValues = {0, INT_MIN, INT_MAX, 0, -5, INT_MAX};
  DrawCard(0, 0, &unit, MaximumBlock(unit), MaximumBlock(unit), YColor(1, 0, 0, 1), YColor(0, 0, 0, 1));
  for (const auto* quad : Quads())
    for (float f : quad->floats) ASSERT_TRUE(std::isfinite(f));
}

// The board's card shows a unit as its next duel takes it: a hawk that
// ended a duel on 31 of its 80 health shows a bar filled 31/80, and its
// level is counted as the duel's header counts it, from its type's start.
TEST_F(DrawHelpers, TheBoardsCardShowsAUnitAsItStandsAndTheDuelsLevel) {
  YMonsterType* type = FindOrAddMonsterType("draw test hawk");
  type->startLevel = 4;
  type->start = {4, 10, 5, 5, 80};
  YPlayerMonster hawk(*type);
  hawk.health = 31;
  EXPECT_EQ(ShownLevel(hawk), 1);
  DrawUnitCardAt(750, 444, &hawk);
  const float barLeft = 750 + 105;
  bool healthShown = false;
  for (const auto* quad : Quads())
    healthShown |= quad->floats[0] == barLeft && std::fabs(quad->floats[14] - barLeft - 90 * 31.0f / 80) < 1e-3f;
  EXPECT_TRUE(healthShown) << "the health bar is filled 31/80";
}

TEST_F(DrawHelpers, RotatingItemTurnsZoomsWrapsAndFades) {
  const std::pair<float, float> wraps[] = {{190, -170}, {-190, 170}, {540, 180}, {-180, -180}, {45, 45},
                                          {std::numeric_limits<float>::quiet_NaN(), 0}};
  for (const auto& [in, out] : wraps) EXPECT_FLOAT_EQ(YRotatingItem::WrapAngle(in), out) << in;
  YRotatingItem item(YRect(0, 0, 1000, 625), GetShader("draw test back"));
  item.angle = -179.96f;
  item.phase = 0.99f;
  item.Step(1);  // -0.1 degrees and 0.02 of a cycle
  EXPECT_NEAR(item.angle, 179.94f, 1e-3);
  EXPECT_EQ(item.phase, 0);  // passed 1: starts again
  EXPECT_FLOAT_EQ(YRotatingItem::SecondAngle(10), 170);
  EXPECT_FLOAT_EQ(YRotatingItem::SecondPhase(0.7f), 0.2f);
  EXPECT_FLOAT_EQ(YRotatingItem::LayerTint(0.5f).a, 0.75f);
  // At phase 0 the texture is shown 4/3 larger; at 0.2 unzoomed, here turned a quarter.
  EXPECT_NEAR(item.LayerQuad(0, 0)[0].u1, 0.5f - 0.5f / 0.75f, 1e-5);
  const auto turned = item.LayerQuad(90, 0.2f);
  EXPECT_NEAR(turned[0].u1, 1, 1e-5);
  EXPECT_NEAR(turned[0].v1, 0, 1e-5);
  item.Draw();  // at phase 0 the first layer is fully transparent: only the second shows
  EXPECT_EQ(Quads().size(), 1u);
}

// With a reach, a layer draws part of its quad: there the texture shows as
// the whole quad shows it, and every point left out shows the texture
// beyond the reach.
TEST_F(DrawHelpers, ARotatingItemWithAReachLeavesOutOnlyWhereItsTextureIsClear) {
  constexpr float kReach = 0.25f;
  YRotatingItem item(YRect(100, 50, 400, 300), GetShader("draw test back"));
  item.SetReach(kReach);
  for (const float phase : {0.0f, 0.3f, 0.95f}) {
    for (const float angle : {0.0f, 30.0f, -135.0f}) {
      const auto whole = item.LayerQuad(angle, phase), drawn = item.DrawnQuad(angle, phase);
      // The whole quad's texture coordinates at a point (top left, bottom left, top right corners).
      const auto uvAt = [&](float x, float y) {
        const float a = (x - whole[0].x) / (whole[3].x - whole[0].x), b = (y - whole[0].y) / (whole[1].y - whole[0].y);
        return std::pair{whole[0].u1 + a * (whole[3].u1 - whole[0].u1) + b * (whole[1].u1 - whole[0].u1),
                         whole[0].v1 + a * (whole[3].v1 - whole[0].v1) + b * (whole[1].v1 - whole[0].v1)};
      };
      for (const YTexVertex& v : drawn) {
        EXPECT_TRUE(v.x >= 100 && v.x <= 500 && v.y >= 50 && v.y <= 350) << v.x << "," << v.y;
        EXPECT_NEAR(v.u1, uvAt(v.x, v.y).first, 1e-4) << phase << " " << angle;
        EXPECT_NEAR(v.v1, uvAt(v.x, v.y).second, 1e-4) << phase << " " << angle;
      }
      for (float x = 100; x <= 500; x += 10) {
        for (float y = 50; y <= 350; y += 10) {
          if (x > drawn[0].x && x < drawn[3].x && y > drawn[0].y && y < drawn[1].y) continue;
          const auto [u, v] = uvAt(x, y);
          EXPECT_GE(std::hypot(u - 0.5f, v - 0.5f), kReach - 1e-4) << x << "," << y;
        }
      }
    }
  }
  EXPECT_LT(item.DrawnQuad(0, 0)[3].x - item.DrawnQuad(0, 0)[0].x, 400 * 0.5f) << "nothing left out";
}

}  // namespace
