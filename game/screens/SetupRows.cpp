#include "game/screens/SetupRows.h"

#include "framework/YLocale.h"
#include "game/screens/GameScreens.h"
#include "game/screens/HeroPortrait.h"
#include "game/screens/ScreenControls.h"
#include "game/screens/ScreenEvents.h"
#include "game/screens/ScreenHost.h"
#include "game/screens/ScreenLists.h"
#include "game/screens/ScreenModes.h"
#include "ui/UICombobox.h"
#include "ui/UIControl.h"
#include "ui/UIEdit.h"
#include "ui/UIRoot.h"
#include "ui/UIScrollBar.h"

namespace ss = screen_state;

namespace {

constexpr std::int32_t kLevelStep = 5;  // a new profile's level: (item + 1) x 5

}  // namespace

SetupRows::SetupRows(UIRoot& ui, GameScreens& screens, ScreenHost& host, ScreenModes& modes,
                     ScreenLists& lists, HeroPortrait& portrait)
    : ui_(ui), screens_(screens), host_(host), modes_(modes), lists_(lists), portrait_(portrait) {}

std::uint32_t SetupRows::State() const {
  return host_.State();
}

void SetupRows::SetState(std::uint32_t word) const {
  host_.SetState(word);
}

UIControl* SetupRows::ActiveSetup() const {
  return ui_.GetTopModal();
}

// --- the profile screen ------------------------------------------------------------

void SetupRows::ProfileRow(UIControl* sender) {
  const std::string_view name = sender->name;
  if (ui_.GetActive() != nullptr && ui_.GetActive() == screens_.messageScreen.get()) {
    if (name != "ok") return;
    // A failure told over the list, or the other player gone: the setup
    // under the list looks for a game again.
    SetState(State() & ~ss::kNetworkAbort);
    ui_.CloseModal();
    return;
  }
  if ((State() & ss::kDeleteQuestion) != 0) return DeleteQuestionRow(name);
  if ((State() & ss::kDialog) != 0) return NewProfileRow(name);
  if (name == "cancel") {
    CloseProfiles();
  } else if (name == "new") {
    OpenNewProfile();
  } else if (name == "edit") {
    EditProfile();
  } else if (name == "delete") {
    AskDeleteProfile("delete_profile_confirm");
  } else {
    const auto* bar = ChildOf<UIScrollBar>(screens_.profilesScreen.get(), "sbar");
    const int entry = ListRowEntry(name, bar != nullptr ? bar->GetPos() : 0);
    if (entry >= 0 && entry < modes_.ProfileCount()) lists_.selectedProfile = entry;
  }
}

void SetupRows::DeleteQuestionRow(std::string_view name) {
  if (name != "yes" && name != "no") return;
  SetState(State() & ~ss::kDeleteQuestion);
  ui_.CloseModal();
  if (name == "no") return;
  if (!modes_.DeleteProfile(lists_.selectedProfile))
    host_.ShowMessage(GetLocale().GetText("profile_delete_fail_mess"));
  lists_.RefreshProfileList(screens_.profilesScreen.get(), false);
}

void SetupRows::NewProfileRow(std::string_view name) {
  if (name == "cancel") {
    SetState(State() & ~ss::kDialog);
    ui_.CloseModal();
    return;
  }
  if (name != "ok") return;
  UIControl* dialog = screens_.newProfileScreen.get();
  auto* edit = ChildOf<UIEdit>(dialog, "name");
  auto* race = ChildOf<UICombobox>(dialog, "origin");
  auto* gender = ChildOf<UICombobox>(dialog, "gender");
  auto* origin = ChildOf<UICombobox>(dialog, "class");
  auto* level = ChildOf<UICombobox>(dialog, "level");
  if (!edit || !race || !gender || !origin || !level) return;
  SetState(State() & ~ss::kDialog);
  ui_.CloseModal();
  // The new profile goes first in the list and becomes the current player.
  if (!modes_.CreateProfile(edit->GetText(), race->GetCurrent(), gender->GetCurrent(), origin->GetCurrent(),
                            (level->GetCurrent() + 1) * kLevelStep))
    return;
  lists_.RefreshProfileList(screens_.profilesScreen.get(), true);
}

// The setup under the profile screen shows the profiles as they are now.
void SetupRows::CloseProfiles() {
  const auto& stack = ui_.ModalStack();
  UIControl* under = stack.size() >= 2 ? stack[stack.size() - 2] : nullptr;
  SetState(State() & ~ss::kProfiles);
  ui_.CloseModal();
  if (under == nullptr) return;
  if (under == screens_.computerGameScreen.get() || under == screens_.hotseatGameScreen.get())
    lists_.RefreshTwoProfileLists(under, true);
  else if (under == screens_.networkGameScreen.get() || under == screens_.internetGameScreen.get())
    lists_.RefreshNetworkScreen(under, true);
}

void SetupRows::OpenNewProfile() {
  UIControl* dialog = screens_.newProfileScreen.get();
  if (dialog == nullptr) return;
  SetState(State() | ss::kDialog);
  ui_.PushModal(dialog);
  portrait_.Apply(dialog);
  if (auto* edit = ChildOf<UIEdit>(dialog, "name")) {
    edit->SetText(GetLocale().GetText("player_name"));
    edit->SetFocus();
  }
}

// The control panel shows the profile; the screen change keeps the profile
// screen aside until the panel's way back.
void SetupRows::EditProfile() {
  const int n = lists_.selectedProfile;
  if (n < 0 || n >= modes_.ProfileCount()) return;
  // A damaged profile has no hero to show: the player may delete it.
  if (!modes_.ProfileSummary(n).readable) return AskDeleteProfile("profile_damaged_confirm");
  modes_.SelectProfile(n);
}

// The yes/no question whose "yes" deletes the selected profile.
void SetupRows::AskDeleteProfile(const char* question) {
  if (!screens_.QuestionMade()) return;
  if (lists_.selectedProfile < 0 || lists_.selectedProfile >= modes_.ProfileCount()) return;
  SetState(State() | ss::kDeleteQuestion);
  host_.ShowYesNo(GetLocale().GetText(question));
}

void SetupRows::OpenProfiles() {
  if (screens_.profilesScreen == nullptr) return;
  // Over a network setup the player chooses anew: a start the other
  // machine sends meanwhile (its messages are read under the list) waits
  // for the choice.
  if ((State() & ss::kNetworkSetup) != 0) modes_.ForgetSentProfile();
  lists_.RefreshProfileList(screens_.profilesScreen.get(), true);
  SetState(State() | ss::kProfiles);
  ui_.PushModal(screens_.profilesScreen.get());
}

// --- the game-kind menu and the setups ------------------------------------------------

bool SetupRows::GameMenuRow(std::string_view name) {
  if (name == "computer") {
    OpenSetup(screens_.computerGameScreen.get(), ss::kMenu | ss::kTwoProfileSetup, false);
  } else if (name == "hotseat") {
    OpenSetup(screens_.hotseatGameScreen.get(), ss::kMenu | ss::kTwoProfileSetup, false);
  } else if (name == "network" || name == "internet") {
    networkSetup_ = name == "network" ? "network" : "internet";
    const auto& setup = name == "network" ? screens_.networkGameScreen : screens_.internetGameScreen;
    OpenSetup(setup.get(), ss::kMenu | ss::kNetworkSetup, true);
  } else {
    return false;
  }
  return true;
}

void SetupRows::OpenNetworkSetupAgain() {
  modes_.LoadProfileSummaries();
  SetState(ss::kMenu | ss::kGameMenu);
  ui_.PushModal(screens_.gameMenuScreen.get());
  GameMenuRow(networkSetup_);
}

// A setup whose layout could not be made opens nothing: the word stays at
// the game-kind menu that is shown.
void SetupRows::OpenSetup(UIControl* setup, std::uint32_t word, bool network) {
  if (setup == nullptr) return;
  if (network)
    lists_.RefreshNetworkScreen(setup, true);
  else
    lists_.RefreshTwoProfileLists(setup, true);
  SetState(word);
  ui_.PushModal(setup);
}

void SetupRows::TwoProfileSetupRow(std::string_view name) {
  if (name == "cancel") {
    ui_.CloseModal();
    SetState(ss::kMenu | ss::kGameMenu);
  } else if (name == "start") {
    StartTwoProfileGame();
  } else if (name == "profiles") {
    OpenProfiles();
  }
}

// Only a game that really starts closes the setups: without profiles, or
// with one that gives no hero, the setup stays usable. A profile damaged
// since the list was read is read again, so its panel tells of it and
// "start" waits for another choice.
void SetupRows::StartTwoProfileGame() {
  UIControl* setup = ActiveSetup();
  const auto* first = ChildOf<UIScrollBar>(setup, "sbar0");
  const auto* second = ChildOf<UIScrollBar>(setup, "sbar1");
  if (first == nullptr || second == nullptr) return;
  lists_.hotseatProfiles = {first->GetPos(), second->GetPos()};
  if (!lists_.Playable(lists_.hotseatProfiles[0]) || !lists_.Playable(lists_.hotseatProfiles[1])) return;
  const auto* difficulty = ChildOf<UICombobox>(setup, "difficulty");
  host_.SetGameMode(modes_.Hotseat());
  if (modes_.StartHotseat(lists_.hotseatProfiles[0], lists_.hotseatProfiles[1],
                          difficulty != nullptr ? difficulty->GetCurrent() : -1)) {
    ui_.CloseAllModals();
    return;
  }
  modes_.LoadProfileSummaries();
  lists_.RefreshTwoProfileLists(setup, false);
}

void SetupRows::NetworkSetupRow(std::string_view name) {
  if (name == "cancel") {
    modes_.EndNetworkGame();
    ui_.CloseModal();
    SetState(ss::kMenu | ss::kGameMenu);
  } else if (name == "apply") {
    ApplyNetworkChoice();
  } else if (name == "start") {
    StartNetworkGame();
  } else if (name == "profiles") {
    OpenProfiles();
  }
}

// A game that does not begin leaves the setup shown: a profile damaged
// since it was sent is read again, so its panel tells of it and "start"
// waits for another choice.
void SetupRows::StartNetworkGame() {
  if (modes_.StartNetworkGame()) return;
  modes_.LoadProfileSummaries();
  lists_.RefreshNetworkScreen(ActiveSetup(), false);
}

// The profile is read again first: one damaged since the list was read is
// not sent.
void SetupRows::ApplyNetworkChoice() {
  const UIControl* setup = ActiveSetup();
  const auto* bar = ChildOf<UIScrollBar>(setup, "sbar0");
  if (bar == nullptr) return;
  modes_.LoadProfileSummaries();
  if (!lists_.Playable(bar->GetPos())) return;
  if (const auto* host = dynamic_cast<const UIEdit*>(VisibleHostEdit(setup))) modes_.Connect(host->GetText());
  modes_.SendPlayerInfo(bar->GetPos());
}
