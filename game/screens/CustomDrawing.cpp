#include "game/screens/CustomDrawing.h"

#include <string>

#include "draw/YRotatingItem.h"
#include "game/screens/GameScreens.h"
#include "game/screens/PlayerPanels.h"
#include "game/screens/ScreenControls.h"
#include "game/screens/ScreenEvents.h"
#include "game/screens/ScreenLists.h"
#include "game/screens/ScreenModes.h"
#include "modes/SaveInfo.h"
#include "render/YShader.h"
#include "ui/UIButton.h"
#include "ui/UICombobox.h"
#include "ui/UIControl.h"
#include "ui/UIEdit.h"
#include "ui/UIScrollBar.h"

namespace {

const UIScrollBar* BarOf(const UIControl& screen, const std::string& name) {
  return dynamic_cast<const UIScrollBar*>(screen.FindChild(name));
}

// The control's own area: custom drawing happens in its coordinates.
YRect Area(const UIControl& control) {
  return YRect(0, 0, control.rect.width, control.rect.height);
}

// The entry a list row shows: its number plus the list's first visible
// entry (-1 for a name that is no row).
int EntryOf(const UIControl& row, const UIScrollBar* bar) {
  return ListRowEntry(row.name, bar != nullptr ? bar->GetPos() : 0);
}

}  // namespace

CustomDrawing::CustomDrawing(GameScreens& screens, ScreenModes& modes, ScreenLists& lists, int& selectedSave)
    : screens_(screens), modes_(modes), lists_(lists), selectedSave_(selectedSave) {}

CustomDrawing::~CustomDrawing() = default;

void CustomDrawing::Draw(UIControl* sender) {
  if (sender == nullptr) return;
  const UIControl* screen = sender->Parent();
  const auto is = [screen](const std::unique_ptr<UIControl>& loaded) {
    return screen != nullptr && screen == loaded.get();
  };
  if (is(screens_.profilesScreen)) {
    DrawProfileRow(*sender, *screen);
  } else if (is(screens_.selectSaveScreen)) {
    DrawSaveRow(*sender, *screen);
  } else if (is(screens_.computerGameScreen) || is(screens_.hotseatGameScreen)) {
    DrawSetupPanel(*sender, *screen);
  } else if (is(screens_.networkGameScreen) || is(screens_.internetGameScreen)) {
    DrawNetworkPanel(*sender, *screen);
  } else if (sender->name == "blast") {
    DrawBlast(*sender);
  }
}

void CustomDrawing::DrawProfileRow(const UIControl& row, const UIControl& list) {
  const UIScrollBar* bar = BarOf(list, "sbar");
  const int entry = EntryOf(row, bar);
  const int profiles = modes_.ProfileCount();
  if (entry >= 0 && entry < profiles) FillPlayerPanel2(modes_.ProfileSummary(entry), Area(row));
  if (bar != nullptr) lists_.selectedProfile = KeepInView(lists_.selectedProfile, *bar, profiles);
  if (entry >= 0 && entry == lists_.selectedProfile) DrawSelectionFrame(Area(row));
}

void CustomDrawing::DrawSaveRow(const UIControl& row, const UIControl& list) {
  const UIScrollBar* bar = BarOf(list, "sbar");
  const int entry = EntryOf(row, bar);
  const int saves = modes_.SaveCount();
  if (entry >= 0 && entry < saves) {
    const SaveInfo& save = modes_.SaveSummary(entry);
    const auto* names = dynamic_cast<const UICombobox*>(
        screens_.newHeroScreen != nullptr ? screens_.newHeroScreen->FindChild("difficulty") : nullptr);
    FillSaveRow(save, names != nullptr ? names->GetItemText(save.difficulty) : std::string(), Area(row));
  }
  if (bar != nullptr) selectedSave_ = KeepInView(selectedSave_, *bar, saves);
  if (entry >= 0 && entry == selectedSave_) DrawSelectionFrame(Area(row));
}

// Panel d shows the profile at the position of the bar "sbar" + d; "start"
// follows the bars as they are scrolled.
void CustomDrawing::DrawSetupPanel(const UIControl& panel, const UIControl& setup) {
  const UIScrollBar* bar = BarOf(setup, "sbar" + panel.name);
  if (bar != nullptr && bar->GetPos() < modes_.ProfileCount())
    FillPlayerPanel1(modes_.ProfileSummary(bar->GetPos()), Area(panel));
  lists_.EnableTwoProfileStart(&setup);
}

// The panel with a bar is this machine's player, the other the peer's.
void CustomDrawing::DrawNetworkPanel(const UIControl& panel, const UIControl& setup) {
  if (const UIScrollBar* bar = BarOf(setup, "sbar" + panel.name)) {
    DrawLocalPlayer(panel, setup, bar->GetPos());
    return;
  }
  const ScreenModes::NetworkView network = modes_.NetworkState();
  if (network.connected && network.hasPeer)
    FillPlayerPanel1(network.peer, Area(panel));
  else
    FillWaitingPanel(network.connected, Area(panel));
}

// "apply" is needed while the chosen profile or the typed host differs
// from what was sent, and offered only for a profile that can play;
// "start" waits for it and for the network mode.
void CustomDrawing::DrawLocalPlayer(const UIControl& panel, const UIControl& setup, int profile) {
  if (profile < modes_.ProfileCount()) FillPlayerPanel1(modes_.ProfileSummary(profile), Area(panel));
  const auto* host = dynamic_cast<const UIEdit*>(VisibleHostEdit(&setup));
  const ScreenModes::NetworkView sent = modes_.NetworkState();
  const bool applyNeeded = profile != sent.sentProfile || (host != nullptr && host->GetText() != sent.host);
  EnableButton(&setup, "apply", applyNeeded && lists_.Playable(profile));
  EnableButton(&setup, "start", !applyNeeded && modes_.NetworkState().mayStart);
}

const UIControl* CustomDrawing::BlastOf(const UIControl* screen) const {
  if (screen == nullptr || HasPanels(screen)) return nullptr;
  const UIControl* blast = screen->FindChild("blast");
  return blast != nullptr && blast->IsVisible() ? blast : nullptr;
}

bool CustomDrawing::HasPanels(const UIControl* screen) const {
  for (const auto* loaded : {&screens_.profilesScreen, &screens_.selectSaveScreen, &screens_.computerGameScreen,
                             &screens_.hotseatGameScreen, &screens_.networkGameScreen, &screens_.internetGameScreen})
    if (screen == loaded->get()) return true;
  return false;
}

void CustomDrawing::StepBlast() {
  if (blast_ != nullptr) blast_->Step(kBlastStep);
}

void CustomDrawing::DrawBlast(const UIControl& blast) {
  if (atBlast_ && !atBlast_()) return;
  if (blast_ == nullptr) {
    blast_ = std::make_unique<YRotatingItem>(Area(blast), GetShader(kBlastShader));
    blast_->SetReach(kBlastReach);
  }
  blast_->Update(kBlastStep);
}
