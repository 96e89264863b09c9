// The duel frame drawn by the whole application object on the OpenGL
// device in a real window (144 tiles on the standard layout, their
// shadows, the turning background, the panels, the turn marker's sparks):
// while nothing but the marker moves, its background, tiles, shadows and
// panels are restored from the kept picture, and the frame shows what
// drawing it all shows, within a few pixels where one spark more lies.
// Left for the main menu, the duel stands while the screen fades out.
// Skipped without an X display.
#include <gtest/gtest.h>

#include "players/YPlayer.h"
#include "tests/e2e/GameFrameFixture.h"
#include "tiles/YTileBlurDrawer.h"
#include "tiles/YTileset.h"
#include "tiles/effects/EffectRandom.h"

namespace {

void Fighter(YPlayer& player, const char* name) {
  player.name = name;
  player.health = player.shownHealth = 100;
  player.mana = player.shownMana = {20, 20, 20, 20};
  player.maxValues = {0, 30, 30, 30, 30, 100};
}

class DuelFrame : public e2e::GameFrameFixture {
 protected:
  void SetUp() override {
    GameFrameFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
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
    YTileBlurDrawer::Instance().Clear();
    if (!game_) return;
    GetTileset().ClearTiles();
    game_.reset();
  }

  YPlayer left_, right_;
};

// Frames of no time: nothing moves but the marker's sparks, one more each.
TEST_F(DuelFrame, WhileOnlyTheMarkerMovesTheRestIsRestoredAsDrawingItShows) {
  platform::GLDeviceThrift thrift;
  thrift.slowFrameMs = 0;  // the kept picture shows the background as it is now
  platform::Image restored, drawn;
  ExpectRestoredAsDrawn(0, thrift, 200, restored, drawn);
}

// Left for the main menu, the duel stands as it was under the screen that
// begins to fade out: its tiles do not vanish from the first frame on.
TEST_F(DuelFrame, LeftForTheMainMenuTheDuelStandsAsItWas) {
  platform::GLDeviceThrift thrift;
  thrift.slowFrameMs = 0;  // the kept picture shows the background as it is now
  device_->SetThrift(thrift);
  platform::Image before, after;
  device_->CaptureNextPresent(&before);
  game_->DrawFrame(0);
  game_->ShowMainMenu();
  device_->CaptureNextPresent(&after);
  game_->DrawFrame(0);
  ASSERT_EQ(before.bgra.size(), after.bgra.size());
  EXPECT_LT(DifferingPixels(before, after), 200u);
}

// Two tiles far apart marked as the hint marks them, shaking anew in every
// frame: the rest is still restored, and the frame shows what drawing the
// same marks with the rest shows.
TEST_F(DuelFrame, WhileMarksShakeOnStillTilesTheRestIsRestoredAsDrawingItAllShows) {
  const DuelBoard& board = GetTileset().Board();
  const auto mark = [&](int frame) {
    YTileBlurDrawer& blur = YTileBlurDrawer::Instance();
    blur.Clear();
    GetEffectRandom().Seed(static_cast<std::uint32_t>(std::min(frame, 3) + 1));  // the last two alike
    for (const YTile* tile : {&board.tiles.front(), &board.tiles.back()}) {
      const YColor start(0.2f, 0.5f, 1, 0.5f), end(0.2f, 0.3f, 1, 0.1f);
      if (frame < 4)
        blur.AddMark(*tile, start, end);
      else  // the same trails, drawn with the rest
        blur.AddTrail(*tile, start, end, YTileBlurDrawer::kLifetime, YTileBlurDrawer::kJitter);
    }
  };
  platform::GLDeviceThrift thrift;
  thrift.slowFrameMs = 0;
  platform::Image restored, drawn;
  ExpectRestoredAsDrawn(0, thrift, 200, restored, drawn, mark);
}

}  // namespace
