// The board screen's head-up display: percent texts, the clock's icon
// weights and hand, the cell panel and level texts through the safe
// formatter, the portraits and names of a side without a record, and the
// fading unit copies with the rest of the screen's frame step; drawing is
// read back from a recording renderer.
#include <gtest/gtest.h>

#include <cmath>

#include "board/BoardHud.h"
#include "board/ElementTable.h"
#include "board/YTessor.h"
#include "draw/ImageDrawing.h"
#include "draw/MovingMarker.h"
#include "players/YMonsterType.h"
#include "render/YDrawQueue.h"
#include "tests/board/BoardFixture.h"
#include "tests/ui/WidgetTestSupport.h"

namespace {

TEST(BoardHudTexts, PercentModifiersRoundToWholePercents) {
  EXPECT_EQ(FormatPercentModifier(1.2f), "+20%");
  EXPECT_EQ(FormatPercentModifier(0.8f), "-20%");
  EXPECT_EQ(FormatPercentModifier(1.0f), "+0%");
  EXPECT_EQ(FormatPercentModifier(0.9f), "-10%");
  EXPECT_EQ(FormatPercentModifier(1.1f), "+10%");
}

TEST(BoardHudTexts, TheClocksQuarterIconFadesIntoTheNextAndTheHandTurnsWithIt) {
  const auto near = [](std::array<float, 4> a, std::array<float, 4> b) {
    for (std::size_t k = 0; k < 4; ++k)
      if (std::fabs(a[k] - b[k]) > 1e-5f) return false;
    return true;
  };
  EXPECT_TRUE(near(ClockIconAlphas(0.0f), {1, 0.33f, 0.33f, 0.33f}));
  EXPECT_TRUE(near(ClockIconAlphas(0.125f), {0.67f, 0.66f, 0.33f, 0.33f}));
  EXPECT_TRUE(near(ClockIconAlphas(0.5f), {0.33f, 0.33f, 1, 0.33f}));
  EXPECT_TRUE(near(ClockIconAlphas(0.875f), {0.66f, 0.33f, 0.33f, 0.67f})) << "water fades into air";
  EXPECT_FLOAT_EQ(ClockHandAngle(0.0f), 0.0f);
  EXPECT_FLOAT_EQ(ClockHandAngle(0.25f), 90.0f);
}

TEST(BoardHudTexts, PanelAndLevelTextsFillTheirFormatsSafely) {
  std::array<std::string, 8> texts = {"air %s %s",         "fire %s %s", "earth %s %s", "water %s %s",
                                      "mutex %s %s %s %s", "wall %s",    "pit",         "power %s"};
  const ElementRow& air = kElementTable[0];
  YTessorCell cell;
  cell.type = cell_kind::kAir;
  EXPECT_EQ(CellPanelText(texts, cell, air), "air +20% -20%");
  cell.type = cell_kind::kWater;
  EXPECT_EQ(CellPanelText(texts, cell, kElementTable[3]), "water +20% -20%");
  cell.type = cell_kind::kMutex;
  EXPECT_EQ(CellPanelText(texts, cell, ElementRowAtClock(0.125f)), "mutex +10% +10% -10% -10%");
  cell.type = cell_kind::kWall;  // a format asking for a value it is not given
  EXPECT_EQ(CellPanelText(texts, cell, air), "wall ");
  cell.type = cell_kind::kFire | cell_kind::kPowerPoint;
  EXPECT_EQ(CellPanelText(texts, cell, air), "power ");
  EXPECT_EQ(ClockTipText("%s/%s/%s/%s/%s", air), "+20%/+0%/-20%/+0%/");
  EXPECT_EQ(LevelLabel("Level %d", 0), "Level 1");
  EXPECT_EQ(LevelLabel("Level %d of %d %n", 4), "Level 5 of  %n");
  EXPECT_EQ(LevelLabel("Level %d", -1), "");
}

class BoardHudTest : public BoardTest {
 protected:
  BoardHudTest() {
    widget_test::SyntheticFont("mainfont");
    ClearMonsterTypes();
    tessor.BuildScreen();
    WritePlainDesk("plain.dsk", 'a');
    tessor.LoadDesk("desks\\plain.dsk");
  }
  ~BoardHudTest() override {
    YDrawQueue::Flush1();
    ClearMonsterTypes();
  }
  bool Bound(const char* texture) const {
    for (const auto* call : render.CallsMatching("BindTexture"))
      if (call->object == GetTexture(texture)) return true;
    return false;
  }
  // The 2-D transforms set with a translation to the clock's centre.
  std::vector<const RecordingRender::Call*> HandTransforms() const {
    std::vector<const RecordingRender::Call*> found;
    for (const auto* call : render.CallsMatching("SetWorldTransform"))
      if (call->floats[12] == 843 && call->floats[13] == 214) found.push_back(call);
    return found;
  }

  RecordingRender render;
  YTessor tessor;
};

TEST_F(BoardHudTest, ASideWithoutARecordShowsTheLeaderOrNothing) {
  YShader* faces = GetShader("small_face");
  if (faces->stages.empty()) faces->AddStage();
  auto record = MakeRecord({});
  record->name = "Hero";
  tessor.SetPlayer(0, record.get());
  tessor.DrawInfo();  // no leader type: side 1 has no portrait and no name
  EXPECT_FALSE(Bound("textures\\monsters\\leader.tga"));
  const std::size_t withoutLeader = render.Count("DrawQuad28");

  YMonsterType* leader = FindOrAddMonsterType(board_hud::kLeaderId);
  leader->face = "leader.tga";
  leader->name = "Leader";
  tessor.BuildScreen();
  render.ClearCalls();
  tessor.DrawInfo();
  EXPECT_TRUE(Bound("textures\\monsters\\leader.tga"));
  EXPECT_EQ(render.Count("DrawQuad28"), withoutLeader + 1 + 6)
      << "the leader's face and the six letters of its name";
}

TEST_F(BoardHudTest, TheClockHandTurnsAboutTheDialsCentre) {
  tessor.Board().clock = 0.25f;
  tessor.DrawInfo();
  const auto hands = HandTransforms();
  ASSERT_EQ(hands.size(), 1u);
  // A quarter turn: the hand's up (0, -1) now points right (1, 0) on screen.
  EXPECT_NEAR(hands[0]->floats[0], 0, 1e-5);
  EXPECT_NEAR(hands[0]->floats[4], -1, 1e-5);
  // The transform is reset for the rest of the display.
  const auto transforms = render.CallsMatching("SetWorldTransform");
  EXPECT_EQ(transforms.back()->floats[12], 0);
}

TEST_F(BoardHudTest, CopiesFadeAndLeaveWhileHighlightsFollowTheHoverAndSelection) {
  YTessorUnit* unit = AddUnit(tessor.Board(), 0, 3, 3);
  YTessorBlurCopy probe;
  probe.birth = YColor(1, 0, 0, 0.2f);
  probe.end = YColor(0, 0, 1, 0);
  probe.lifetime = 0.2f;
  probe.remaining = 0.05f;
  const YColor quarter = YUnitBlurDrawer::CopyColour(probe);
  EXPECT_FLOAT_EQ(quarter.r, 0.25f);
  EXPECT_FLOAT_EQ(quarter.b, 0.75f);
  EXPECT_FLOAT_EQ(quarter.a, 0.05f);

  tessor.DrawUnitJitter(unit, YColor(1, 1, 1, 1), YColor(1, 1, 1, 0), 0.15f, 0);
  ASSERT_EQ(tessor.BlurCopies().size(), 1u);
  EXPECT_FLOAT_EQ(tessor.BlurCopies()[0].world.m[0][0], 1.02f);
  EXPECT_FLOAT_EQ(tessor.BlurCopies()[0].world.m[3][0], unit->position.x);
  tessor.StepScreenFrame(0.1f);
  EXPECT_EQ(tessor.BlurCopies().size(), 1u);
  EXPECT_EQ(YDrawQueue::Queue1().Count(), 1u);
  YDrawQueue::Flush1();
  tessor.StepScreenFrame(0.1f);
  EXPECT_TRUE(tessor.BlurCopies().empty());
  EXPECT_EQ(YDrawQueue::Queue1().Count(), 0u);

  // The hovered and the selected unit each leave a jittered copy a frame.
  tessor.cursorX = tessor.cursorY = 3;
  tessor.selected = unit;
  tessor.StepScreenFrame(0.01f);
  ASSERT_EQ(tessor.BlurCopies().size(), 2u);
  EXPECT_FLOAT_EQ(tessor.BlurCopies()[0].birth.a, 0.07f);
  EXPECT_FLOAT_EQ(tessor.BlurCopies()[1].birth.a, 0.15f);
  for (const YTessorBlurCopy& copy : tessor.BlurCopies()) {
    EXPECT_LE(std::fabs(copy.world.m[3][0] - unit->position.x), 0.012f);
    EXPECT_LE(std::fabs(copy.world.m[3][1] - unit->position.y), 0.012f);
  }
  EXPECT_NE(tessor.BlurCopies()[0].world.m[3][0], tessor.BlurCopies()[1].world.m[3][0]);
}

TEST_F(BoardHudTest, TheFrameStepsTheShownCountersAndTheMarkerOfTheSideToMove) {
  YTessorUnit* unit = AddUnit(tessor.Board(), 1, 4, 4);
  unit->record->shownHealth = 0;
  tessor.Board().viewFlip = true;
  tessor.Board().sideToMove = 1;  // shown at the bottom
  const YVector3 lower = BoardSideMarkers()[0].position, upper = BoardSideMarkers()[1].position;
  tessor.StepScreenFrame(0.02f);
  EXPECT_EQ(unit->record->shownHealth, 1);
  EXPECT_NE(BoardSideMarkers()[0].position.x, lower.x);
  EXPECT_EQ(BoardSideMarkers()[1].position.x, upper.x);
}

}  // namespace

// A unit that walked and then fell in its duel still has its fading
// copies when the quest saves and so deletes the fallen: they go with it.
TEST_F(BoardHudTest, TheCopiesOfDeletedUnitsGoWithThem) {
  YTessorBoard& board = tessor.Board();
  YTessorUnit* fallen = AddUnit(board, 1, 4, 4);
  board.PushUndo(fallen);
  tessor.LeaveBlurCopy(fallen, fallen->position, 1.0f);
  board.SetRemovedUnit(fallen);
  board.RemoveFromList(fallen);
  board.LiftUnit(fallen);
  tessor.ClearUndoOfSide(1);
  EXPECT_TRUE(tessor.BlurCopies().empty());

  YTessorUnit* cleared = AddUnit(board, 1, 2, 2);
  tessor.LeaveBlurCopy(cleared, cleared->position, 1.0f);
  tessor.ClearSide(1, true);
  EXPECT_TRUE(tessor.BlurCopies().empty());
}
