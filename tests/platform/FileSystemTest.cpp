// File search, folder creation, durable replacement, copying and reading.
#include "platform/FileSystem.h"

#include <sys/stat.h>

#include <gtest/gtest.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <utility>

#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using namespace platform;
using testing_support::ReadFile;
using testing_support::ReturnsWithoutReader;
using testing_support::ScopedTempDir;
using testing_support::WriteFile;
using Strings = std::vector<std::string>;

Strings Names(const std::vector<FoundEntry>& entries) {
  Strings names;
  for (const FoundEntry& e : entries) names.push_back(e.name);
  return names;
}

TEST(FindFilesTest, SortsByteWiseAndMatchesPatterns) {
  ScopedTempDir dir;
  const Strings files = {"b.txt",      "a.txt",         "B.txt",     "\xC3\xA9.txt",       "readme",
                         "readme.txt", "readmes",       "00001.yml", "0001.yml",           "000001.yml",
                         "abcde.yml",  "00002.yml.tmp", "00003.YML", std::string(200, 'a')};
  for (const std::string& name : files) WriteFile(dir.Path() / name, "x");
  fs::create_directory(dir.Path() / "Zeta");
  auto find = [&](const std::string& pattern) { return FindFiles(dir.Str() + "\\" + pattern); };

  const auto all = find("*");
  const Strings names = Names(all);
  EXPECT_EQ(names.size(), files.size() + 1);
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));  // byte-wise: "B" < "Z" < "a" < "\xC3"
  for (const FoundEntry& e : all) EXPECT_EQ(e.isFolder, e.name == "Zeta") << e.name;
  EXPECT_EQ(Names(find("*.*")), names);  // names without a dot too

  const std::pair<const char*, Strings> cases[] = {
      {"readme.*", {"readme", "readme.txt"}},                           // also the bare name
      {"*.yml", {"000001.yml", "00001.yml", "0001.yml", "abcde.yml"}},  // neither ".tmp" nor ".YML"
      {"?????.yml", {"00001.yml", "abcde.yml"}},
      {"0?0*1.yml", {"000001.yml", "00001.yml", "0001.yml"}},
      {"00001.yml", {"00001.yml"}},
      {"missing.yml", {}},
      {"nowhere\\*", {}},
      {"", {}},
      {"*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b", {}},  // many stars against a long name finish quickly
  };
  for (const auto& [pattern, expected] : cases) EXPECT_EQ(Names(find(pattern)), expected) << pattern;
  EXPECT_TRUE(FindFiles("").empty());
  testing_support::ScopedCwd cwd(dir.Path());  // relative patterns resolve from the current folder
  EXPECT_EQ(Names(FindFiles("*.txt")), (Strings{"B.txt", "a.txt", "b.txt", "readme.txt", "\xC3\xA9.txt"}));
}

TEST(FolderTest, MakeFolderMakesOneLevelRemoveFileOnlyFiles) {
  ScopedTempDir dir;
  EXPECT_TRUE(MakeFolder(dir.Str() + "\\save"));
  EXPECT_TRUE(MakeFolder(dir.Str() + "\\save"));  // already there
  EXPECT_FALSE(MakeFolder(dir.Str() + "\\a\\b"));
  WriteFile(dir.Path() / "file", "x");
  EXPECT_FALSE(MakeFolder(dir.Str() + "\\file"));
  EXPECT_FALSE(PathIs(dir.Str() + "\\save", false) || PathIs(dir.Str() + "\\file", true));
  EXPECT_FALSE(RemoveFile(dir.Str() + "\\save"));
  EXPECT_TRUE(RemoveFile(dir.Str() + "\\file"));
  EXPECT_FALSE(PathIs(dir.Str() + "\\file", false));
}

TEST(MoveReplaceTest, ReplacesOrCreatesTheTargetAndKeepsItWhenTheSourceIsMissing) {
  ScopedTempDir dir;
  WriteFile(dir.Path() / "config.yml", "old");
  WriteFile(dir.Path() / "config.yml.tmp", "new\n");
  EXPECT_TRUE(MoveReplace(dir.Str() + "\\config.yml.tmp", dir.Str() + "\\config.yml"));
  EXPECT_EQ(ReadFile(dir.Path() / "config.yml"), "new\n");
  EXPECT_EQ(Names(FindFiles(dir.Str() + "\\*")), Strings{"config.yml"});
  EXPECT_FALSE(MoveReplace(dir.Str() + "\\config.yml.tmp", dir.Str() + "\\config.yml"));
  EXPECT_EQ(ReadFile(dir.Path() / "config.yml"), "new\n");
  WriteFile(dir.Path() / "a.tmp", "data");
  EXPECT_TRUE(MoveReplace(dir.Str() + "\\a.tmp", dir.Str() + "\\a"));
  EXPECT_EQ(ReadFile(dir.Path() / "a"), "data");
}

TEST(CopyFileTest, CopiesEveryByteButNeverOverwritesNorLeavesAPartialTarget) {
  ScopedTempDir dir;
  std::string bytes(200 * 1024, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + i / 300);
  WriteFile(dir.Path() / "src", bytes);
  EXPECT_TRUE(CopyFileKeepExisting(dir.Str() + "\\src", dir.Str() + "\\dst"));
  EXPECT_EQ(ReadFile(dir.Path() / "dst"), bytes);
  WriteFile(dir.Path() / "dst", "user's own");
  EXPECT_FALSE(CopyFileKeepExisting(dir.Str() + "\\src", dir.Str() + "\\dst"));
  EXPECT_EQ(ReadFile(dir.Path() / "dst"), "user's own");
  EXPECT_FALSE(CopyFileKeepExisting(dir.Str() + "\\src", dir.Str() + "\\src"));  // onto itself
  EXPECT_EQ(ReadFile(dir.Path() / "src"), bytes);
  EXPECT_FALSE(CopyFileKeepExisting(dir.Str() + "\\missing", dir.Str() + "\\a"));
  EXPECT_FALSE(CopyFileKeepExisting(dir.Str(), dir.Str() + "\\b"));  // a folder
  EXPECT_FALSE(fs::exists(dir.Path() / "a") || fs::exists(dir.Path() / "b"));
}

TEST(ReadFileTest, BinaryKeepsEveryByteTextDropsCarriageReturnsBeforeLineFeeds) {
  ScopedTempDir dir;
  const std::string bytes("a\r\nb\0c\r\x1a\xff", 9);
  WriteFile(dir.Path() / "f", bytes);
  EXPECT_EQ(ReadBinaryFile(dir.Str() + "\\f"), bytes);
  WriteFile(dir.Path() / "t", "a\r\nb\rc\r\r\nd\n\r");
  EXPECT_EQ(ReadTextFile(dir.Str() + "\\t"), "a\nb\rc\r\nd\n\r");
  WriteFile(dir.Path() / "empty", "");
  EXPECT_EQ(ReadBinaryFile(dir.Str() + "\\empty"), std::string());
  EXPECT_FALSE(ReadTextFile(dir.Str() + "\\missing"));
}

// Only regular files open: a folder, a never-ending device or a pipe without a
// writer is refused at once, neither waited on nor read without end.
TEST(OpenRegularFileTest, OnlyRegularFilesOpenAndNothingWaits) {
  ScopedTempDir dir;
  WriteFile(dir.Path() / "plain", "abc");
  ASSERT_EQ(mkfifo((dir.Path() / "pipe").c_str(), 0600), 0);
  fs::create_directory(dir.Path() / "folder.dat");
  fs::create_symlink(dir.Path() / "plain", dir.Path() / "link");
  for (const std::string name : {"pipe", "folder.dat", "missing"}) {
    EXPECT_EQ(OpenRegularFile(dir.Str() + "\\" + name), nullptr) << name;
    EXPECT_FALSE(ReadBinaryFile(dir.Str() + "\\" + name)) << name;
  }
  EXPECT_FALSE(OpenRegularFile("/dev/zero") || ReadBinaryFile("/dev/zero"));

  const FilePtr file = OpenRegularFile(dir.Str() + "\\link");
  ASSERT_NE(file, nullptr);
  char bytes[8] = {};
  EXPECT_EQ(std::fread(bytes, 1, sizeof bytes, file.get()), 3u);
  EXPECT_EQ(std::string(bytes), "abc");

  std::vector<std::pair<std::string, bool>> regular;
  for (const FoundEntry& e : FindFiles(dir.Str() + "\\*")) regular.emplace_back(e.name, e.isRegular);
  EXPECT_EQ(regular, (std::vector<std::pair<std::string, bool>>{
                         {"folder.dat", false}, {"link", true}, {"pipe", false}, {"plain", true}}));
}

// A writer opens only a regular file, truncating it: a pipe without a reader,
// a device or a folder in its place is refused at once and left as it is.
TEST(OpenRegularForWritingTest, RefusesAtOnceWhatIsNotARegularFile) {
  ScopedTempDir dir;
  ASSERT_EQ(mkfifo((dir.Path() / "pipe").c_str(), 0600), 0);
  fs::create_directory(dir.Path() / "folder");
  bool notRegular = false;
  int error = 0;
  ASSERT_TRUE(ReturnsWithoutReader(dir.Path() / "pipe", [&] {
    EXPECT_EQ(OpenRegularForWriting(dir.Str() + "\\pipe", &notRegular), nullptr);
    error = errno;
  }));
  EXPECT_TRUE(notRegular);
  EXPECT_EQ(error, EINVAL);
  EXPECT_TRUE(fs::is_fifo(dir.Path() / "pipe"));
  EXPECT_EQ(OpenRegularForWriting("/dev/null", &notRegular), nullptr);
  EXPECT_EQ(OpenRegularForWriting(dir.Str() + "\\folder", &notRegular), nullptr);
  EXPECT_EQ(errno, EISDIR);
  EXPECT_EQ(OpenRegularForWriting(dir.Str() + "\\missing\\f", &notRegular), nullptr);
  EXPECT_FALSE(notRegular);  // a missing folder is an ordinary failure

  WriteFile(dir.Path() / "plain", "old and long");
  const FilePtr file = OpenRegularForWriting(dir.Str() + "\\plain", &notRegular);
  ASSERT_NE(file, nullptr);
  std::fputs("new", file.get());
  std::fflush(file.get());
  EXPECT_EQ(ReadFile(dir.Path() / "plain"), "new");
}

}  // namespace
