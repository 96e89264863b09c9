// The texts of the player panels and save rows: locale formats are filled
// only with their own arguments, whatever conversions a translation holds.
#include "game/screens/PlayerPanels.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "framework/YLocale.h"
#include "modes/SaveInfo.h"
#include "players/ProfileInfo.h"
#include "render/YFont.h"
#include "tests/game/ShippedFonts.h"
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
  SaveInfo damagedSave;
  damagedSave.name = "00004.yml";
  damagedSave.readable = false;
  EXPECT_EQ(SaveLines(damagedSave, "Adept").name, "00004.yml");
  EXPECT_EQ(SaveLines(damagedSave, "Adept").first, "Damaged");
  GetLocale().Load("");
}

// A damaged file's words are read whole in every panel of both languages:
// wrapped within the text column and the panel's height, never cut.
TEST(PlayerPanels, ADamagedFilesWordsAreShownWhole) {
  testing_support::ScopedCwd cwd(QV_GAME_DIR);
  shipped_fonts::Load();
  YFont* font = GetMainFont();
  const ProfileInfo damaged{"00002.yml", nullptr, 0, 0, false};
  // The shipped setups' player panels and the list rows.
  const struct {
    PanelShape shape;
    YRect rect;
  } panels[] = {{PanelShape::kSetup, YRect(40, 95, 300, 110)},
                {PanelShape::kList, YRect(40, 62, 500, 74)},
                {PanelShape::kSave, YRect(40, 62, 500, 74)}};
  for (const char* language : {"english", "deutsch"}) {
    GetLocale().Load(std::string("ui\\") + language + "\\locale.yml");
    const std::string words = GetLocale().GetText("profile_damaged");
    for (const auto& [shape, rect] : panels) {
      const std::vector<PlacedText> texts = PanelTexts(ProfileLines(damaged), rect, shape, font);
      ASSERT_GE(texts.size(), 2u);
      EXPECT_EQ(texts[0].text, "00002.yml");
      std::string shown;
      for (std::size_t i = 1; i < texts.size(); ++i) {
        shown += (i > 1 ? " " : "") + texts[i].text;
        EXPECT_LT(font->GetTextWidth(texts[i].text) * texts[i].size, rect.x + rect.width - texts[i].x);
        EXPECT_LE(texts[i].y, rect.y + rect.height);
      }
      EXPECT_EQ(shown, words) << language << " " << rect.width;
    }
  }
  GetLocale().Load("");
}

}  // namespace
