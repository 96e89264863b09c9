#include "framework/FileUtils.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/TestSupport.h"

using testing_support::ReadFile;
using testing_support::ScopedCwd;
using testing_support::ScopedTempDir;
using testing_support::WriteFile;

namespace fs = std::filesystem;

namespace {

class FileUtilsTest : public ::testing::Test {
 protected:
  ScopedTempDir dir_;
  ScopedCwd cwd_{dir_.Path()};
};

}  // namespace

TEST_F(FileUtilsTest, ListDirectoryIsSortedByteWise) {
  fs::create_directories("list/sub");
  for (const char* name : {"b.yml", "a.yml", "B.yml", "_x.txt", "\xE9.yml"}) WriteFile(fs::path("list") / name, "");
  EXPECT_EQ(ListDirectory("list\\*"),
            (std::vector<std::string>{"B.yml", "_x.txt", "a.yml", "b.yml", "sub", "\xE9.yml"}));
  EXPECT_EQ(ListDirectory("list\\*.yml"),
            (std::vector<std::string>{"B.yml", "a.yml", "b.yml", "\xE9.yml"}));
  EXPECT_TRUE(ListDirectory("missing\\*").empty());
}

TEST_F(FileUtilsTest, CopyFolderKeepsExistingFilesAndSkipsSubFolders) {
  fs::create_directories("seed/nested");
  fs::create_directories("user");
  WriteFile("seed/00001.yml", "seed one");
  WriteFile("seed/00002.yml", "seed two");
  WriteFile("seed/nested/deep.yml", "deep");
  WriteFile("user/00001.yml", "the user's own");

  EXPECT_EQ(CopyFolder("seed", "user"), 1);
  EXPECT_EQ(ReadFile("user/00001.yml"), "the user's own");
  EXPECT_EQ(ReadFile("user/00002.yml"), "seed two");
  EXPECT_FALSE(fs::exists("user/nested"));
  EXPECT_EQ(CopyFolder("missing", "user"), 0);
}

TEST_F(FileUtilsTest, MakeDirectoryMakesOneLevel) {
  EXPECT_TRUE(MakeDirectory("made"));
  EXPECT_TRUE(fs::is_directory("made"));
  EXPECT_TRUE(MakeDirectory("made"));  // already there
  EXPECT_FALSE(MakeDirectory("no\\parent"));
  EXPECT_FALSE(fs::exists("no"));
  WriteFile("plain", "");
  EXPECT_FALSE(MakeDirectory("plain"));  // a file is in the way
}
