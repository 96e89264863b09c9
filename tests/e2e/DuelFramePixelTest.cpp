// The duel frame drawn by the whole application object on the OpenGL
// device in a real window (144 tiles on the standard layout, their
// shadows, the turning background, the panels, the turn marker's sparks):
// while nothing but the marker moves, its background, tiles, shadows and
// panels are restored from the kept picture, and the frame shows what
// drawing it all shows, within a few pixels where one spark more lies.
// Skipped without an X display.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "game/GameFramework.h"
#include "platform/GLDevice.h"
#include "platform/Image.h"
#include "players/YPlayer.h"
#include "render/Render_D3D.h"
#include "render/YRender.h"
#include "tests/support/TestSupport.h"
#include "tiles/YTileset.h"

namespace {

void Fighter(YPlayer& player, const char* name) {
  player.name = name;
  player.health = player.shownHealth = 100;
  player.mana = player.shownMana = {20, 20, 20, 20};
  player.maxValues = {0, 30, 30, 30, 30, 100};
}

class DuelFrame : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display";
    testing_support::WriteFile(user_.File("QuennelVarrick/config.yml"),
                               "<config>\n  <video fullscreen=\"0\">\n  <window width=\"1000\" "
                               "height=\"625\">\n</config>\n");
    game_ = std::make_unique<GameFramework>();
    auto* render = dynamic_cast<Render_D3D*>(g_render);
    ASSERT_NE(render, nullptr);
    device_ = dynamic_cast<platform::GLDevice*>(render->Device());
    ASSERT_NE(device_, nullptr);
    YTileset& battle = GetTileset();
    battle.Load("ui\\english\\");
    Fighter(left_, "Left");
    Fighter(right_, "Right");
    battle.BeginBattle("layouts\\standard.lay", &left_, &right_, 0);
    battle.SetupView();
    game_->SetState(GameFramework::kStateBattle);
    for (int i = 0; i < 100; ++i) game_->DrawFrame(0.05f);  // the deal lands
  }
  void TearDown() override {
    if (!game_) return;
    GetTileset().ClearTiles();
    game_.reset();
  }

  testing_support::ScopedTempDir user_;
  testing_support::ScopedEnv appData_{"APPDATA", user_.Str()};
  testing_support::ScopedCwd cwd_{QV_GAME_DIR};
  std::unique_ptr<GameFramework> game_;
  platform::GLDevice* device_ = nullptr;
  YPlayer left_, right_;
};

// Frames of no time: nothing moves but the marker's sparks, one more each.
TEST_F(DuelFrame, WhileOnlyTheMarkerMovesTheRestIsRestoredAsDrawingItShows) {
  platform::GLDeviceThrift thrift;
  thrift.slowFrameMs = 0;  // the kept picture shows the background as it is now
  device_->SetThrift(thrift);
  for (int i = 0; i < 3; ++i) game_->DrawFrame(0);
  const std::uint64_t restoredBefore = device_->RestoredStillLayers();
  platform::Image restored, drawn;
  device_->CaptureNextPresent(&restored);
  game_->DrawFrame(0);
  EXPECT_EQ(device_->RestoredStillLayers() - restoredBefore, 1u);
  thrift.skipUnchangedFrames = false;
  device_->SetThrift(thrift);
  device_->CaptureNextPresent(&drawn);
  game_->DrawFrame(0);
  ASSERT_EQ(restored.bgra.size(), drawn.bgra.size());
  ASSERT_FALSE(drawn.bgra.empty());
  std::size_t differing = 0;
  for (std::size_t i = 0; i < drawn.bgra.size(); i += 4) {
    int most = 0;
    for (int c = 0; c < 3; ++c) most = std::max(most, std::abs(restored.bgra[i + c] - drawn.bgra[i + c]));
    differing += most > 2;
  }
  EXPECT_LT(differing, 200u) << "pixels that differ between the restored and the drawn duel frame";
  std::size_t lit = 0;  // the board and panels are there, not an empty frame
  for (std::size_t i = 0; i < restored.bgra.size(); i += 4) lit += restored.bgra[i + 1] > 64;
  EXPECT_GT(lit * 4, restored.bgra.size() / 4) << "pixels lit in the restored frame";
}

}  // namespace
