// The board screen's controls and picking: cells picked through the board
// camera (every square's centre, off the board, the view flip), which
// side's buttons are active with the view flipped, and where the buttons'
// clicks go.
#include <gtest/gtest.h>

#include "board/BoardHud.h"
#include "board/YTessor.h"
#include "board/YTessorPlayerUI.h"
#include "board/YTessorScreenView.h"
#include "render/YCamera.h"
#include "tests/board/BoardFixture.h"
#include "tests/framework/LogCapture.h"
#include "ui/UISpeedButton.h"

namespace {

// Where a point of the board plane shows, in view coordinates.
std::pair<float, float> ViewPointOf(float worldX, float worldY) {
  const YCamera& camera = GetCamera();
  const YVector3 v = camera.View().TransformPoint(YVector3(worldX, worldY, 0));
  const float w = -v.z;
  const float ndcX = v.x * camera.Projection().m[0][0] / w;
  const float ndcY = v.y * camera.Projection().m[1][1] / w;
  return {ndcX, ndcY / camera.Aspect()};
}

class ComputerKind : public YTessorPlayerCommander {
 public:
  using YTessorPlayerCommander::YTessorPlayerCommander;
  std::int32_t Kind() const override { return commander_kind::kComputer; }
};

class RecordingHooks : public YTessorScreenHooks {
 public:
  void ShowSkill(YPlayer* record) override { calls.push_back({"skill", record}); }
  void OpenControlPanel(YPlayer* record) override { calls.push_back({"panel", record}); }
  void AskAbort() override { calls.push_back({"abort", nullptr}); }
  std::vector<std::pair<std::string, YPlayer*>> calls;
};

class BoardScreenTest : public BoardTest {
 protected:
  BoardScreenTest() {
    GetCamera().SetAspect(1.6f);
    tessor.SetupView();
    tessor.BuildScreen();
    for (int side = 0; side < 2; ++side) {
      records[side] = MakeRecord({});
      tessor.SetPlayer(side, records[side].get());
      tessor.SetCommander(side, std::make_unique<YTessorPlayerUI>(side));
    }
  }
  bool Enabled(UISpeedButton* button) const { return button->State() != UIPressable::kDisabled; }
  // The four side buttons' states: lower skill, lower panel, upper skill, upper panel.
  std::vector<bool> SideButtons() const {
    return {Enabled(tessor.SkillButton(0)), Enabled(tessor.PanelButton(0)), Enabled(tessor.SkillButton(1)),
            Enabled(tessor.PanelButton(1))};
  }

  YTessor tessor;
  std::unique_ptr<YPlayer> records[2];
};

TEST_F(BoardScreenTest, EverySquaresCentrePicksItAndTheViewFlipMirrors) {
  for (const bool flip : {false, true}) {
    tessor.Board().viewFlip = flip;
    for (int y = 0; y < kBoardSize; ++y) {
      for (int x = 0; x < kBoardSize; ++x) {
        const auto [mx, my] = ViewPointOf(static_cast<float>(x) - 4, static_cast<float>(y) - 4);
        int cx = -1, cy = -1;
        ASSERT_TRUE(tessor.PickCell(mx, my, cx, cy)) << x << "," << y;
        EXPECT_EQ(cx, flip ? 8 - x : x);
        EXPECT_EQ(cy, flip ? 8 - y : y);
      }
    }
  }
  // Just beyond the board's edges, and the sky, pick nothing.
  for (const auto& [wx, wy] : {std::pair{4.6f, 0.0f}, {-4.6f, 0.0f}, {0.0f, 4.6f}, {0.0f, -4.6f}}) {
    const auto [mx, my] = ViewPointOf(wx, wy);
    int cx = 0, cy = 0;
    EXPECT_FALSE(tessor.PickCell(mx, my, cx, cy)) << wx << "," << wy;
    EXPECT_EQ(std::pair(cx, cy), std::pair(-1, -1));
  }
  int cx = 0, cy = 0;
  EXPECT_FALSE(tessor.PickCell(0, 0.625f, cx, cy));
  // The board sits left of the head-up display (x 0..731 of the 1000 units).
  const float centre = 500 * (ViewPointOf(0, 0).first + 1);
  EXPECT_GT(centre, 250);
  EXPECT_LT(centre, 450);
}

TEST_F(BoardScreenTest, TheFarEdgeBelongsToTheLastSquare) {
  EXPECT_EQ(BoardCellAt(4.5f), 8);
  EXPECT_EQ(BoardCellAt(-4.5f), 0);
  EXPECT_EQ(BoardCellAt(4.4999f), 8);
  EXPECT_EQ(BoardCellAt(4.5001f), -1);
  EXPECT_EQ(BoardCellAt(-4.5001f), -1);
  EXPECT_EQ(BoardCellAt(std::nanf("")), -1);
}

TEST_F(BoardScreenTest, TheMouseHoversThroughTheInstalledView) {
  YTessorScreenView view(tessor);
  tessor.SetView(&view);
  const auto [mx, my] = ViewPointOf(-2, -1);  // square (2, 3)
  tessor.OnMouseMove(mx, my);
  EXPECT_EQ(std::pair(tessor.cursorX, tessor.cursorY), std::pair(2, 3));
  tessor.OnMouseMove(0, 0.625f);
  EXPECT_EQ(std::pair(tessor.cursorX, tessor.cursorY), std::pair(-1, -1));
  tessor.SetView(nullptr);
}

TEST_F(BoardScreenTest, OnlyTheButtonsOfAUserToMoveWithALivingRecordAreActive) {
  tessor.Board().sideToMove = 0;
  tessor.UpdateSideButtons();
  EXPECT_EQ(SideButtons(), (std::vector<bool>{true, true, false, false}));
  // With the view flipped and side 1 to move, the lower buttons are the active ones.
  tessor.Board().viewFlip = true;
  tessor.Board().sideToMove = 1;
  tessor.UpdateSideButtons();
  EXPECT_EQ(SideButtons(), (std::vector<bool>{true, true, false, false}));
  tessor.Board().sideToMove = 0;
  tessor.UpdateSideButtons();
  EXPECT_EQ(SideButtons(), (std::vector<bool>{false, false, true, true}));
  records[0]->health = 0;
  tessor.UpdateSideButtons();
  EXPECT_EQ(SideButtons(), (std::vector<bool>(4, false)));
  records[0]->health = 5;
  tessor.SetCommander(0, std::make_unique<ComputerKind>(0));
  tessor.UpdateSideButtons();
  EXPECT_EQ(SideButtons(), (std::vector<bool>(4, false)));
}

TEST_F(BoardScreenTest, ClicksReachTheScreensOnlyFromTheSideToMove) {
  RecordingHooks hooks;
  tessor.SetScreenHooks(&hooks);
  tessor.Board().viewFlip = true;
  tessor.Board().sideToMove = 1;  // shown at the bottom
  tessor.OnEvent(0, tessor.SkillButton(0));
  tessor.OnEvent(0, tessor.PanelButton(0));
  tessor.OnEvent(0, tessor.SkillButton(1));  // the other side's: nothing
  tessor.OnEvent(1, tessor.PanelButton(0));  // not a click: nothing
  tessor.OnEvent(0, tessor.MenuButton());
  using Call = std::pair<std::string, YPlayer*>;
  EXPECT_EQ(hooks.calls, (std::vector<Call>{
                             {"skill", records[1].get()}, {"panel", records[1].get()}, {"abort", nullptr}}));
  // Without hooks a click is logged and changes nothing.
  tessor.SetScreenHooks(nullptr);
  LogCapture log;
  tessor.OnEvent(0, tessor.MenuButton());
  tessor.OnEvent(0, tessor.SkillButton(0));
  EXPECT_EQ(log.Lines().size(), 2u);
}

}  // namespace
