// The folder utilities' clean-up at start: the ".tmp" files of writes cut
// short go, and nothing else does.
#include "framework/FileUtils.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "tests/support/TestSupport.h"

namespace fs = std::filesystem;

TEST(FileUtils, LeftoverTempFilesOfTheUserFolderGoAndNothingElse) {
  testing_support::ScopedTempDir dir;
  const fs::path user = dir.Path();
  for (const char* sub : {"players", "save", "save/old", "folder.tmp"}) fs::create_directories(user / sub);
  const char* leftovers[] = {"config.yml.tmp", "stats.dat.tmp", "players/00001.yml.tmp", "save/00003.yml.tmp"};
  const char* kept[] = {"config.yml", "stats.dat", "save/00003.yml", "save/old/00001.yml.tmp", "save/notes.tmpl"};
  for (const char* name : leftovers) testing_support::WriteFile(user / name, "cut short");
  for (const char* name : kept) testing_support::WriteFile(user / name, "whole");
  ASSERT_EQ(mkfifo((user / "save/pipe.tmp").c_str(), 0600), 0);
  // Empty: a number a new quest held, unless it is of a save that exists.
  testing_support::WriteFile(user / "save/00004.yml.tmp", "");
  testing_support::WriteFile(user / "save/00003.yml.tmp", "");

  LeftoverTempFiles found = RemoveLeftoverTempFiles(dir.Str() + "\\");
  EXPECT_EQ(found.heldSaveNumbers, std::vector<std::string>{dir.Str() + "\\save\\00004.yml.tmp"});
  std::vector<std::string>& removed = found.cutWrites;
  std::ranges::sort(removed);
  std::vector<std::string> expected;
  for (const char* name : {"\\config.yml.tmp", "\\players\\00001.yml.tmp", "\\save\\00003.yml.tmp", "\\stats.dat.tmp"})
    expected.push_back(dir.Str() + name);
  EXPECT_EQ(removed, expected);
  for (const char* name : leftovers) EXPECT_FALSE(fs::exists(user / name)) << name;
  for (const char* name : kept) EXPECT_EQ(testing_support::ReadFile(user / name), "whole") << name;
  EXPECT_TRUE(fs::is_directory(user / "folder.tmp"));
  EXPECT_TRUE(fs::is_fifo(user / "save/pipe.tmp"));
}
