// The portrait rule on the shipped new-hero dialog with a catalogue of one
// origin with both faces and one with each single face: the gender forced
// and locked, the earlier choice restored, and the rule's own selection
// changes not running it again.
#include "game/screens/HeroPortrait.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "players/YHeroRace.h"
#include "players/YHeroReader.h"
#include "render/YTextureBase.h"
#include "tests/support/TestSupport.h"
#include "ui/UICombobox.h"
#include "ui/UIControl.h"
#include "ui/UIEvent.h"
#include "ui/UIImage.h"
#include "ui/UIParser.h"

namespace {

enum Origin { kBoth, kMaleOnly, kFemaleOnly };

YHeroRace Race(const char* male, const char* female) {
  YHeroRace race;
  if (*male != '\0') race.male = std::make_unique<YHeroType>();
  if (*female != '\0') race.female = std::make_unique<YHeroType>();
  if (race.male) race.male->face = male;
  if (race.female) race.female->face = female;
  return race;
}

struct HeroPortraitTest : ::testing::Test {
  HeroPortraitTest() {
    saved.swap(HeroRaces());
    HeroRaces().push_back(Race("heroes\\a_m.tga", "heroes\\a_f.tga"));
    HeroRaces().push_back(Race("heroes\\b_m.tga", ""));
    HeroRaces().push_back(Race("", "heroes\\c_f.tga"));
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
  std::string Face() const { return dynamic_cast<UIImage*>(dialog->FindChild("face"))->texture->name(); }
  bool Locked() const { return gender->State() == UICombobox::kDisabled; }

  testing_support::ScopedCwd cwd{QV_GAME_DIR};
  std::vector<YHeroRace> saved;
  std::unique_ptr<UIControl> dialog;
  UICombobox* origin = nullptr;
  UICombobox* gender = nullptr;
  HeroPortrait portrait;
};

TEST_F(HeroPortraitTest, OneFaceForcesAndLocksTheGenderAndBothFacesRestoreTheChoice) {
  gender->SetCurrent(0);
  Choose(kFemaleOnly);
  EXPECT_EQ(gender->GetCurrent(), 1);
  EXPECT_TRUE(Locked());
  EXPECT_EQ(Face(), "textures\\heroes\\c_f.tga");
  Choose(kMaleOnly);
  EXPECT_EQ(gender->GetCurrent(), 0);
  EXPECT_EQ(Face(), "textures\\heroes\\b_m.tga");
  Choose(kFemaleOnly);
  Choose(kBoth);  // the choice made before the first forced origin
  EXPECT_EQ(gender->GetCurrent(), 0);
  EXPECT_FALSE(Locked());
  EXPECT_EQ(portrait.savedGender, -1);
  EXPECT_EQ(Face(), "textures\\heroes\\a_m.tga");
  gender->SetCurrent(1);
  portrait.Apply(dialog.get());
  EXPECT_EQ(Face(), "textures\\heroes\\a_f.tga");
}

// The dialog's listener runs the rule on every selection change, as the
// application does; the combo box reports the rule's own selections too.
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
  EXPECT_EQ(gender->GetCurrent(), 0);
  origin->SetCurrent(kBoth);
  EXPECT_EQ(gender->GetCurrent(), 1);
  EXPECT_LT(listener.calls, 10);

  listener.state = 4;  // no hero dialog open: the change is not the rule's
  origin->SetCurrent(kMaleOnly);
  EXPECT_EQ(gender->GetCurrent(), 1);
  dialog->listener = nullptr;
}

}  // namespace
