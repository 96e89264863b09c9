// Layout files: the text form and its corner order, line lengths and line
// ends, the compiled form and its checks, the cache beside the text file,
// and which paths a battle may load.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "framework/MemoryInStream.h"
#include "framework/MemoryOutStream.h"
#include "tests/framework/LogCapture.h"
#include "tests/support/TestSupport.h"
#include "tiles/DuelBoard.h"
#include "tiles/TileLayout.h"

namespace {

using tile_layout::Corner;
namespace fs = std::filesystem;

std::string LayoutText(const std::vector<Corner>& corners, const char* lineEnd = "\n") {
  return std::string("first") + lineEnd + "second" + lineEnd + tile_layout::LayoutLine(corners) + lineEnd;
}

std::string CompiledBytes(const std::vector<std::int32_t>& values) {
  MemoryOutStream out;
  for (std::int32_t v : values) out.Write(&v, 4);
  return out.Take();
}

std::vector<Corner> ReadBytes(const std::string& bytes, std::string& error) {
  MemoryInStream in(bytes);
  return tile_layout::ReadCompiled(in, error);
}

const std::vector<Corner> kRow = {{2, 3, 0}, {4, 3, 0}, {6, 3, 0}, {4, 3, 1}};

TEST(TileLayoutTest, CornersFollowTheTextOrder) {
  std::string line(tile_layout::kLineLength, '.');
  // Layer 0 row 19 (the text's first row), column 5; layer 0 row 0, column
  // 0; layer 2 row 7, column 30; layer 0 row 19, column 1.
  line[5] = '1';
  line[19 * 34] = '1';
  line[2 * 680 + 12 * 34 + 30] = '1';
  line[1] = '1';
  std::string error;
  const std::vector<Corner> corners = tile_layout::ParseText("a\nb\n" + line, error);
  EXPECT_EQ(corners, (std::vector<Corner>{{1, 19, 0}, {5, 19, 0}, {0, 0, 0}, {30, 7, 2}})) << error;
  std::replace(line.begin(), line.end(), '.', '0');
  EXPECT_EQ(tile_layout::LayoutLine(corners), line);
}

TEST(TileLayoutTest, LineLengthAndLineEnds) {
  const std::string good = tile_layout::LayoutLine(kRow);
  std::string error;
  EXPECT_EQ(tile_layout::ParseText("x\ny\n" + good, error).size(), 4u) << "no line end after line 3";
  EXPECT_EQ(tile_layout::ParseText(LayoutText(kRow, "\r\n"), error).size(), 4u) << "CRLF";
  EXPECT_TRUE(tile_layout::ParseText("x\ny\n" + good.substr(1), error).empty());
  EXPECT_NE(error.find("3399"), std::string::npos) << error;
  EXPECT_TRUE(tile_layout::ParseText("x\ny\n" + good + " \n", error).empty());
  EXPECT_NE(error.find("3401"), std::string::npos) << error;
  EXPECT_TRUE(tile_layout::ParseText("x\n" + good, error).empty()) << "the layout is line 3";
  EXPECT_TRUE(tile_layout::ParseText("x\ny\n" + good + "\r", error).empty()) << "a lone carriage return counts";
}

TEST(TileLayoutTest, UnusableTilesAreRefused) {
  std::string error;
  EXPECT_TRUE(tile_layout::ParseText(LayoutText({{3, 3, 0}}), error).empty()) << "one tile";
  EXPECT_TRUE(tile_layout::ParseText(LayoutText({{3, 3, 0}, {4, 4, 0}}), error).empty());
  EXPECT_NE(error.find("overlaps"), std::string::npos) << error;
  EXPECT_EQ(tile_layout::ParseText(LayoutText({{3, 3, 0}, {3, 3, 1}}), error).size(), 2u) << "stacked is fine";
}

TEST(TileLayoutTest, CompiledFormRoundTrips) {
  std::string error;
  DuelBoard board;
  for (const Corner& c : tile_layout::ParseText(LayoutText(kRow), error)) board.AddTile(c.x, c.y, c.z);
  ASSERT_TRUE(board.BuildGrid());
  MemoryOutStream out;
  tile_layout::WriteCompiled(out, board);
  EXPECT_EQ(out.Bytes(), CompiledBytes({4, 1, 1, 1, 3, 1, 1, 5, 1, 1, 3, 1, 2}));
  const std::vector<Corner> read = ReadBytes(out.Bytes(), error);
  EXPECT_EQ(read, (std::vector<Corner>{{1, 1, 1}, {3, 1, 1}, {5, 1, 1}, {3, 1, 2}})) << error;
}

TEST(TileLayoutTest, BadCompiledFilesAreRefused) {
  const std::vector<std::int32_t> good = {2, 1, 1, 1, 3, 1, 1};
  std::string error;
  EXPECT_EQ(ReadBytes(CompiledBytes(good), error).size(), 2u);
  const std::string bytes = CompiledBytes(good);
  EXPECT_TRUE(ReadBytes(bytes.substr(0, bytes.size() - 1), error).empty()) << "short";
  EXPECT_TRUE(ReadBytes(bytes + "x", error).empty()) << "long";
  EXPECT_TRUE(ReadBytes(CompiledBytes({0}), error).empty()) << "empty";
  EXPECT_TRUE(ReadBytes(CompiledBytes({-5}), error).empty()) << "negative count";
  EXPECT_TRUE(ReadBytes(CompiledBytes({100000000}), error).empty()) << "huge count";
  EXPECT_TRUE(ReadBytes(CompiledBytes({2, 1, 1, 1, 2, 1, 1}), error).empty()) << "overlap";
  EXPECT_TRUE(ReadBytes(CompiledBytes({2, 1, 1, 1, 300, 1, 1}), error).empty()) << "outside";
  EXPECT_TRUE(ReadBytes(CompiledBytes({2, 0, 1, 1, 3, 1, 1}), error).empty()) << "below 1";
  EXPECT_TRUE(ReadBytes("", error).empty());
}

TEST(TileLayoutTest, SafePaths) {
  EXPECT_TRUE(tile_layout::IsSafeLayoutPath("layouts\\standard.lay"));
  EXPECT_TRUE(tile_layout::IsSafeLayoutPath("layouts\\WINGS.LAY"));
  for (const char* path : {"standard.lay", "layouts\\", "layouts\\..\\x.lay", "layouts\\sub\\x.lay", "layouts/x.lay",
                           "layouts\\a/b.lay", "layouts\\c:x.lay", "/etc/x.lay", "Layouts\\x.lay", ""})
    EXPECT_FALSE(tile_layout::IsSafeLayoutPath(path)) << path;
  EXPECT_EQ(tile_layout::CompiledPath("layouts\\a.lay"), "layouts\\a.lyt");
  EXPECT_EQ(tile_layout::CompiledPath("la"), "lyt");
}

class LayoutFileTest : public ::testing::Test {
 protected:
  LayoutFileTest() : cwd_(dir_.Path()) { fs::create_directories(dir_.Path() / "layouts"); }
  void Write(const std::string& name, const std::string& bytes) {
    testing_support::WriteFile(dir_.Path() / "layouts" / name, bytes);
  }
  bool Exists(const std::string& name) const { return fs::exists(dir_.Path() / "layouts" / name); }
  std::string Read(const std::string& name) const { return testing_support::ReadFile(dir_.Path() / "layouts" / name); }

  testing_support::ScopedTempDir dir_;
  testing_support::ScopedCwd cwd_;
  DuelBoard board_;
};

TEST_F(LayoutFileTest, TextIsCompiledOnceAndThenTheCompiledFileRules) {
  Write("a.lay", LayoutText(kRow));
  ASSERT_TRUE(tile_layout::LoadLayout("layouts\\a.lay", board_));
  EXPECT_EQ(board_.tiles.size(), 4u);
  EXPECT_EQ(Read("a.lyt").size(), 4u + 12 * 4);
  Write("a.lay", LayoutText({{2, 3, 0}, {6, 3, 0}}));
  ASSERT_TRUE(tile_layout::LoadLayout("layouts\\a.lay", board_));
  EXPECT_EQ(board_.tiles.size(), 4u) << "the compiled file is read instead";
}

TEST_F(LayoutFileTest, NothingIsCompiledFromAnUnusableText) {
  LogCapture log;
  Write("empty.lay", LayoutText({}));
  EXPECT_FALSE(tile_layout::LoadLayout("layouts\\empty.lay", board_));
  EXPECT_FALSE(Exists("empty.lyt"));
  EXPECT_FALSE(tile_layout::LoadLayout("layouts\\missing.lay", board_));
  EXPECT_FALSE(Exists("missing.lyt"));
  EXPECT_TRUE(board_.tiles.empty());
  EXPECT_EQ(log.Lines().size(), 2u);
}

TEST_F(LayoutFileTest, ABadCompiledFileGivesWayToTheText) {
  Write("a.lay", LayoutText(kRow));
  Write("a.lyt", CompiledBytes({0}));
  LogCapture log;
  ASSERT_TRUE(tile_layout::LoadLayout("layouts\\a.lay", board_));
  EXPECT_EQ(board_.tiles.size(), 4u);
  ASSERT_EQ(log.Lines().size(), 1u);
  EXPECT_NE(log.Lines()[0].find("a.lyt"), std::string::npos) << log.Lines()[0];
  EXPECT_EQ(Read("a.lyt").size(), 4u + 12 * 4) << "written anew";
}

TEST_F(LayoutFileTest, OnlyALowerCaseSuffixIsCompiled) {
  Write("b.LAY", LayoutText(kRow));
  EXPECT_FALSE(tile_layout::LoadLayout("layouts\\b.LAY", board_));
  EXPECT_FALSE(Exists("b.lyt"));
  Write("b.lyt", CompiledBytes({2, 1, 1, 1, 3, 1, 1}));
  ASSERT_TRUE(tile_layout::LoadLayout("layouts\\b.LAY", board_));
  EXPECT_EQ(board_.tiles.size(), 2u);
}

}  // namespace
