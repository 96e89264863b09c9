// The texts of the player panels and save rows: locale formats are filled
// only with their own arguments, whatever conversions a translation holds.
#include "game/screens/PlayerPanels.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "framework/YLocale.h"
#include "modes/SaveInfo.h"
#include "players/ProfileInfo.h"
#include "tests/support/TestSupport.h"

namespace {

TEST(PlayerPanels, LocaleFormatsTakeOnlyTheirOwnArguments) {
  testing_support::ScopedTempDir dir;
  testing_support::WriteFile(dir.File("locale.yml"),
                             "<str name=\"ss_info1\">%s of %d %d %n</str>\n"
                             "<str name=\"ss_info2\">%d/%s</str>\n"
                             "<str name=\"mp_info1\">Level %d</str>\n"
                             "<str name=\"mp_info2\">%s%s%s</str>\n"
                             "<str name=\"profile_damaged\">Damaged</str>\n");
  GetLocale().Load(dir.File("locale.yml"));
  SaveInfo save;
  save.name = "Mira";
  save.level = 2;
  save.experience = 40;
  const PanelLines saveLines = SaveLines(save, "Adept");
  EXPECT_EQ(saveLines.first, "3 of 40  %n");
  EXPECT_EQ(saveLines.second, "Adept/");
  ProfileInfo profile;
  profile.level = std::numeric_limits<std::int32_t>::max();  // shown from 1 without wrapping
  profile.monsters = 7;
  const PanelLines profileLines = ProfileLines(profile);
  EXPECT_EQ(profileLines.first, "Level 2147483648");
  EXPECT_EQ(profileLines.second, "7");
  // A profile that gave no hero shows its file's name, told as damaged.
  const ProfileInfo damaged{"00002.yml", nullptr, 0, 0, false};
  EXPECT_EQ(ProfileLines(damaged).first, "Damaged");
  EXPECT_EQ(ProfileLines(damaged).second, "");
  GetLocale().Load("");
}

}  // namespace
