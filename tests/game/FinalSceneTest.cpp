// The closing scene's stages, input and fire, without a window.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <utility>
#include <vector>

#include "draw/ParticleSystem.h"
#include "game/book/YBook.h"
#include "game/book/YFinalScene.h"
#include "platform/Random.h"
#include "render/YShader.h"
#include "tests/game/ScreenEventsFixture.h"
#include "tests/render/RecordingRender.h"
#include "tests/support/TestSupport.h"

namespace {

using testing_support::WriteFile;

struct FinalSceneTest : ::testing::Test {
  FinalSceneTest() {
    std::filesystem::create_directories(dir.Path() / "ui/intro");
    std::filesystem::create_directories(dir.Path() / "ui/help");
    WriteFile(dir.Path() / "ui/intro/final.yml", "<window name=\"final\" bounds=\"[0,0,500,625]\"/>");
    WriteFile(dir.Path() / "ui/help/about.yml", "<window name=\"about\" bounds=\"[0,0,500,625]\"/>");
    GetParticleSystem().Clear();
  }
  ~FinalSceneTest() override {
    book.SetPages({});  // the scene's pages go with it
    GetParticleSystem().Clear();
  }
  void Open() { scene.Open(dir.Str() + "\\ui\\"); }
  testing_support::ScopedTempDir dir;
  YBook book;
  YFinalScene scene{book};
  screen_test::FakeHost host;
};

TEST_F(FinalSceneTest, StagesLastSixtyOneAndThreeSecondsThenTheBookWaits) {
  Open();
  scene.Update(59.9f);
  EXPECT_EQ(scene.Stage(), YFinalScene::kPicture);
  const float expected[][2] = {{2, 1}, {1, 3}, {0, 0}, {0, 0}};
  for (const auto& [stage, timer] : expected) {
    scene.Update(0.1f + scene.Timer());
    EXPECT_EQ(scene.Stage(), stage);
    EXPECT_FLOAT_EQ(scene.Timer(), timer);
  }
  // A step longer than a stage moves on one stage only.
  Open();
  scene.Update(100);
  EXPECT_EQ(scene.Stage(), YFinalScene::kFade);
  scene.Update(100);
  EXPECT_EQ(scene.Stage(), YFinalScene::kZoom);
}

TEST_F(FinalSceneTest, InputCutsThePictureIsIgnoredInTheFadeAndZoomAndEndsOnTheBook) {
  Open();
  scene.Update(1);
  scene.OnInput(host);
  scene.Update(0.02f);
  EXPECT_EQ(scene.Stage(), YFinalScene::kFade);
  for (int stage : {YFinalScene::kFade, YFinalScene::kZoom}) {
    scene.OnInput(host);
    EXPECT_FLOAT_EQ(scene.Timer(), YFinalScene::StageTime(stage)) << stage;
    scene.Update(scene.Timer());
  }
  EXPECT_EQ(scene.Stage(), YFinalScene::kBookStage);
  EXPECT_TRUE(host.log.empty());
  scene.OnInput(host);
  EXPECT_EQ(host.log, screen_test::Lines{"hallOfFame"});
}

TEST_F(FinalSceneTest, ThePictureRaisesFireEveryFrame) {
  Open();
  platform::SeedRandom(1);
  scene.Update(1.0f / 50);
  const std::vector<YParticle>& fire = GetParticleSystem().Particles2D();
  ASSERT_EQ(fire.size(), 4u);
  EXPECT_FLOAT_EQ(fire[0].life, 0.7f + 0.2f * (41 / 16384.0f - 1));  // the generator's first value
  for (const YParticle& p : fire) {
    EXPECT_EQ(p.shader, GetShader("fire_part"));
    EXPECT_GE(p.position.x, 164);
    EXPECT_LT(p.position.x, 324);
    EXPECT_GE(p.position.y, 103);
    EXPECT_LT(p.position.y, 183);
    EXPECT_LT(p.velocity.y, -40);
    EXPECT_EQ(p.endSize, 100);
  }
  GetParticleSystem().Clear();
  scene.Update(0.0001f);
  EXPECT_EQ(GetParticleSystem().Particles2D().size(), 1u);
  scene.OnInput(host);
  scene.Update(0.0001f);  // the fade: no more fire
  EXPECT_EQ(GetParticleSystem().Particles2D().size(), 1u);
}

// The zoom's first frame shows the book 3.7 times its size: the pages as
// well as the picture under them, each page moved by its own offset first.
TEST_F(FinalSceneTest, TheZoomCarriesThePagesWithTheBook) {
  WriteFile(dir.Path() / "ui/help/about.yml", "<window name=\"about\" bounds=\"[500,0,500,625]\"/>");
  RecordingRender render;
  Open();
  scene.Update(100);
  scene.Update(100);
  ASSERT_EQ(scene.Stage(), YFinalScene::kZoom);
  scene.Draw(0);
  std::vector<std::pair<float, float>> worlds;  // (scale, x offset) of each world transform
  for (const RecordingRender::Call* call : render.CallsMatching("SetWorldTransform"))
    worlds.emplace_back(call->floats[0], call->floats[12]);
  ASSERT_GE(worlds.size(), 3u);
  EXPECT_EQ(worlds.back(), std::make_pair(1.0f, 0.0f));  // the reset after the book
  worlds.pop_back();
  for (const auto& [scale, x] : worlds) EXPECT_FLOAT_EQ(scale, 3.7f);
  const auto right = std::make_pair(3.7f, 500 * 3.7f - 666);  // the right page's left edge
  EXPECT_TRUE(std::find(worlds.begin(), worlds.end(), right) != worlds.end());
}

TEST_F(FinalSceneTest, OpenReadsTheClosingPagesOnceAndRestarts) {
  WriteFile(dir.Path() / "ui/help/about.yml", "<!-- nothing -->");  // builds no page
  Open();
  ASSERT_EQ(scene.Pages().size(), 1u);
  EXPECT_EQ(book.Page(0), scene.Pages()[0]);
  UIControl* const first = scene.Pages()[0];
  scene.Update(100);
  Open();
  EXPECT_EQ(scene.Stage(), YFinalScene::kPicture);
  EXPECT_FLOAT_EQ(scene.Timer(), 60);
  ASSERT_EQ(scene.Pages().size(), 1u);
  EXPECT_EQ(scene.Pages()[0], first);
  EXPECT_EQ(book.PageCount(), 1);
}

TEST(FinalSceneState, ShownInStateFiveWithTheFinalSceneBit) {
  EXPECT_TRUE(YFinalScene::ShownIn(0x20005));
  EXPECT_FALSE(YFinalScene::ShownIn(5));
  EXPECT_FALSE(YFinalScene::ShownIn(0x20002));
}

}  // namespace
