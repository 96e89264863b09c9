// Profiles and the folder they live in: a profile created when the user
// folder has no "players" folder (deleted by the player, or never seeded) is
// written and listed, not lost; one that cannot be written is told.
#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

#include "framework/FileAlerts.h"
#include "players/PlayerProfiles.h"
#include "tests/players/PlayersFixture.h"

namespace {

using ProfileFolderTest = PlayersTest;

TEST_F(ProfileFolderTest, ANewProfileMakesTheMissingFolderAndIsKept) {
  std::filesystem::remove_all(PlayersFolder());
  ScanPlayerProfiles();
  ASSERT_TRUE(CreatePlayerProfile("Ayla", 0, 1, 3, 3));
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(PlayersFolder()) / "00000.yml"));
  ScanPlayerProfiles();
  EXPECT_EQ(ProfileFiles(), std::vector<std::string>{"00000.yml"});
}

}  // namespace

// A profile that cannot be written (a full disk) is not listed, its old file
// stays whole, and the player is told, for a new one and an edited one alike,
// at every try.
TEST_F(ProfileFolderTest, AProfileThatCannotBeWrittenKeepsTheOldFileAndIsTold) {
  ScanPlayerProfiles();
  ASSERT_TRUE(CreatePlayerProfile("Ayla", 0, 1, 3, 3));
  const std::filesystem::path file = std::filesystem::path(PlayersFolder()) / "00000.yml";
  const std::string before = testing_support::ReadFile(file);
  FileAlerts::Reset();
  testing_support::ScopedWriteFault full(".yml.tmp");
  CurrentPlayer()->gold += 100;
  SaveCurrentProfile();
  EXPECT_EQ(testing_support::ReadFile(file), before);
  EXPECT_FALSE(CreatePlayerProfile("Bo", 0, 0, 0, 1));
  EXPECT_EQ(ProfileFiles(), std::vector<std::string>{"00000.yml"});
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(PlayersFolder()), {}), 1);
  FileAlerts::Unsaved what{};
  EXPECT_TRUE(FileAlerts::TakeFailedSave(what) && what == FileAlerts::Unsaved::kProfile);
  EXPECT_FALSE(FileAlerts::TakeFailedSave(what)) << "told once while it waits";
  EXPECT_FALSE(CreatePlayerProfile("Cy", 0, 0, 0, 1));
  EXPECT_TRUE(FileAlerts::TakeFailedSave(what)) << "the player's next try is told too";
}
