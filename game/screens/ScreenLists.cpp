#include "game/screens/ScreenLists.h"

#include <algorithm>

#include "game/screens/ScreenControls.h"
#include "game/screens/ScreenModes.h"
#include "ui/UIButton.h"
#include "ui/UIControl.h"
#include "ui/UIEdit.h"
#include "ui/UIScrollBar.h"

namespace {

UIScrollBar* BarOf(const UIControl* screen, const char* name) {
  return ChildOf<UIScrollBar>(screen, name);
}

// One profile per bar: the bar's position is the chosen profile.
int OneProfileBar(UIScrollBar& bar, int profiles, bool reset) {
  if (reset) bar.SetPos(0);
  bar.SetRange(bar.GetPos(), profiles, 1);
  return bar.GetPos();
}

}  // namespace

int KeepInView(int selected, const UIScrollBar& bar, int count) {
  const int first = bar.GetPos();
  return std::min(std::clamp(selected, first, first + ScreenLists::kListRows - 1), count - 1);
}

void RefreshListBar(UIScrollBar& bar, int& selected, int count, bool reset) {
  if (reset) {
    selected = 0;
    bar.SetPos(0);
  }
  if (count <= ScreenLists::kListRows) {
    bar.Hide();
    bar.SetPos(0);
  } else {
    bar.Show();
    bar.SetRange(bar.GetPos(), count, ScreenLists::kListRows);
  }
  selected = KeepInView(selected, bar, count);
}

UIControl* VisibleHostEdit(const UIControl* screen) {
  auto* edit = ChildOf<UIEdit>(screen, "ip");
  return edit != nullptr && edit->IsVisible() ? edit : nullptr;
}

ScreenLists::ScreenLists(ScreenModes& modes) : modes_(modes) {}

void ScreenLists::RefreshProfileList(UIControl* screen, bool reset) {
  UIScrollBar* bar = BarOf(screen, "sbar");
  if (bar == nullptr) return;
  const int profiles = modes_.ProfileCount();
  RefreshListBar(*bar, selectedProfile, profiles, reset);
  EnableButton(screen, "edit", profiles > 0);
  EnableButton(screen, "delete", profiles > 1);
}

void ScreenLists::RefreshTwoProfileLists(UIControl* screen, bool reset) {
  UIScrollBar* first = BarOf(screen, "sbar0");
  UIScrollBar* second = BarOf(screen, "sbar1");
  if (first == nullptr || second == nullptr) return;
  const int profiles = modes_.ProfileCount();
  hotseatProfiles[0] = OneProfileBar(*first, profiles, reset);
  hotseatProfiles[1] = OneProfileBar(*second, profiles, reset);
  EnableButton(screen, "start", profiles > 0);
}

void ScreenLists::RefreshNetworkScreen(UIControl* screen, bool reset) {
  UIScrollBar* bar = BarOf(screen, "sbar0");
  if (bar == nullptr) return;
  if (reset) modes_.ForgetSentProfile();
  hotseatProfiles[0] = OneProfileBar(*bar, modes_.ProfileCount(), reset);
  EnableButton(screen, "start", false);
  EnableButton(screen, "apply", true);
  if (VisibleHostEdit(screen) == nullptr) modes_.Connect("");
}
