// Desk files: the cell characters, the two error texts with their numbers,
// which cells an error leaves changed, and line ends of either kind.
#include <gtest/gtest.h>

#include "board/DeskFile.h"
#include "board/YTessorBoard.h"
#include "tests/board/BoardFixture.h"
#include "tests/framework/LogCapture.h"

namespace {

using DeskFileTest = BoardTest;
using Lines = std::vector<std::string>;

constexpr std::array<const char*, 9> kMixed = {"WafemXOAF", "aaaaaaaaa", "aaaaaaaaa",
                                               "aaaaaaaaa", "aaaaEMaaa", "aaaaaaaaa",
                                               "aaaaaaaaa", "aaaaaaaaa", "fewmXOaaa"};

std::vector<std::uint32_t> Types(const YTessorBoard& board) {
  std::vector<std::uint32_t> types;
  for (int i = 0; i < kCellCount; ++i) types.push_back(board.Cell(i % 9, i / 9).type);
  return types;
}

// A board whose every cell is earth, so that changes show.
YTessorBoard EarthBoard() {
  YTessorBoard board;
  for (int i = 0; i < kCellCount; ++i) board.SetCellType(i % 9, i / 9, cell_kind::kEarth);
  return board;
}

TEST_F(DeskFileTest, CharactersGiveTheirKindsWithTheFirstLineAsTheFarRowWhateverTheLineEnds) {
  WriteFile("desks/lf.dsk", DeskText(kMixed) + "a tenth line is not read\n");
  WriteFile("desks/crlf.dsk", DeskText(kMixed, "\r\n"));
  YTessorBoard board;
  YTessorBoard crlf;
  LogCapture log;
  ASSERT_TRUE(LoadDeskFile("desks\\lf.dsk", board));
  ASSERT_TRUE(LoadDeskFile("desks\\crlf.dsk", crlf));
  EXPECT_TRUE(log.Lines().empty());
  const std::uint32_t farRow[] = {11, 0, 1, 2, 4, 5, 6, 8, 9};
  const std::uint32_t homeRow[] = {1, 2, 3, 4, 5, 6, 0, 0, 0};
  for (int x = 0; x < 9; ++x) {
    EXPECT_EQ(board.Cell(x, 8).type, farRow[x]) << x;
    EXPECT_EQ(board.Cell(x, 0).type, homeRow[x]) << x;
  }
  EXPECT_EQ(board.Cell(4, 4).type, 10u);
  EXPECT_EQ(board.Cell(5, 4).type, 12u);
  EXPECT_EQ(Types(crlf), Types(board));
}

// Nine lines of nine cells, line `index` replaced.
std::string WithLine(int index, const std::string& line) {
  std::string text;
  for (int i = 0; i < 9; ++i) text += (i == index ? line : std::string(9, 'a')) + "\n";
  return text;
}

TEST_F(DeskFileTest, SizeErrorsNameTheFirstBadLineAndChangeNoCell) {
  const struct {
    std::string text;
    const char* line;
  } cases[] = {
      {WithLine(4, "aaaaaaaa"), "5"},        {WithLine(0, "aaaaaaaaaa"), "1"}, {WithLine(1, ""), "2"},
      {"aaaaaaaaa\naaaaaaaaa\n", "3"},        // missing lines read as empty
      {DeskText(kMixed).substr(0, 86), "9"},  // the last line cut short
  };
  for (const auto& c : cases) {
    WriteFile("desks/bad.dsk", c.text);
    YTessorBoard board = EarthBoard();
    LogCapture log;
    EXPECT_FALSE(LoadDeskFile("desks\\bad.dsk", board));
    EXPECT_EQ(log.Lines(),
              Lines{std::string("Desk load error, error size line ") + c.line + ", file: desks\\bad.dsk"});
    EXPECT_EQ(Types(board), Types(EarthBoard()));
  }
  LogCapture log;
  YTessorBoard board;
  EXPECT_FALSE(LoadDeskFile("desks\\missing.dsk", board));
  EXPECT_EQ(log.Lines(), Lines{"Desk load error, error size line 1, file: desks\\missing.dsk"});
}

TEST_F(DeskFileTest, UnknownCharacterNamesItsCellAndKeepsTheRowsFilledBeforeIt) {
  // The last line is row 0, filled first: nothing changes.
  std::array<const char*, 9> rows = kMixed;
  rows[8] = "Zaaaaaaaa";
  WriteFile("desks/first.dsk", DeskText(rows));
  YTessorBoard board = EarthBoard();
  LogCapture log;
  EXPECT_FALSE(LoadDeskFile("desks\\first.dsk", board));
  EXPECT_EQ(Types(board), Types(EarthBoard()));
  // A bad character in row 4, column 6: rows 0-3 and row 4's first five cells are new.
  rows = kMixed;
  rows[4] = "aaaaEz...";
  WriteFile("desks/middle.dsk", DeskText(rows));
  EXPECT_FALSE(LoadDeskFile("desks\\middle.dsk", board));
  EXPECT_EQ(log.Lines(), (Lines{"Desk load error, unknown character [1,1], file: desks\\first.dsk",
                                "Desk load error, unknown character [6,5], file: desks\\middle.dsk"}));
  EXPECT_EQ(board.Cell(0, 0).type, cell_kind::kFire);
  EXPECT_EQ(board.Cell(4, 4).type, 10u);
  EXPECT_EQ(board.Cell(5, 4).type, cell_kind::kEarth);
  EXPECT_EQ(board.Cell(0, 8).type, cell_kind::kEarth);
}

}  // namespace
