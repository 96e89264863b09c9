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

// One profile per bar: the bar's position, held to the list, is the
// chosen profile.
int OneProfileBar(UIScrollBar& bar, int profiles, int position) {
  bar.SetRange(position, profiles, 1);
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

bool ScreenLists::Playable(int n) const {
  return n >= 0 && n < modes_.ProfileCount() && modes_.ProfileSummary(n).readable;
}

// Damaged profiles keep their places in the list (the newest first), so a
// setup opens on the first one that can play; on none when no profile can.
int ScreenLists::FirstPlayable() const {
  const int profiles = modes_.ProfileCount();
  for (int n = 0; n < profiles; ++n)
    if (Playable(n)) return n;
  return 0;
}

void ScreenLists::RefreshTwoProfileLists(UIControl* screen, bool reset) {
  UIScrollBar* first = BarOf(screen, "sbar0");
  UIScrollBar* second = BarOf(screen, "sbar1");
  if (first == nullptr || second == nullptr) return;
  const int profiles = modes_.ProfileCount();
  const int start = FirstPlayable();
  hotseatProfiles[0] = OneProfileBar(*first, profiles, reset ? start : first->GetPos());
  hotseatProfiles[1] = OneProfileBar(*second, profiles, reset ? start : second->GetPos());
  EnableTwoProfileStart(screen);
}

void ScreenLists::EnableTwoProfileStart(const UIControl* screen) const {
  const UIScrollBar* first = BarOf(screen, "sbar0");
  const UIScrollBar* second = BarOf(screen, "sbar1");
  if (first == nullptr || second == nullptr) return;
  EnableButton(screen, "start", Playable(first->GetPos()) && Playable(second->GetPos()));
}

void ScreenLists::RefreshNetworkScreen(UIControl* screen, bool reset) {
  UIScrollBar* bar = BarOf(screen, "sbar0");
  if (bar == nullptr) return;
  if (reset) modes_.ForgetSentProfile();
  hotseatProfiles[0] = OneProfileBar(*bar, modes_.ProfileCount(), reset ? FirstPlayable() : bar->GetPos());
  EnableButton(screen, "start", false);
  EnableButton(screen, "apply", true);
  if (VisibleHostEdit(screen) == nullptr) modes_.Connect("");
}
