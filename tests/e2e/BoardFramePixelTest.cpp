// The board frame drawn by the whole application object on the OpenGL
// device in a real window (a shipped desk, pieces of both sides, their
// shadows, the side marker, the screen frame and its panels): while nothing
// on the board changes, the board, its pieces and their shadows are
// restored from the kept picture, and the frame shows what drawing it all
// shows, but for the few pixels where the moving side marker lies. Left
// for the main menu, the board stands while the screen fades out.
// Skipped without an X display.
#include <gtest/gtest.h>

#include <memory>

#include "board/YTessor.h"
#include "board/YTessorUnit.h"
#include "players/YPlayer.h"
#include "render/YContainer.h"
#include "render/YTextureBase.h"
#include "tests/e2e/GameFrameFixture.h"

namespace {

class BoardFrame : public e2e::GameFrameFixture {
 protected:
  void SetUp() override {
    GameFrameFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    YTessor& board = GetTessor();
    board.LoadDesk("desks\\base.dsk");
    for (int x = 1; x < 8; x += 2) {
      Add(0, x, 0, "textures\\monsters\\basilisk.tga");
      Add(1, x, 8, "textures\\monsters\\djinn.tga");
    }
    board.BuildScreen();
    board.SetupView();
    game_->SetState(GameFramework::kStateBoard | 0x10);  // the board drawn, not stepped
    for (int i = 0; i < 20; ++i) game_->DrawFrame(0.05f);
  }
  void TearDown() override {
    if (!game_) return;
    GetTessor().ClearBoard();
    game_.reset();
  }
  void Add(int side, int x, int y, const char* face) {
    auto record = std::make_unique<YPlayer>();
    record->face = YContainer<YTextureBase>::Get(face);
    YTessorBoard& board = GetTessor().Board();
    board.PlaceUnit(board.AddUnit(std::make_unique<YTessorUnit>(std::move(record), side)), x, y);
  }
};

// Each frame moves the side marker on a little, so no frame equals the last
// and every one is presented.
TEST_F(BoardFrame, WhileNothingOnTheBoardChangesItIsRestoredAsDrawingItShows) {
  platform::Image restored, drawn;
  EXPECT_EQ(RestoredThenDrawn(0.02f, {}, restored, drawn), 1u);
  ASSERT_EQ(restored.bgra.size(), drawn.bgra.size());
  ASSERT_FALSE(drawn.bgra.empty());
  EXPECT_LT(DifferingPixels(restored, drawn), 800u)
      << "pixels that differ between the restored and the drawn frame";
  EXPECT_TRUE(MostlyLit(restored));
}

// Left for the main menu, the board stands under the screen as it fades
// out, rather than vanishing at once and leaving the buttons on black.
TEST_F(BoardFrame, LeftForTheMainMenuTheBoardFadesOutAsItStands) {
  game_->ShowMainMenu();
  platform::Image next;
  device_->CaptureNextPresent(&next);
  game_->DrawFrame(0.05f);
  ASSERT_FALSE(next.bgra.empty());
  EXPECT_TRUE(MostlyLit(next));
}

}  // namespace
