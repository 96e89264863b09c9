// The portrait rule on the shipped new-hero dialog with a catalogue of an
// origin with both faces and one with each single face.
#include "game/screens/HeroPortrait.h"

#include <gtest/gtest.h>

#include "players/YHeroRace.h"
#include "players/YHeroReader.h"
#include "render/YTextureBase.h"
#include "tests/support/TestSupport.h"
#include "ui/UICombobox.h"
#include "ui/UIEvent.h"
#include "ui/UIImage.h"
#include "ui/UIParser.h"

namespace {

enum Origin { kBoth, kMaleOnly, kFemaleOnly };

struct HeroPortraitTest : ::testing::Test {
  HeroPortraitTest() {
    saved.swap(HeroRaces());
    const char* faces[3][2] = {{"a_m", "a_f"}, {"b_m", nullptr}, {nullptr, "c_f"}};
    for (const auto& [male, female] : faces) {
      YHeroRace& race = HeroRaces().emplace_back();
      if (male) (race.male = std::make_unique<YHeroType>())->face = male;
      if (female) (race.female = std::make_unique<YHeroType>())->face = female;
    }
    UIParser::LoadLayout("ui\\english\\styles.yml");
    dialog = UIParser::LoadLayout("ui\\english\\newHero.yml");
    origin = dynamic_cast<UICombobox*>(dialog->FindChild("origin"));
    gender = dynamic_cast<UICombobox*>(dialog->FindChild("gender"));
  }
  ~HeroPortraitTest() override { saved.swap(HeroRaces()); }
  void Choose(int race) {
    origin->SetCurrent(race);
    portrait.Apply(dialog.get());
  }
  std::string Face() const { return dynamic_cast<UIImage&>(*dialog->FindChild("face")).texture->name(); }

  testing_support::ScopedCwd cwd{QV_GAME_DIR};
  std::vector<YHeroRace> saved;
  std::unique_ptr<UIControl> dialog;
  UICombobox* origin = nullptr;
  UICombobox* gender = nullptr;
  HeroPortrait portrait;
};

TEST_F(HeroPortraitTest, OneFaceForcesAndLocksTheGenderAndBothFacesRestoreTheChoice) {
  gender->SetCurrent(0);
  Choose(kMaleOnly);
  EXPECT_EQ(Face(), "textures\\b_m");
  Choose(kFemaleOnly);
  EXPECT_EQ(gender->GetCurrent(), 1);
  EXPECT_EQ(gender->State(), UICombobox::kDisabled);
  EXPECT_EQ(Face(), "textures\\c_f");
  Choose(kBoth);  // the choice made before the first forced origin
  EXPECT_EQ(gender->GetCurrent(), 0);
  EXPECT_NE(gender->State(), UICombobox::kDisabled);
  EXPECT_EQ(Face(), "textures\\a_m");
}

// The application runs the rule on every selection change, and the combo
// box reports the rule's own selections too.
TEST_F(HeroPortraitTest, TheRulesOwnSelectionsDoNotRunItAgain) {
  struct Listener : UIEvent {
    void OnEvent(int, UIControl* sender) override {
      if (++calls < 50) portrait->OnSelectionChanged(state, sender);
    }
    HeroPortrait* portrait = nullptr;
    std::uint32_t state = 0x14;
    int calls = 0;
  } listener;
  listener.portrait = &portrait;
  dialog->listener = &listener;
  gender->SetCurrent(1);
  origin->SetCurrent(kMaleOnly);
  origin->SetCurrent(kBoth);
  EXPECT_EQ(gender->GetCurrent(), 1);
  EXPECT_LT(listener.calls, 10);
  listener.state = 4;  // no hero dialog open: not the rule's change
  origin->SetCurrent(kMaleOnly);
  EXPECT_EQ(gender->GetCurrent(), 1);
  dialog->listener = nullptr;
}

}  // namespace
