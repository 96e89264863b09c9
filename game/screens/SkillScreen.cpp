#include "game/screens/SkillScreen.h"

#include <algorithm>
#include <string>
#include <utility>

#include "game/screens/ScreenControls.h"
#include "game/screens/ScreenTexts.h"
#include "players/YPlayerHero.h"
#include "ui/UIControl.h"
#include "ui/UIImage.h"
#include "ui/UIRoot.h"
#include "ui/UISpeedButton.h"

namespace {
constexpr int kSkills = 4;

std::string Numbered(const char* prefix, int k) {
  return prefix + std::to_string(k);
}

// The skill named by the last character of a "plus" or "minus" button:
// -1 when the name is not `prefix` and one digit 0-3.
int SkillOf(std::string_view name, std::string_view prefix) {
  if (name.size() != prefix.size() + 1 || !name.starts_with(prefix)) return -1;
  const char digit = name.back();
  return digit >= '0' && digit < '0' + kSkills ? digit - '0' : -1;
}

void SetEnabled(UIControl* screen, const std::string& name, bool enabled) {
  if (auto* button = ChildOf<UISpeedButton>(screen, name)) button->SetEnabled(enabled);
}
}  // namespace

SkillScreen::SkillScreen(UIRoot& ui, const std::unique_ptr<UIControl>& screen,
                         std::function<void(YPlayerHero*)> stored)
    : ui_(ui), screen_(screen), stored_(std::move(stored)) {}

std::int32_t SkillScreen::Limit(int k) const {
  return skillHero->startValues[k] + skillHero->level;
}

std::int32_t SkillScreen::Cost(int k) const {
  return skillHero->skillCosts[k];
}

// A skill without a price above 0 cannot be bought (as everywhere else in
// the game), so it reaches no further than it stands.
std::int32_t SkillScreen::Reachable(int k) const {
  const std::int32_t stored = skillHero->baseMana[k];
  if (Cost(k) <= 0) return stored;
  return std::min(Limit(k), stored + skillHero->points / Cost(k));
}

bool SkillScreen::CanRaise(int k) const {
  if (skillHero == nullptr || k < 0 || k >= kSkills) return false;
  return Cost(k) > 0 && Cost(k) <= skillPointsLeft && skillValues[k] < Limit(k);
}

bool SkillScreen::CanLower(int k) const {
  if (skillHero == nullptr || k < 0 || k >= kSkills) return false;
  return skillValues[k] > skillHero->baseMana[k];
}

void SkillScreen::Show(YPlayerHero* hero) {
  if (hero == nullptr) return;
  skillHero = hero;
  skillPointsLeft = hero->points;
  UIControl* screen = screen_.get();
  FillHeader(screen);
  // The widest bar belongs to the highest value any skill can show.
  std::int32_t largest = 0;
  for (int k = 0; k < kSkills; ++k) {
    skillValues[k] = hero->baseMana[k];
    largest = std::max({largest, skillValues[k], Reachable(k)});
    screen_texts::SetText(screen, Numbered("skill", k), std::to_string(Cost(k)), screen_texts::kCentred);
  }
  // Nothing to reach keeps the scale: every bar is empty anyway.
  if (const UIControl* bar = ChildOf<UIControl>(screen, "bar"); bar != nullptr && largest > 0)
    skillBarScale = bar->rect.width / static_cast<float>(largest);
  UpdateSkillPoints();
  ui_.PushModal(screen);
}

void SkillScreen::FillHeader(UIControl* screen) const {
  if (auto* face = ChildOf<UIImage>(screen, "face")) {
    face->texture = skillHero->GetFace();
    if (face->texture != nullptr)
      face->Show();
    else
      face->Hide();  // the layout's own picture is not this hero
  }
  screen_texts::SetText(screen, "name", skillHero->name, screen_texts::kNumber);
}

void SkillScreen::UpdateSkillPoints() {
  UIControl* screen = screen_.get();
  if (skillHero == nullptr || screen == nullptr) return;
  screen_texts::SetText(screen, "points", std::to_string(skillPointsLeft), screen_texts::kNumber);
  for (int k = 0; k < kSkills; ++k) {
    SetEnabled(screen, Numbered("minus", k), CanLower(k));
    SetEnabled(screen, Numbered("plus", k), CanRaise(k));
    screen_texts::SetText(screen, Numbered("mana", k), std::to_string(skillValues[k]),
                          screen_texts::kCentred);
    if (auto* bar = ChildOf<UIImage>(screen, Numbered("bar", k)))
      bar->rect.width = static_cast<float>(std::max(skillValues[k], 0)) * skillBarScale;
  }
}

void SkillScreen::OnClick(std::string_view name) {
  if (skillHero == nullptr) return;
  if (name == "ok") return Store();
  if (const int k = SkillOf(name, "plus"); CanRaise(k)) {
    ++skillValues[k];
    skillPointsLeft -= Cost(k);
  } else if (const int j = SkillOf(name, "minus"); CanLower(j)) {
    --skillValues[j];
    skillPointsLeft += Cost(j);
  } else {
    return;
  }
  UpdateSkillPoints();
}

// The hero keeps the new values; the screen lets go of it, so a second
// "ok" while the screen shrinks changes nothing.
void SkillScreen::Store() {
  YPlayerHero* hero = std::exchange(skillHero, nullptr);
  for (int k = 0; k < kSkills; ++k) hero->baseMana[k] = skillValues[k];
  hero->points = skillPointsLeft;
  if (stored_) stored_(hero);
  ui_.CloseModal();
}
