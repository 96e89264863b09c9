// The duel's message log: lines split at their placeholders, what each
// move reports, and the scrolling that keeps six lines.
#include <gtest/gtest.h>

#include "players/YPlayer.h"
#include "players/YTileKind.h"
#include "players/YTileSpell.h"
#include "tests/tiles/TilesTestSupport.h"
#include "tiles/BoardMessages.h"

namespace {

std::string Text(const MessageLine& line) {
  std::string text;
  for (const MessageSegment& s : line) text += "[" + s.text + "]";
  return text;
}

BoardMessages Log() {
  BoardMessages log;
  log.SetTextSource([](const std::string& key) {
    if (key == "cast_mana2") return std::string("%s fills %s and %s");
    if (key == "shuffle") return std::string("Shuffle!");
    return key + " %s %s";
  });
  return log;
}

TEST(BoardMessagesTest, PlaceholdersBecomeHighlightedSegments) {
  BoardMessages log = Log();
  const MessageText texts[2] = {{"Ann", 0}, {"Fire Bolt", 0x14}};
  log.AddLine("%s casts %s.", texts);
  log.AddLine("%s%s and %s", texts);  // one placeholder more than texts
  log.AddLine2("%s with %s", texts[0], texts[1], 1);
  ASSERT_EQ(log.Lines().size(), 3u);
  const MessageLine& first = log.Lines()[0];
  EXPECT_EQ(Text(first), "[Ann][ casts ][Fire Bolt][.]");
  EXPECT_EQ(first[0].colour.b, BoardMessages::HighlightColour().b);
  EXPECT_EQ(first[1].colour.r, BoardMessages::PlainColour().r);
  EXPECT_EQ(first[2].ref, 0x14u);
  EXPECT_EQ(first[0].ref, 0u);
  EXPECT_EQ(Text(log.Lines()[1]), "[Ann][Fire Bolt][ and ]");
  EXPECT_EQ(log.Lines()[2][0].colour.r, BoardMessages::SideColour(1).r);
  EXPECT_EQ(log.Lines()[2][2].colour.g, BoardMessages::HighlightColour().g);
}

// A state after one move of side `side` with tiles of kinds a and b.
struct Reported {
  DuelState state;
  YPlayer ann, bob;
  std::vector<YTileKind> table;
  YTileSpell spell;

  Reported(std::uint32_t a, std::uint32_t b, int side) : state(tiles_test::SpreadState({a, b})) {
    for (const DuelKind& kind : state.kinds) {
      YTileKind record;
      record.id = kind.id;
      record.name = "K" + std::to_string(kind.id);
      table.push_back(record);
    }
    ann.name = "Ann";
    bob.name = "Bob";
    state.sides[0] = tiles_test::Side(20, 40);
    state.sides[1] = tiles_test::Side(20, 40);
    spell.key = (a << 8) | b;
    spell.name = "Link";
    state.sides[static_cast<std::size_t>(side)].spells = {&spell};
    state.sideToMove = side;
    state.PushUndo(0, 1);
  }
  std::string Show(BoardMessages& log) {
    log.ShowEvent(state, {&ann, &bob}, table);
    return log.Lines().empty() ? "" : Text(log.Lines().back());
  }
};

TEST(BoardMessagesTest, WhatEachMoveReports) {
  struct Case {
    std::uint32_t a, b;
    std::int32_t manaBefore;
    const char* line;
  };
  const std::vector<Case> cases = {
      {0x01, 0x21, 20, "[cast_experence ][Bob][ ]"},      {0x02, 0x02, 20, "[cast_mana ][Bob][ ][K2]"},
      {0x02, 0x32, 20, "[Bob][ fills ][K2][ and ][K50]"}, {0x14, 0x14, 20, "[cast_standard ][Bob][ ][K20]"},
      {0x03, 0x15, 20, "[cast_special ][Bob][ ][Link]"},  {0x03, 0x15, 3, "[skip_move ][Bob][ ][K3]"},
      {0x01, 0x11, -1, "[skip_move ][Bob][ ][K1]"},  // unaffordable wins over the class
  };
  for (const Case& c : cases) {
    Reported move(c.a, c.b, 1);
    move.state.undo.back().sides[1].mana = {c.manaBefore, c.manaBefore, c.manaBefore, c.manaBefore};
    BoardMessages log = Log();
    EXPECT_EQ(move.Show(log), c.line) << std::hex << c.a << " " << c.b;
  }
  Reported special(0x03, 0x15, 1);
  BoardMessages log = Log();
  special.Show(log);
  EXPECT_EQ(log.Lines()[0][3].ref, 0x0315u) << "a spell's segment carries its key";
  Reported standard(0x14, 0x14, 0);
  BoardMessages log2 = Log();
  standard.Show(log2);
  EXPECT_EQ(log2.Lines()[0][3].ref, 0x14u) << "a kind's segment carries its id";
  EXPECT_EQ(log2.Lines()[0][1].colour.r, BoardMessages::SideColour(0).r);
}

TEST(BoardMessagesTest, TheFallenAndTheFlagWord) {
  Reported move(0x14, 0x14, 0);
  move.state.sides[0].health = 0;
  move.state.sides[1].health = -3;
  move.state.flags = DuelFlag::kShuffle;
  BoardMessages log = Log();
  move.Show(log);
  ASSERT_EQ(log.Lines().size(), 4u);
  EXPECT_EQ(Text(log.Lines()[1]), "[killed ][Ann][ ]");
  EXPECT_EQ(Text(log.Lines()[2]), "[killed ][Bob][ ]");
  EXPECT_EQ(Text(log.Lines()[3]), "[Shuffle!]");
  // Reported moves are not reported again; the flag word is.
  move.state.flags = DuelFlag::kExtraTurn | DuelFlag::kPass;
  move.Show(log);
  EXPECT_EQ(Text(log.Lines().back()), "[pass_move ][Ann][ ]");
  move.state.flags = DuelFlag::kPass;
  move.Show(log);
  EXPECT_EQ(Text(log.Lines().back()), "[can_not_move ][Ann][ ]");
  EXPECT_EQ(log.Lines().size(), 6u);
  // A dead mover's move tells nothing of itself.
  Reported dead(0x14, 0x14, 1);
  dead.state.undo.back().sides[1].health = 0;
  BoardMessages quiet = Log();
  dead.Show(quiet);
  EXPECT_TRUE(quiet.Lines().empty());
}

TEST(BoardMessagesTest, SevenLinesScrollDownToSix) {
  BoardMessages log = Log();
  EXPECT_EQ(log.ScrollOffset(), 90.0f);
  for (int i = 0; i < 7; ++i) log.AddLine("line", {});
  for (int frame = 0; frame < 1000; ++frame) log.Scroll(0.02f);
  EXPECT_EQ(log.Lines().size(), 6u);
  EXPECT_EQ(log.ScrollOffset(), 0.0f);
  log.Scroll(0.0f);  // no time: nothing moves, nothing hangs
  EXPECT_EQ(log.Lines().size(), 6u);
  log.Reset();
  EXPECT_TRUE(log.Lines().empty());
  EXPECT_EQ(log.ScrollOffset(), 90.0f);
}

TEST(BoardMessagesTest, LinesShowWholeAndABurstIsInWithinTwoSeconds) {
  BoardMessages log = Log();
  for (int i = 0; i < 6; ++i) log.AddLine("line", {});
  EXPECT_FALSE(log.LineShows(0)) << "below the six rows the panel's edge would cut it";
  log.Scroll(0.5f);
  EXPECT_TRUE(log.LineShows(0));
  EXPECT_FALSE(log.LineShows(5));
  for (int frame = 0; frame < 75; ++frame) log.Scroll(0.02f);
  EXPECT_TRUE(log.LineShows(5));
  EXPECT_EQ(log.ScrollOffset(), 0.0f);
}

}  // namespace
