// A profile created when the user folder has no "players" folder (deleted
// by the player, or never seeded): the folder is made again and the new
// profile is written and listed, not lost.
#include <gtest/gtest.h>

#include <filesystem>

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
