#include "tests/e2e/play/PlayRun.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "board/YTessor.h"
#include "draw/PanelSlots.h"
#include "draw/YControlPanel.h"
#include "framework/YLocale.h"
#include "game/GameFramework.h"
#include "game/ProgramStart.h"
#include "game/book/YBook.h"
#include "game/book/YFinalScene.h"
#include "modes/CommanderFactory.h"
#include "modes/GameHost.h"
#include "modes/PeerLinkFactory.h"
#include "modes/YGameHotseat.h"
#include "modes/YGameNetwork.h"
#include "modes/YGameQuest.h"
#include "platform/Paths.h"
#include "players/PlayerProfiles.h"
#include "players/YPlayerHero.h"
#include "tests/e2e/play/NetworkStandIns.h"
#include "tiles/DuelState.h"
#include "tiles/YPlayerCommander.h"
#include "tiles/YTileset.h"
#include "ui/UICombobox.h"
#include "ui/UIComboboxList.h"
#include "ui/UIControl.h"
#include "ui/UIText.h"

namespace {

// How the user's side ends a duel, as the file "standin.txt" in the user
// folder says at the side's first turn: "lose" (the user's fighter falls),
// "hero-loses" (only the hero falls, the hero's monsters win), "hold" (the
// side never moves: the duel stands), anything else or no file: the enemy
// falls.
std::string StandInMode() {
  std::ifstream file(platform::UserDataParent() + "/QuennelVarrick/standin.txt");
  std::string mode;
  file >> mode;
  return mode;
}

class StandInCommander : public YPlayerCommander {
 public:
  using YPlayerCommander::YPlayerCommander;
  std::int32_t Kind() const override { return kComputer; }
  void Update() override {
    YPlayer* own = Battle()->Fighter(side);
    YPlayer* other = Battle()->Fighter(side ^ 1);
    if (own == nullptr || other == nullptr) return;
    const std::string mode = StandInMode();
    if (mode == "hold") return;
    const bool yields = mode == "lose" || (mode == "hero-loses" && dynamic_cast<YPlayerHero*>(own) != nullptr);
    (yields ? own : other)->health = 0;
  }
};

class StandInFactory : public CommanderFactory {
 public:
  std::unique_ptr<YTessorPlayerCommander> BoardUser(std::int32_t side) override {
    return BoardComputer(side, kStandInBoardRow);
  }
  std::unique_ptr<YPlayerCommander> DuelUser(std::int32_t side) override {
    return std::make_unique<StandInCommander>(side);
  }
};

class PlayGame : public GameFramework {
 public:
  bool Frame() override {
    const bool drawn = GameFramework::Frame();
    TellResults();
    Report();
    return drawn;
  }
  void ShowMessage(const std::string& text) override;

 private:
  void Report();
  void TellResults();
  static void TellDuel();
  static void TellNetworkGame();
  std::string ActiveName(const UIControl* active) const;
  static void PrintControls(const UIControl& control, float x, float y);
  static void PrintText(const UIText& text);
  static void PrintItems(const UIComboboxList& list, float x, float y);
  std::string SceneDetail() const;

  std::uint32_t toldState_ = 0;
  std::string toldHost_;
  // What the last report showed; a new one follows when any of it changes.
  struct Shown {
    std::uint32_t state = ~0u;
    const UIControl* active = nullptr;
    int tab = -1;
    int slot = -1;
    std::int32_t gold = -1;
    const UIControl* capture = nullptr;
    std::string detail;
    bool operator==(const Shown&) const = default;
  };
  Shown reported_;
};

std::string PlayGame::ActiveName(const UIControl* active) const {
  if (active == nullptr) return "none";
  for (const GameScreens::Entry& entry : GameScreens::kEntries)
    if ((screens.*entry.member).get() == active) return entry.file;
  if (active == GetControlPanel().window.get()) return "panel";
  if (active == GetTessor().ScreenRoot()) return "board";
  if (active == GetBook().Window()) return "book";
  return "other";
}

void PlayGame::PrintControls(const UIControl& control, float x, float y) {
  for (const auto& child : control.Children()) {
    if (!child->IsVisible()) continue;
    const float cx = x + child->rect.x, cy = y + child->rect.y;
    if (!child->name.empty())
      std::fprintf(stderr, "control %s %d %d\n", child->name.c_str(), static_cast<int>(cx + child->rect.width / 2),
                   static_cast<int>(cy + child->rect.height / 2));
    if (const auto* text = dynamic_cast<const UIText*>(child.get()); text != nullptr && !child->name.empty())
      PrintText(*text);
    if (const auto* box = dynamic_cast<const UICombobox*>(child.get()))
      std::fprintf(stderr, "current %s %d\n", box->name.c_str(), box->GetCurrent());
    if (const auto* list = dynamic_cast<const UIComboboxList*>(child.get())) PrintItems(*list, cx, cy);
    PrintControls(*child, cx, cy);
  }
}

void PlayGame::PrintText(const UIText& text) {
  std::string words;
  for (const UIText::Run& run : text.Runs()) words += (words.empty() ? "" : " ") + run.text;
  if (!words.empty()) std::fprintf(stderr, "text %s %s\n", text.name.c_str(), words.c_str());
}

void PlayGame::PrintItems(const UIComboboxList& list, float x, float y) {
  for (std::size_t k = 0; k < list.Items().size(); ++k)
    std::fprintf(stderr, "control item%zu %d %d\n", k, static_cast<int>(x + list.rect.width / 2),
                 static_cast<int>(y + list.topMargin + (static_cast<float>(k) + 0.5f) * list.style.size));
}

// What changes on a screen without a new state or screen: the book's
// spread once it lies at rest, the final scene's stage.
std::string PlayGame::SceneDetail() const {
  if (YFinalScene::ShownIn(State())) {
    const YFinalScene& scene = YFinalScene::Instance();
    return "stage " + std::to_string(scene.Stage()) + (scene.Timer() <= 0 ? " waiting" : "");
  }
  const YBook& book = GetBook();
  if (uiRoot.GetActive() == book.Window() && book.AtRest()) return "page " + std::to_string(book.ShownPage());
  return "";
}

// A message box's text, or the network mode's key for it.
void PlayGame::ShowMessage(const std::string& text) {
  std::string told = text;
  for (const char* key : YGameNetwork::kLocaleKeys)
    if (GetLocale().GetText(key) == text) told = key;
  for (char& c : told)
    if (c == '\n' || c == '\r') c = ' ';
  std::fprintf(stderr, "message %s\n", told.c_str());
  GameFramework::ShowMessage(text);
}

// A duel's result and a network game's end, when their screens come up;
// the host a new network link looks for.
void PlayGame::TellResults() {
  if (const std::string& host = GetNetworkGame().HostName(); host != toldHost_) {
    toldHost_ = host;
    std::fprintf(stderr, "link host %s\n", host.empty() ? "(broadcast)" : host.c_str());
  }
  const std::uint32_t risen = State() & ~toldState_;
  toldState_ = State();
  if ((risen & host_state::kResultModal) != 0) TellDuel();
  if ((risen & host_state::kCompleteModal) != 0 && GameMode() == &GetNetworkGame()) TellNetworkGame();
}

void PlayGame::TellDuel() {
  const YTileset& battle = GetTileset();
  const YPlayer* fighters[2] = {battle.Fighter(0), battle.Fighter(1)};
  const auto name = [&](int side) {
    return fighters[side] != nullptr ? fighters[side]->name : std::string("-");
  };
  const bool fell0 = battle.State().sides[0].health <= 0;
  const bool fell1 = battle.State().sides[1].health <= 0;
  if (fell0 == fell1) {
    std::fprintf(stderr, "duel draw %s / %s\n", name(0).c_str(), name(1).c_str());
    return;
  }
  const int winner = fell1 ? 0 : 1;
  std::fprintf(stderr, "duel winner %s / loser %s\n", name(winner).c_str(), name(winner ^ 1).c_str());
}

void PlayGame::TellNetworkGame() {
  const YGameNetwork& game = GetNetworkGame();
  const std::vector<ProfileInfo>& profiles = ProfileList();
  const std::int32_t local = game.LocalProfile();
  std::string winner = "none";
  if (game.Outcome() == 0 && local >= 0 && local < static_cast<std::int32_t>(profiles.size()))
    winner = profiles[static_cast<std::size_t>(local)].name;
  else if (game.Outcome() == 1 && game.HasPeerInfo())
    winner = game.PeerInfo().name;
  std::fprintf(stderr, "game winner %s\n", winner.c_str());
}

void PlayGame::Report() {
  // Only a settled screen: no fade, no modal still growing or waiting.
  if (uiRoot.PendingScreen() != uiRoot.CurrentScreen() || uiRoot.ScreenFade() > 0) return;
  if (uiRoot.WaitingModal() != nullptr || (uiRoot.GetTopModal() != nullptr && uiRoot.ModalFade() < 1.0f)) return;
  const UIControl* active = uiRoot.GetActive();
  const YControlPanel& panel = GetControlPanel();
  const bool onPanel = active != nullptr && active == panel.window.get();
  Shown shown{State(),
              active,
              onPanel ? panel.tab : -1,
              onPanel ? panel.selectedSlot : -1,
              onPanel && panel.player != nullptr ? panel.player->gold : -1,
              UIControl::Capture(),
              SceneDetail()};
  if (shown == reported_) return;
  reported_ = std::move(shown);
  std::fprintf(stderr, "screen %s 0x%x\n", ActiveName(active).c_str(), reported_.state);
  if (active != nullptr) PrintControls(*active, active->rect.x, active->rect.y);
  // The panel draws its slots itself: their centres, as "slot<N>".
  for (int slot = 0; slot < panel::SlotCount(reported_.tab); ++slot) {
    const YRect r = panel::SlotRect(reported_.tab, slot);
    std::fprintf(stderr, "control slot%d %d %d\n", slot, static_cast<int>(r.x + r.width / 2),
                 static_cast<int>(r.y + r.height / 2));
  }
  if (onPanel) std::fprintf(stderr, "tab %d\n", reported_.tab);
  if (reported_.gold >= 0) std::fprintf(stderr, "gold %d\n", reported_.gold);
  if (!reported_.detail.empty()) std::fprintf(stderr, "%s\n", reported_.detail.c_str());
  std::fprintf(stderr, "end\n");
}

// "-netport <n>" taken out of the command line: the network game's links
// then use base port n (0 when the option is missing).
std::uint16_t TakeNetPort(std::string& commandLine) {
  constexpr std::string_view kOption = "-netport ";
  const std::size_t at = commandLine.find(kOption);
  if (at == std::string::npos || (at > 0 && commandLine[at - 1] != ' ')) return 0;
  const std::size_t value = at + kOption.size();
  const std::size_t end = std::min(commandLine.find(' ', value), commandLine.size());
  const unsigned long port = std::strtoul(commandLine.substr(value, end - value).c_str(), nullptr, 10);
  commandLine.erase(at, end < commandLine.size() ? end + 1 - at : end - at);
  while (!commandLine.empty() && commandLine.back() == ' ') commandLine.pop_back();
  return port > 0 && port < 65531 ? static_cast<std::uint16_t>(port) : 0;
}

}  // namespace

int RunPlay(std::string_view commandLine) {
  static StandInFactory standIns;
  static NetworkStandInFactory networkStandIns(StandInMode);
  GetGameQuest().SetFactory(&standIns);
  GetHotseatGame().SetFactory(&standIns);
  GetNetworkGame().SetFactory(&networkStandIns);
  std::string line(commandLine);
  // The game's own links on another base port; the program's start sets
  // their broadcast address from "-broadcast".
  if (const std::uint16_t port = TakeNetPort(line); port != 0) DefaultPeerLinkFactory().SetBasePort(port);
  return ProgramMain(line, [] { return std::make_unique<PlayGame>(); });
}
