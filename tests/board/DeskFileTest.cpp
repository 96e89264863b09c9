// Desk files: the cell characters, the two error texts with their numbers,
// which cells an error leaves changed, and line ends of either kind.
#include <gtest/gtest.h>

#include "board/DeskFile.h"
#include "board/YTessorBoard.h"
#include "tests/board/BoardFixture.h"
#include "tests/framework/LogCapture.h"

namespace {

using DeskFileTest = BoardTest;

constexpr std::array<const char*, 9> kMixed = {"WafemXOAF", "aaaaaaaaa", "aaaaaaaaa", "aaaaaaaaa", "aaaaEMaaa",
                                               "aaaaaaaaa", "aaaaaaaaa", "aaaaaaaaa", "fewmXOaaa"};

std::vector<std::uint32_t> Types(const YTessorBoard& board) {
  std::vector<std::uint32_t> types;
  for (int y = 0; y < kBoardSize; ++y) {
    for (int x = 0; x < kBoardSize; ++x) types.push_back(board.Cell(x, y).type);
  }
  return types;
}

// A board whose every cell is earth, so that changes show.
YTessorBoard EarthBoard() {
  YTessorBoard board;
  for (int y = 0; y < kBoardSize; ++y) {
    for (int x = 0; x < kBoardSize; ++x) board.SetCellType(x, y, cell_kind::kEarth);
  }
  return board;
}

TEST_F(DeskFileTest, CharactersGiveTheirKindsWithTheFirstLineAsTheFarRow) {
  WriteFile("desks/mixed.dsk", DeskText(kMixed));
  YTessorBoard board;
  ASSERT_TRUE(LoadDeskFile("desks\\mixed.dsk", board));
  const std::uint32_t farRow[] = {11, 0, 1, 2, 4, 5, 6, 8, 9};
  for (int x = 0; x < 9; ++x) EXPECT_EQ(board.Cell(x, 8).type, farRow[x]) << x;
  const std::uint32_t homeRow[] = {1, 2, 3, 4, 5, 6, 0, 0, 0};
  for (int x = 0; x < 9; ++x) EXPECT_EQ(board.Cell(x, 0).type, homeRow[x]) << x;
  EXPECT_EQ(board.Cell(4, 4).type, 10u);
  EXPECT_EQ(board.Cell(5, 4).type, 12u);
}

TEST_F(DeskFileTest, CarriageReturnLineEndsReadAsLineFeeds) {
  WriteFile("desks/lf.dsk", DeskText(kMixed));
  WriteFile("desks/crlf.dsk", DeskText(kMixed, "\r\n"));
  YTessorBoard lf;
  YTessorBoard crlf;
  LogCapture log;
  EXPECT_TRUE(LoadDeskFile("desks\\lf.dsk", lf));
  EXPECT_TRUE(LoadDeskFile("desks\\crlf.dsk", crlf));
  EXPECT_EQ(Types(lf), Types(crlf));
  EXPECT_TRUE(log.Lines().empty());
}

TEST_F(DeskFileTest, SizeErrorsNameTheFirstBadLineAndChangeNoCell) {
  const struct {
    std::string text;
    const char* line;
  } cases[] = {
      {DeskText({"aaaaaaaaa", "aaaaaaaaa", "aaaaaaaaa", "aaaaaaaaa", "aaaaaaaa", "aaaaaaaaa", "aaaaaaaaa",
                 "aaaaaaaaa", "aaaaaaaaa"}),
       "5"},
      {DeskText({"aaaaaaaaaa", "aaaaaaaaa", "aaaaaaaaa", "aaaaaaaaa", "aaaaaaaaa", "aaaaaaaaa", "aaaaaaaaa",
                 "aaaaaaaaa", "aaaaaaaaa"}),
       "1"},
      {"aaaaaaaaa\naaaaaaaaa\n", "3"},                      // missing lines read as empty
      {"aaaaaaaaa\n\naaaaaaaaa\n", "2"},                    // an empty line
      {DeskText(kMixed).substr(0, 86), "9"},                // the last line cut short
  };
  for (const auto& c : cases) {
    WriteFile("desks/bad.dsk", c.text);
    YTessorBoard board = EarthBoard();
    LogCapture log;
    EXPECT_FALSE(LoadDeskFile("desks\\bad.dsk", board));
    EXPECT_EQ(log.Lines(), std::vector<std::string>{std::string("Desk load error, error size line ") + c.line +
                                                    ", file: desks\\bad.dsk"});
    EXPECT_EQ(Types(board), Types(EarthBoard()));
  }
  LogCapture log;
  YTessorBoard board;
  EXPECT_FALSE(LoadDeskFile("desks\\missing.dsk", board));
  EXPECT_EQ(log.Lines(), std::vector<std::string>{"Desk load error, error size line 1, file: desks\\missing.dsk"});
}

TEST_F(DeskFileTest, UnknownCharacterNamesItsCellAndKeepsTheRowsFilledBeforeIt) {
  // The last line is row 0, filled first: nothing changes.
  std::array<const char*, 9> rows = kMixed;
  rows[8] = "Zaaaaaaaa";
  WriteFile("desks/first.dsk", DeskText(rows));
  YTessorBoard board = EarthBoard();
  LogCapture log;
  EXPECT_FALSE(LoadDeskFile("desks\\first.dsk", board));
  EXPECT_EQ(log.Lines(),
            std::vector<std::string>{"Desk load error, unknown character [1,1], file: desks\\first.dsk"});
  EXPECT_EQ(Types(board), Types(EarthBoard()));

  // A bad character in row 4, column 6: rows 0-3 and row 4's first five cells are new.
  rows = kMixed;
  rows[4] = "aaaaEz...";
  WriteFile("desks/middle.dsk", DeskText(rows));
  board = EarthBoard();
  LogCapture log2;
  EXPECT_FALSE(LoadDeskFile("desks\\middle.dsk", board));
  EXPECT_EQ(log2.Lines(),
            std::vector<std::string>{"Desk load error, unknown character [6,5], file: desks\\middle.dsk"});
  EXPECT_EQ(board.Cell(0, 0).type, cell_kind::kFire);
  EXPECT_EQ(board.Cell(4, 4).type, 10u);
  EXPECT_EQ(board.Cell(5, 4).type, cell_kind::kEarth);
  EXPECT_EQ(board.Cell(0, 8).type, cell_kind::kEarth);
}

TEST_F(DeskFileTest, LinesAfterTheNinthAreIgnored) {
  WriteFile("desks/long.dsk", DeskText(kMixed) + "this line is not read\n");
  YTessorBoard board;
  LogCapture log;
  EXPECT_TRUE(LoadDeskFile("desks\\long.dsk", board));
  EXPECT_TRUE(log.Lines().empty());
  EXPECT_EQ(board.Cell(0, 8).type, 11u);
}

}  // namespace
