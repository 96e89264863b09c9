// The hall of fame's rows on the shipped screens of both languages: the
// record's cells, scores times 5, the rows below the last record empty and
// the difficulty named in the screen's language.
#include "game/screens/HallOfFameScreen.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "game/screens/GameScreens.h"
#include "players/PlayerRules.h"
#include "render/YFont.h"
#include "tests/support/TestSupport.h"
#include "ui/UICombobox.h"
#include "ui/UIControl.h"
#include "ui/UIParser.h"
#include "ui/UIQuads.h"
#include "ui/UIText.h"

namespace {

const UIText* Cell(const UIControl& screen, const std::string& name) {
  return dynamic_cast<const UIText*>(screen.FindChild(name));
}

std::string TextOf(const UIControl& screen, const std::string& name) {
  const UIText* text = Cell(screen, name);
  return text != nullptr && !text->Runs().empty() ? text->Runs().front().text : "";
}

struct HallOfFameScreenTest : ::testing::Test {
  void Load(const std::string& language) {
    // The fonts' widths, which the cells are measured with.
    for (const auto& file : std::filesystem::directory_iterator(std::string(QV_GAME_DIR) + "/fonts"))
      if (file.path().extension() == ".dat") YFont::Find(file.path().stem().string())->LoadData(file.path().string());
    const std::string prefix = "ui\\" + language + "\\";
    UIParser::LoadLayout(prefix + "styles.yml");
    screens.Load(prefix, nullptr);
    difficulties = dynamic_cast<const UICombobox*>(screens.newHeroScreen->FindChild("difficulty"));
    ASSERT_NE(difficulties, nullptr);
  }
  testing_support::ScopedCwd cwd{QV_GAME_DIR};
  GameScreens screens;
  const UICombobox* difficulties = nullptr;
  // Fights lost (3, 9) differ from levels lost (1, 4), which "loss" shows.
  // Bo's name is longer than the name boxes take.
  std::vector<ScoreRecord> records{{"Ilsa", 7, 0, 0, 2, 18, 3, 1, 0, 37},
                                   {"Bo" + std::string(1000, 'W'), 3, 0, 0, 0, 5, 9, 4, 0, 0}};
};

TEST_F(HallOfFameScreenTest, RowsShowTheRecordsAndClearTheRest) {
  Load("english");
  HallOfFameScreen::Fill(screens.hallOfFameScreen.get(), records, difficulties);
  const UIControl& hall = *screens.hallOfFameScreen;
  EXPECT_EQ(TextOf(hall, "name0"), "Ilsa");
  EXPECT_EQ(TextOf(hall, "difficulty0"), difficulties->GetItemText(2));
  EXPECT_EQ(TextOf(hall, "level0"), "8");  // level index 7, counted from 1 as the save list does
  EXPECT_EQ(TextOf(hall, "wins0"), "18");
  EXPECT_EQ(TextOf(hall, "loss0"), "1");
  EXPECT_EQ(TextOf(hall, "scores0"), "185");
  EXPECT_EQ(TextOf(hall, "loss1"), "4");
  // A long name shows as far as a name box takes it and its cell holds it.
  const std::string shown = TextOf(hall, "name1");
  EXPECT_EQ(shown, records[1].name.substr(0, shown.size()));
  EXPECT_LE(shown.size(), kMaxHeroName);
  EXPECT_LE(GetStyledTextWidth(Cell(hall, "name1")->Runs().front().style, shown), Cell(hall, "name1")->rect.width);
  // Row 0's name keeps the layout's style, and the later cells take it.
  const UITextStyle& style = Cell(hall, "name0")->Runs().front().style;
  for (const char* cell : {"scores0", "name1", "difficulty1"}) {
    EXPECT_EQ(Cell(hall, cell)->Runs().front().style.font, style.font) << cell;
    EXPECT_EQ(Cell(hall, cell)->Runs().front().style.size, style.size) << cell;
  }
  for (int row = 2; row < HallOfFameScreen::kRows; ++row)
    for (const char* cell : {"name", "difficulty", "level", "loss", "wins", "scores"})
      EXPECT_TRUE(Cell(hall, cell + std::to_string(row))->Runs().empty()) << cell << row;
}

TEST_F(HallOfFameScreenTest, DifficultyNamesFollowTheLanguage) {
  Load("english");
  HallOfFameScreen::Fill(screens.hallOfFameScreen.get(), records, difficulties);
  const std::string english = TextOf(*screens.hallOfFameScreen, "difficulty0");
  Load("deutsch");
  HallOfFameScreen::Fill(screens.hallOfFameScreen.get(), records, difficulties);
  EXPECT_EQ(TextOf(*screens.hallOfFameScreen, "difficulty0"), difficulties->GetItemText(2));
  EXPECT_NE(TextOf(*screens.hallOfFameScreen, "difficulty0"), english);
  EXPECT_FALSE(english.empty());
}

}  // namespace
