// The selections of the profile and two-player screens and the scroll bars
// that show them: the profile list, the two profile panels of the computer
// and hot-seat setups, and the player's panel of the network setups, kept
// in step with the profile summaries. Main thread only.
#pragma once

#include <array>

class ScreenModes;
class UIControl;
class UIScrollBar;

class ScreenLists {
 public:
  // Rows the profile list and the save selection show at a time.
  static constexpr int kListRows = 4;

  // `modes` outlives this object.
  explicit ScreenLists(ScreenModes& modes);

  // The profile screen's "sbar" and `selectedProfile` (reset: both to the
  // top); "edit" is enabled only while a profile exists, "delete" only
  // while more than one does. Nothing without the bar.
  void RefreshProfileList(UIControl* screen, bool reset);
  // A computer or hot-seat setup's "sbar0" and "sbar1", one profile each,
  // and `hotseatProfiles` (reset: both the first profile that can play);
  // "start" as EnableTwoProfileStart. Nothing unless both bars exist.
  void RefreshTwoProfileLists(UIControl* screen, bool reset);
  // A computer or hot-seat setup's "start": enabled only while both bars
  // show a profile that can play.
  void EnableTwoProfileStart(const UIControl* screen) const;
  // A network setup's "sbar0" and `hotseatProfiles`[0] (reset: the first
  // profile that can play, and none counts as sent); "start" disabled,
  // "apply" enabled; the local-network setup (no visible "ip") looks for a
  // game by broadcast at once. Nothing without the bar.
  void RefreshNetworkScreen(UIControl* screen, bool reset);
  // Whether profile n exists and gives a hero (a damaged one does not).
  bool Playable(int n) const;

  // The selected profile of the profile list (-1: none).
  int selectedProfile = 0;
  // The profiles chosen on the setups, one per side.
  std::array<int, 2> hotseatProfiles{};

 private:
  // The first profile that can play; 0 when none can.
  int FirstPlayable() const;

  ScreenModes& modes_;
};

// A list of `count` entries under `bar`, `kListRows` at a time: reset puts
// `selected` and the bar at the top; the bar hides (at the top) while every
// entry fits; `selected` is brought into the visible rows, then below
// `count` (-1 for an empty list).
void RefreshListBar(UIScrollBar& bar, int& selected, int count, bool reset);
// `selected` brought into the rows the bar shows, then below `count`.
int KeepInView(int selected, const UIScrollBar& bar, int count);
// The edit "ip" of a network setup when it is shown (the internet setup),
// else null (the local-network setup).
UIControl* VisibleHostEdit(const UIControl* screen);
