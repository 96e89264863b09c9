// The hero-skill screen: a hero's unspent points spent on its four element
// skills (air, fire, earth, water). A skill goes down only to the value the
// record holds, so points spent in an earlier visit stay spent. Works on the
// loaded screen and the UI root, so tests drive it without a window.
// Main thread only.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

class UIControl;
class UIRoot;
class YPlayerHero;

class SkillScreen {
 public:
  // `screen` is the slot the loaded skill screen lives in (read at every
  // use, so a reload is seen); `stored` hears of a hero whose values "ok"
  // has written back. The UI root and the slot outlive this object.
  SkillScreen(UIRoot& ui, const std::unique_ptr<UIControl>& screen, std::function<void(YPlayerHero*)> stored);

  // Fills the screen for `hero` and opens it as a modal. The hero is not
  // owned and must live while the screen is open. Null: nothing.
  void Show(YPlayerHero* hero);
  // A click on the open screen: "ok" writes the values and the points left
  // back into the hero and closes; "plus" / "minus" + digit k raise or
  // lower skill k where the buttons allow it. Other names do nothing.
  void OnClick(std::string_view name);
  // Shows the points left and the four values, sets the bars and enables
  // each button only where its step is allowed.
  void UpdateSkillPoints();

  // Whether skill k (0-3) may go up a point / down a point now.
  bool CanRaise(int k) const;
  bool CanLower(int k) const;

  YPlayerHero* skillHero = nullptr;  // null while no hero is shown
  std::array<std::int32_t, 4> skillValues{};
  std::int32_t skillPointsLeft = 0;
  float skillBarScale = 1.0f;  // the screen width of one skill point

 private:
  // The highest value skill k can reach with the hero's points.
  std::int32_t Reachable(int k) const;
  // The level's limit of skill k.
  std::int32_t Limit(int k) const;
  std::int32_t Cost(int k) const;
  void FillHeader(UIControl* screen) const;
  void Store();

  UIRoot& ui_;
  const std::unique_ptr<UIControl>& screen_;
  std::function<void(YPlayerHero*)> stored_;
};
