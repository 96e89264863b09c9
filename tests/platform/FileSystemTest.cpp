// File search, folder creation, durable replacement, copying and reading.
#include "platform/FileSystem.h"

#include <sys/stat.h>

#include <filesystem>
#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using namespace platform;
using testing_support::ReadFile;
using testing_support::ScopedCwd;
using testing_support::ScopedTempDir;
using testing_support::WriteFile;

std::vector<std::string> Names(const std::vector<FoundEntry>& entries) {
  std::vector<std::string> names;
  for (const FoundEntry& e : entries) names.push_back(e.name);
  return names;
}

using Strings = std::vector<std::string>;

class FindFilesTest : public ::testing::Test {
 protected:
  void Touch(const std::string& name) { WriteFile(dir_.Path() / name, "x"); }
  void Folder(const std::string& name) { fs::create_directory(dir_.Path() / name); }
  std::vector<FoundEntry> Find(const std::string& namePattern) {
    return FindFiles(dir_.Str() + "\\" + namePattern);
  }

  ScopedTempDir dir_;
};

TEST_F(FindFilesTest, SortsByteWiseAndMarksFolders) {
  for (const char* name : {"b.txt", "a.txt", "\xC3\xA9.txt", "B.txt", "_x"}) Touch(name);
  Folder("Zeta");
  const auto found = Find("*");
  EXPECT_EQ(Names(found), (Strings{"B.txt", "Zeta", "_x", "a.txt", "b.txt", "\xC3\xA9.txt"}));
  for (const FoundEntry& e : found) EXPECT_EQ(e.isFolder, e.name == "Zeta") << e.name;
}

TEST_F(FindFilesTest, StarDotStarMatchesNamesWithoutADot) {
  Touch("README");
  Touch("a.yml");
  Touch(".hidden");
  Folder("players");
  EXPECT_EQ(Names(Find("*.*")), (Strings{".hidden", "README", "a.yml", "players"}));
}

TEST_F(FindFilesTest, TrailingDotStarAlsoMatchesTheBareName) {
  for (const char* name : {"readme", "readme.txt", "readmes", "other.txt"}) Touch(name);
  EXPECT_EQ(Names(Find("readme.*")), (Strings{"readme", "readme.txt"}));
}

TEST_F(FindFilesTest, SuffixPatternSkipsTemporaryFiles) {
  for (const char* name : {"00001.yml", "00002.yml.tmp", "00003.YML", "notes.yml"}) Touch(name);
  EXPECT_EQ(Names(Find("*.yml")), (Strings{"00001.yml", "notes.yml"}));
}

TEST_F(FindFilesTest, QuestionMarkMatchesExactlyOneCharacter) {
  for (const char* name : {"0001.yml", "00001.yml", "000001.yml", "abcde.yml"}) Touch(name);
  EXPECT_EQ(Names(Find("?????.yml")), (Strings{"00001.yml", "abcde.yml"}));
  EXPECT_EQ(Names(Find("0?0*1.yml")), (Strings{"000001.yml", "00001.yml", "0001.yml"}));
  EXPECT_EQ(Names(Find("a?c*")), (Strings{"abcde.yml"}));
}

TEST_F(FindFilesTest, NameWithoutWildcardsFindsOnlyThatEntry) {
  Touch("config.yml");
  Touch("config.yml.tmp");
  EXPECT_EQ(Names(Find("config.yml")), (Strings{"config.yml"}));
  EXPECT_TRUE(Find("missing.yml").empty());
}

TEST_F(FindFilesTest, ManyStarsAgainstALongNameFinishQuickly) {
  Touch(std::string(200, 'a'));
  EXPECT_TRUE(Find("*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b").empty());
  EXPECT_EQ(Find("*a*a*a*a*a*a*a*a*a*a*a*a*a*a*").size(), 1u);
}

TEST_F(FindFilesTest, MissingFolderOrEmptyNamePatternGivesNothing) {
  Touch("a");
  EXPECT_TRUE(Find("nowhere\\*").empty());
  EXPECT_TRUE(FindFiles(dir_.Str() + "\\").empty());
  EXPECT_TRUE(FindFiles("").empty());
}

TEST_F(FindFilesTest, RelativeDataPatternsResolveFromTheCurrentFolder) {
  Folder("ui");
  fs::create_directory(dir_.Path() / "ui" / "english");
  fs::create_directory(dir_.Path() / "ui" / "deutsch");
  Touch("top.txt");
  ScopedCwd cwd(dir_.Path());
  EXPECT_EQ(Names(FindFiles("ui\\*")), (Strings{"deutsch", "english"}));
  EXPECT_EQ(Names(FindFiles("*.txt")), (Strings{"top.txt"}));
}

TEST(FolderTest, MakeFolderCreatesOneLevelOnly) {
  ScopedTempDir dir;
  EXPECT_TRUE(MakeFolder(dir.Str() + "\\save"));
  EXPECT_TRUE(fs::is_directory(dir.Path() / "save"));
  EXPECT_TRUE(MakeFolder(dir.Str() + "\\save"));  // already there
  EXPECT_FALSE(MakeFolder(dir.Str() + "\\a\\b"));
  EXPECT_FALSE(fs::exists(dir.Path() / "a"));
  WriteFile(dir.Path() / "file", "x");
  EXPECT_FALSE(MakeFolder(dir.Str() + "\\file"));
  EXPECT_FALSE(MakeFolder(""));
}

TEST(FolderTest, PathIsTellsFoldersFromFiles) {
  ScopedTempDir dir;
  fs::create_directory(dir.Path() / "players");
  WriteFile(dir.Path() / "config.yml", "");
  EXPECT_TRUE(PathIs(dir.Str() + "\\players", true));
  EXPECT_FALSE(PathIs(dir.Str() + "\\players", false));
  EXPECT_TRUE(PathIs(dir.Str() + "\\config.yml", false));
  EXPECT_FALSE(PathIs(dir.Str() + "\\config.yml", true));
  EXPECT_FALSE(PathIs(dir.Str() + "\\missing", true));
  EXPECT_FALSE(PathIs(dir.Str() + "\\missing", false));
  EXPECT_FALSE(PathIs("", false));
}

TEST(MoveReplaceTest, LeavesOnlyTheTargetWithTheNewContent) {
  ScopedTempDir dir;
  WriteFile(dir.Path() / "config.yml", "old");
  WriteFile(dir.Path() / "config.yml.tmp", "new\n");
  EXPECT_TRUE(MoveReplace(dir.Str() + "\\config.yml.tmp", dir.Str() + "\\config.yml"));
  EXPECT_EQ(ReadFile(dir.Path() / "config.yml"), "new\n");
  EXPECT_FALSE(fs::exists(dir.Path() / "config.yml.tmp"));
  EXPECT_EQ(Names(FindFiles(dir.Str() + "\\*")), (Strings{"config.yml"}));
}

TEST(MoveReplaceTest, CreatesAMissingTarget) {
  ScopedTempDir dir;
  WriteFile(dir.Path() / "a.tmp", "data");
  EXPECT_TRUE(MoveReplace(dir.Str() + "\\a.tmp", dir.Str() + "\\a"));
  EXPECT_EQ(ReadFile(dir.Path() / "a"), "data");
}

TEST(MoveReplaceTest, MissingSourceFailsAndKeepsTheTarget) {
  ScopedTempDir dir;
  WriteFile(dir.Path() / "a", "keep");
  EXPECT_FALSE(MoveReplace(dir.Str() + "\\a.tmp", dir.Str() + "\\a"));
  EXPECT_EQ(ReadFile(dir.Path() / "a"), "keep");
}

TEST(CopyFileTest, CopiesEveryByte) {
  ScopedTempDir dir;
  std::string bytes(200 * 1024, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + i / 300);
  WriteFile(dir.Path() / "src", bytes);
  EXPECT_TRUE(CopyFileKeepExisting(dir.Str() + "\\src", dir.Str() + "\\dst"));
  EXPECT_EQ(ReadFile(dir.Path() / "dst"), bytes);
  EXPECT_EQ(ReadFile(dir.Path() / "src"), bytes);
}

TEST(CopyFileTest, NeverOverwritesAnExistingTarget) {
  ScopedTempDir dir;
  WriteFile(dir.Path() / "src", "seed");
  WriteFile(dir.Path() / "dst", "user's own");
  EXPECT_FALSE(CopyFileKeepExisting(dir.Str() + "\\src", dir.Str() + "\\dst"));
  EXPECT_EQ(ReadFile(dir.Path() / "dst"), "user's own");
  // A copy onto itself must not truncate the file either.
  EXPECT_FALSE(CopyFileKeepExisting(dir.Str() + "\\src", dir.Str() + "\\src"));
  EXPECT_EQ(ReadFile(dir.Path() / "src"), "seed");
}

TEST(CopyFileTest, UnreadableSourceCreatesNoTarget) {
  ScopedTempDir dir;
  fs::create_directory(dir.Path() / "folder");
  EXPECT_FALSE(CopyFileKeepExisting(dir.Str() + "\\missing", dir.Str() + "\\a"));
  EXPECT_FALSE(CopyFileKeepExisting(dir.Str() + "\\folder", dir.Str() + "\\b"));
  EXPECT_FALSE(fs::exists(dir.Path() / "a"));
  EXPECT_FALSE(fs::exists(dir.Path() / "b"));
}

TEST(RemoveFileTest, RemovesFilesButNotFolders) {
  ScopedTempDir dir;
  WriteFile(dir.Path() / "a", "x");
  fs::create_directory(dir.Path() / "folder");
  EXPECT_TRUE(RemoveFile(dir.Str() + "\\a"));
  EXPECT_FALSE(fs::exists(dir.Path() / "a"));
  EXPECT_FALSE(RemoveFile(dir.Str() + "\\a"));
  EXPECT_FALSE(RemoveFile(dir.Str() + "\\folder"));
  EXPECT_TRUE(fs::is_directory(dir.Path() / "folder"));
}

TEST(ReadFileTest, BinaryReadKeepsEveryByte) {
  ScopedTempDir dir;
  const std::string bytes("a\r\nb\0c\r\x1a\xff", 9);
  WriteFile(dir.Path() / "f", bytes);
  EXPECT_EQ(ReadBinaryFile(dir.Str() + "\\f"), bytes);
  WriteFile(dir.Path() / "empty", "");
  EXPECT_EQ(ReadBinaryFile(dir.Str() + "\\empty"), std::string());
}

TEST(ReadFileTest, TextReadDropsCarriageReturnsOnlyBeforeLineFeeds) {
  ScopedTempDir dir;
  WriteFile(dir.Path() / "t", "a\r\nb\rc\r\r\nd\n\r");
  EXPECT_EQ(ReadTextFile(dir.Str() + "\\t"), "a\nb\rc\r\nd\n\r");
  EXPECT_EQ(DropCarriageReturns("\r\n\r\n"), "\n\n");
  EXPECT_EQ(DropCarriageReturns("\n\r"), "\n\r");
  EXPECT_EQ(DropCarriageReturns(""), "");
}

TEST(ReadFileTest, NothingForMissingFoldersAndDevices) {
  ScopedTempDir dir;
  EXPECT_FALSE(ReadBinaryFile(dir.Str() + "\\missing"));
  EXPECT_FALSE(ReadTextFile(dir.Str() + "\\missing"));
  EXPECT_FALSE(ReadBinaryFile(dir.Str()));
  // A never-ending device and a pipe without a writer must neither hang nor
  // fill memory.
  EXPECT_FALSE(ReadBinaryFile("/dev/zero"));
  ASSERT_EQ(mkfifo((dir.Path() / "pipe").c_str(), 0600), 0);
  EXPECT_FALSE(ReadBinaryFile(dir.Str() + "\\pipe"));
}

}  // namespace
