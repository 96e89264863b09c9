#include "game/screens/HeroPortrait.h"

#include <string>
#include <vector>

#include "draw/ImageDrawing.h"
#include "game/screens/ScreenEvents.h"
#include "players/YHeroRace.h"
#include "players/YHeroReader.h"
#include "ui/UICombobox.h"
#include "ui/UIControl.h"
#include "ui/UIImage.h"

namespace {
// The face file of the origin for gender 0 or 1; empty when it has none.
std::string FaceOf(const YHeroRace& race, int gender) {
  const YHeroType* type = gender == 0 ? race.male.get() : gender == 1 ? race.female.get() : nullptr;
  return type != nullptr ? type->face : std::string();
}
}  // namespace

void HeroPortrait::OnSelectionChanged(std::uint32_t state, UIControl* sender) {
  if ((state & screen_state::kDialog) == 0 || sender == nullptr) return;
  if (sender->name == "origin" || sender->name == "gender") Apply(sender->Parent());
}

// The combo box reports every selection, also one that changes nothing, so
// the rule's own selections would run it again without end: it runs once.
void HeroPortrait::Apply(UIControl* dialog) {
  if (applying_ || dialog == nullptr) return;
  applying_ = true;
  ApplyRule(dialog);
  applying_ = false;
}

void HeroPortrait::ApplyRule(UIControl* dialog) {
  auto* origin = dynamic_cast<UICombobox*>(dialog->FindChild("origin"));
  auto* gender = dynamic_cast<UICombobox*>(dialog->FindChild("gender"));
  const std::vector<YHeroRace>& races = HeroRaces();
  if (origin == nullptr || gender == nullptr) return;
  if (origin->GetCurrent() < 0 || origin->GetCurrent() >= static_cast<int>(races.size())) return;
  const YHeroRace& race = races[static_cast<std::size_t>(origin->GetCurrent())];
  const bool male = !FaceOf(race, 0).empty();
  const bool female = !FaceOf(race, 1).empty();
  if (!male || !female) {
    if (savedGender == -1) savedGender = gender->GetCurrent();
    gender->SetCurrent(male ? 0 : 1);
    gender->SetEnabled(false);
  } else {
    gender->SetEnabled(true);
    if (savedGender != -1) gender->SetCurrent(savedGender);
    savedGender = -1;
  }
  const std::string face = FaceOf(race, gender->GetCurrent());
  auto* image = dynamic_cast<UIImage*>(dialog->FindChild("face"));
  if (image != nullptr && !face.empty()) image->texture = GetTexture("textures\\" + face);
}
