#include "game/screens/ScreenEvents.h"

#include <utility>

#include "framework/Log.h"
#include "framework/YLocale.h"
#include "game/book/BookPages.h"
#include "game/book/YBook.h"
#include "game/screens/GameScreens.h"
#include "game/screens/ScreenControls.h"
#include "game/screens/ScreenHost.h"
#include "game/screens/ScreenModes.h"
#include "modes/GameHost.h"
#include "modes/YGameQuest.h"
#include "platform/VirtualKeys.h"
#include "players/YGameMaster.h"
#include "players/YPlayerHero.h"
#include "ui/UICombobox.h"
#include "ui/UIControl.h"
#include "ui/UIEdit.h"
#include "ui/UIRoot.h"
#include "ui/UIScrollBar.h"
#include "ui/UITracker.h"

namespace ss = screen_state;

namespace {
constexpr float kSceneMusicFade = 1.0f;
constexpr int kMenuTrack = 0;
constexpr int kPanelTrack = 1;
constexpr int kFinalTrack = 2;
constexpr int kBoardTrack = 3;

std::string Text(const char* key) {
  return GetLocale().GetText(key);
}

// The screen or modal box `control` lies on: its outermost ancestor.
const UIControl* BoxOf(const UIControl& control) {
  const UIControl* box = &control;
  while (box->Parent() != nullptr) box = box->Parent();
  return box;
}
}  // namespace

int ListRowEntry(std::string_view name, int firstVisible) {
  if (name.empty() || name.size() > 4) return -1;
  int row = 0;
  for (char c : name) {
    if (c < '0' || c > '9') return -1;
    row = row * 10 + (c - '0');
  }
  return row + firstVisible;
}

ScreenEvents::ScreenEvents(UIRoot& ui, GameScreens& screens, ScreenHost& host, ScreenModes& modes)
    : skill(ui, screens.heroSkillScreen, [&modes](YPlayerHero* hero) { modes.NotifySkill(hero); }),
      lists(modes),
      ui_(ui),
      screens_(screens),
      host_(host),
      modes_(modes),
      setupRows_(ui, screens, host, modes, lists, portrait) {}

std::uint32_t ScreenEvents::State() const {
  return host_.State();
}

void ScreenEvents::SetState(std::uint32_t word) const {
  host_.SetState(word);
}

void ScreenEvents::OnClick(UIControl* sender) {
  if (sender == nullptr) return;
  // A box on its way out takes no click: the state word already tells of
  // what comes after it (a message that came unasked, the screen under
  // it), and would take the click as one on that.
  if (ui_.TopModalLeaving() && BoxOf(*sender) == ui_.GetTopModal()) return;
  const std::string_view name = sender->name;
  const std::uint32_t state = State();
  // The skill screen, the book (over any state, the profile screen's
  // included) and the profile screen take every click while they are open;
  // nothing else may act on them meanwhile.
  if (ui_.GetActive() != nullptr && ui_.GetActive() == screens_.heroSkillScreen.get())
    return skill.OnClick(name);
  if ((state & 7) == ss::kBook || (state & ss::kHelpBook) != 0) return BookRow(name);
  if ((state & ss::kProfiles) != 0) return setupRows_.ProfileRow(sender);
  if (MainMenuRow(name) || QuestionRow(name) || OptionsRow(name)) return;
  switch (state) {
    case ss::kMenu | ss::kDialog:
      NewHeroRow(name);
      return;
    case ss::kMenu | ss::kSaves:
      SaveSelectionRow(sender);
      return;
    case ss::kMenu | ss::kSaves | ss::kDeleteQuestion:
      DeleteSaveRow(name);
      return;
    case ss::kMenu | ss::kDeleteQuestion:
      RefusedSaveRow(name);
      return;
    case ss::kBoard | ss::kResult:
    case ss::kBattle | ss::kResult:
      if (name != "ok") return;
      ui_.CloseModal();
      ui_.SetScreen(nullptr);  // the fade's end hands the result to the mode
      return;
    case ss::kBoard | ss::kComplete:
      LevelResultRow(name);
      return;
    case ss::kBattle | ss::kRestart:
      if (name != "ok") return;
      SetState(ss::kBattle);
      ui_.CloseModal();
      return;
    case ss::kMenu | ss::kGameMenu:
      if (setupRows_.GameMenuRow(name) || name != "cancel") return;
      ui_.CloseModal();
      SetState(ss::kMenu);
      return;
    case ss::kMenu | ss::kTwoProfileSetup:
      setupRows_.TwoProfileSetupRow(name);
      return;
    case ss::kMenu | ss::kNetworkSetup:
      setupRows_.NetworkSetupRow(name);
      return;
    case ss::kMenu | ss::kHallOfFame:
      if (name != "ok") return;
      SetState(ss::kMenu);
      ShowMainMenu();
      return;
    default:
      ClosedModalRow(name);
  }
}

// The links of a book's pages: the introduction's and the help's.
void ScreenEvents::BookRow(std::string_view name) {
  BookPages& pages = host_.Pages();
  YBook& book = pages.Book();
  if (name == "nextPage") {
    book.NextPage();
  } else if (name == "prevPage") {
    book.PrevPage();
  } else if (name == "spells") {
    book.SetPage(pages.helpSpellsPage);
  } else if (name == "specialspells") {
    book.SetPage(pages.helpSpecialSpellsPage);
  } else if (name == "artifacts") {
    book.SetPage(pages.helpArtifactsPage);
  } else if (name == "page_last") {
    book.GotoPage();
  } else if (name == "startGame" || name == "back") {
    ui_.SetScreen(nullptr);  // the fade's end starts the quest or closes the help
  } else if (name.starts_with("page")) {
    const int page = ListRowEntry(name.substr(4), 0);
    if (page >= 0) book.SetPage(page);
  }
}

bool ScreenEvents::OnBookKey(std::uint32_t key) {
  namespace vk = platform::vk;
  const std::uint32_t state = State();
  const bool bookScene = (state & 7) == ss::kBook && (state & ss::kFinalScene) == 0;
  // Over the help only Escape, Space and the page keys act; the rest go on.
  const bool helpKey =
      (state & ss::kHelpBook) != 0 && (key == vk::Escape || (key >= vk::Space && key <= vk::Next));
  if (!bookScene && !helpKey) return false;
  YBook& book = host_.Pages().Book();
  if (key == vk::Escape)
    ui_.SetScreen(nullptr);
  else if (key == vk::Prior)
    book.PrevPage();
  else
    book.NextPage();
  return true;
}

// A modal over the bare menu word is a message box; its button closes it.
bool ScreenEvents::MainMenuRow(std::string_view name) {
  if (State() != ss::kMenu || ui_.GetTopModal() != nullptr) return false;
  if (name == "new") {
    OpenModal(screens_.newHeroScreen.get(), ss::kDialog);
    portrait.Apply(screens_.newHeroScreen.get());
    if (auto* edit = ChildOf<UIEdit>(screens_.newHeroScreen.get(), "name")) {
      edit->SetText(Text("player_name"));
      edit->SetFocus();
    }
  } else if (name == "continue") {
    Continue();
  } else if (name == "multiplayer") {
    modes_.LoadProfileSummaries();
    OpenModal(screens_.gameMenuScreen.get(), ss::kGameMenu);
  } else if (name == "options") {
    host_.FillOptions();
    OpenModal(screens_.optionsScreen.get(), ss::kOptions);
  } else if (name == "hallFame") {
    if (screens_.hallOfFameScreen != nullptr) host_.ShowHallOfFame();
  } else if (name == "help") {
    host_.ShowHelp(true);
  } else if (name == "exit") {
    // Without its question box the game ends as "yes" would end it.
    if (!screens_.QuestionMade())
      EndProgram();
    else
      Ask(ss::kQuestion, "exit_confirm");
  }
  return true;
}

// The exit question over the menu and the abort question during a game.
bool ScreenEvents::QuestionRow(std::string_view name) {
  const std::uint32_t state = State();
  if (state == (ss::kMenu | ss::kQuestion)) {
    if (name == "yes") {
      EndProgram();
      return true;
    }
    SetState(ss::kMenu);
    ui_.CloseModal();
    return true;
  }
  if (state != (ss::kPanel | ss::kQuestion) && state != (ss::kBoard | ss::kQuestion) &&
      state != (ss::kBattle | ss::kQuestion))
    return false;
  SetState(state & ~ss::kQuestion);
  if (name != "yes") {
    ui_.CloseModal();
    return true;
  }
  LeaveForMenu();
  return true;
}

void ScreenEvents::LeaveForMenu() {
  SaveQuestInPlay();
  // The other machine hears of the leave at once, not once the fade to the
  // menu has ended the game.
  if (host_.GameMode() != nullptr && host_.GameMode() == modes_.Network()) modes_.SendNetworkAbort();
  ShowMainMenu();
}

bool ScreenEvents::QuestInPlay() const {
  return host_.GameMode() != nullptr && host_.GameMode() == modes_.Quest();
}

void ScreenEvents::SaveQuestInPlay() {
  if (QuestInPlay()) modes_.SaveQuest();
}

bool ScreenEvents::OptionsRow(std::string_view name) {
  if (State() != (ss::kMenu | ss::kOptions)) return false;
  if (name == "ok" || name == "cancel") {
    SetState(ss::kMenu);
    ui_.CloseModal();
    if (name == "ok") host_.ApplyOptions();
  } else if (name == "music_vol" || name == "sound_vol") {
    // The volume is heard at once; "cancel" keeps it.
    if (const auto* tracker = ChildOf<UITracker>(screens_.optionsScreen.get(), name))
      host_.SetOptionVolume(name == "music_vol", tracker->GetValue());
  }
  return true;
}

void ScreenEvents::NewHeroRow(std::string_view name) {
  if (name == "cancel") {
    SetState(ss::kMenu);
    ui_.CloseModal();
    return;
  }
  if (name != "ok") return;
  UIControl* dialog = screens_.newHeroScreen.get();
  auto* edit = ChildOf<UIEdit>(dialog, "name");
  auto* race = ChildOf<UICombobox>(dialog, "origin");
  auto* gender = ChildOf<UICombobox>(dialog, "gender");
  auto* origin = ChildOf<UICombobox>(dialog, "class");
  auto* difficulty = ChildOf<UICombobox>(dialog, "difficulty");
  if (!edit || !race || !gender || !origin || !difficulty) return;
  ui_.CloseModal();
  QuestHeroChoice choice;
  choice.name = edit->GetText();
  choice.race = race->GetCurrent();
  choice.gender = gender->GetCurrent();
  choice.origin = origin->GetCurrent();
  choice.difficulty = difficulty->GetCurrent();
  host_.SetGameMode(modes_.Quest());
  if (!modes_.NewQuest(choice)) {
    SetState(ss::kMenu);  // the quest's message tells why; the menu stays usable
    return;
  }
  StartNewQuest();
}

// The introduction book; without one the quest begins as the book's last
// page would begin it, with a fade to no screen.
void ScreenEvents::StartNewQuest() {
  introductionPending = true;
  if (host_.ShowIntro()) return;
  introductionPending = false;
  SetState(ss::kBook);
  ui_.SetScreen(nullptr);
}

void ScreenEvents::Continue() {
  modes_.LoadSaveList();
  const int saves = modes_.SaveCount();
  if (saves == 0) return;  // nothing to continue
  if (saves == 1) {
    ui_.SetScreen(nullptr);
    LoadSave(0, false);
    return;
  }
  OpenSaveList(true);
}

void ScreenEvents::OpenSaveList(bool reset) {
  RefreshSaveList(reset);
  OpenModal(screens_.selectSaveScreen.get(), ss::kSaves);
}

void ScreenEvents::LoadSave(int n, bool fromList) {
  host_.SetGameMode(modes_.Quest());
  if (modes_.LoadSave(n)) return;
  // The screen has faded out for the game: without a game the main menu
  // must come back, and over it the question whether to delete the save
  // that cannot go on, which says why.
  selectedSave = n;
  refusedFromList_ = fromList;
  refusedSaveQuestion_ = modes_.ResumeProblem();
  ShowMainMenu();
}

// "no" to a save chosen in the list goes back to the list, as a damaged
// profile's question does; "yes" deletes it and stays at the menu.
void ScreenEvents::RefusedSaveRow(std::string_view name) {
  if (name != "yes" && name != "no") return;
  SetState(ss::kMenu);
  ui_.CloseModal();
  const bool fromList = std::exchange(refusedFromList_, false);
  if (name == "no") {
    if (fromList) OpenSaveList(false);
    return;
  }
  if (!modes_.DeleteSave(selectedSave)) host_.ShowMessage(Text("save_delete_fail_mess"));
  ShowContinue();
}

void ScreenEvents::SaveSelectionRow(UIControl* sender) {
  const std::string_view name = sender->name;
  if (name == "cancel") {
    ui_.CloseModal();
    SetState(ss::kMenu);
  } else if (name == "delete") {
    if (selectedSave >= 0) Ask(ss::kDeleteQuestion, "delete_save_confirm");
  } else if (name == "ok") {
    if (selectedSave < 0 || selectedSave >= modes_.SaveCount()) return;
    ui_.CloseModal();
    ui_.SetScreen(nullptr);
    LoadSave(selectedSave, true);
  } else {
    const auto* bar = ChildOf<UIScrollBar>(screens_.selectSaveScreen.get(), "sbar");
    const int entry = ListRowEntry(name, bar != nullptr ? bar->GetPos() : 0);
    if (entry >= 0 && entry < modes_.SaveCount()) selectedSave = entry;
  }
}

void ScreenEvents::DeleteSaveRow(std::string_view name) {
  if (name != "yes" && name != "no") return;
  SetState(ss::kMenu | ss::kSaves);
  ui_.CloseModal();
  if (name == "no") return;
  modes_.DeleteSave(selectedSave);
  RefreshSaveList(false);
  if (modes_.SaveCount() == 0) ShowMainMenu();
}

void ScreenEvents::RefreshSaveList(bool reset) {
  if (auto* bar = ChildOf<UIScrollBar>(screens_.selectSaveScreen.get(), "sbar"))
    RefreshListBar(*bar, selectedSave, modes_.SaveCount(), reset);
}

void ScreenEvents::LevelResultRow(std::string_view name) {
  YGameMaster* mode = host_.GameMode();
  const UIControl* active = ui_.GetActive();
  const bool gameOver = active != nullptr && active == screens_.multiplayerCompleteScreen.get();
  if (name == "artifact" || name == "spell") {
    SetState(ss::kBoard);
    ui_.CloseModal();
    if (mode != nullptr) mode->OnRewardChoice(name == "artifact" ? 1 : 0);
  } else if (name == "ok") {
    SetState(ss::kBoard);
    ui_.CloseModal();
    if (mode == nullptr) return;
    if (active == screens_.levelComplete2Screen.get() || active == screens_.questFinalScreen.get())
      mode->OnRewardChoice(-1);
    else if (active == screens_.levelFailScreen.get())
      mode->OnRetryLevel();
    else if (active == screens_.heroFineScreen.get())
      mode->OnNextRound();
  } else if (name == "no" && gameOver) {
    SetState(ss::kBoard);
    modes_.SendNetworkAbort();
    ShowMainMenu();
  } else if (name == "yes" && gameOver) {
    ui_.CloseModal();
    ui_.SetScreen(nullptr);
    SetState(ss::kBoard | ss::kRestart);
  }
}

// Message boxes over the scenes, and the network game's end: over its
// setup the setup goes on, a game that never ran or was over leads back to
// the setup, one under way to the main menu.
void ScreenEvents::ClosedModalRow(std::string_view name) {
  const std::uint32_t state = State();
  if ((state & ss::kNetworkAbort) == 0 || name != "ok") {
    ui_.CloseModal();
  } else if ((state & ss::kNetworkSetup) != 0) {
    SetState(state & ~ss::kNetworkAbort);
    ui_.CloseModal();
  } else if ((state & 7) == ss::kBoard && !modes_.BoardRunning()) {
    ShowNetworkSetup();
  } else {
    ShowMainMenu();
  }
}

bool ScreenEvents::OnMessageKey(std::uint32_t key) {
  namespace vk = platform::vk;
  UIControl* box = screens_.messageScreen.get();
  if (box == nullptr || ui_.GetTopModal() != box) return false;
  if (key != vk::Return && key != vk::Space && key != vk::Escape) return false;
  if (UIControl* ok = box->FindChild("ok")) OnClick(ok);
  return true;
}

// A screen whose layout could not be made opens nothing and leaves the word
// at the screen shown, so that its buttons go on answering.
void ScreenEvents::OpenModal(UIControl* modal, std::uint32_t bits) {
  if (modal == nullptr) return;
  SetState(State() | bits);
  ui_.PushModal(modal);
}

void ScreenEvents::Ask(std::uint32_t bit, const std::string& key) {
  if (!screens_.QuestionMade()) return;
  SetState(State() | bit);
  host_.ShowYesNo(GetLocale().GetText(key));
}

bool ScreenEvents::FightResultOpen() const {
  const UIControl* top = ui_.GetTopModal();
  if (top == nullptr || ui_.TopModalLeaving()) return false;
  return top == screens_.battleVictoryScreen.get() || top == screens_.battleDrawScreen.get() ||
         top == screens_.defeatScreen.get() || top == screens_.battleVictoryMPScreen.get();
}

bool ScreenEvents::MayAskAbort(std::uint32_t state, bool modalOpen) {
  return !modalOpen && state >= ss::kPanel && state <= ss::kBattle;
}

bool ScreenEvents::SceneTakesMouse(std::uint32_t state, bool modalOpen) {
  return !modalOpen && (state & ss::kHelpBook) == 0;
}

void ScreenEvents::EndProgram() {
  LeaveGames();
  host_.QuitGame();
}

void ScreenEvents::LeaveGames() {
  const std::uint32_t scene = State() & ~(ss::kQuestion | ss::kHelpBook);
  // The scenes Escape may leave, under its question or the help book; at
  // a quest's result box the result is taken first.
  const bool result = scene == (ss::kBoard | ss::kResult) || scene == (ss::kBattle | ss::kResult) ||
                      scene == (ss::kBoard | ss::kComplete);
  if (MayAskAbort(scene, false))
    SaveQuestInPlay();
  else if (result && QuestInPlay())
    modes_.TakeQuestResult();
  modes_.EndGames();
}

std::uint32_t ScreenEvents::FrameScene() {
  ReadNetworkSetup();
  return sceneLeft_ != 0 ? sceneLeft_ : State() & 7;
}

void ScreenEvents::ReadNetworkSetup() {
  if ((State() & ss::kNetworkSetup) != 0) modes_.ReadNetworkMessages();
}

bool ScreenEvents::WaitsForPeer() {
  return State() == ss::kBoard && ui_.GetTopModal() == nullptr && modes_.NetworkWaiting();
}

bool ScreenEvents::AskAbort() {
  if (WaitsForPeer()) {
    modes_.EndNetworkGame();
    ShowNetworkSetup();
    return true;
  }
  if (!MayAskAbort(State(), ui_.GetTopModal() != nullptr || ui_.WaitingModal() != nullptr)) return false;
  // Without its question box the game is left as "yes" would leave it.
  if (!screens_.QuestionMade())
    LeaveForMenu();
  else
    Ask(ss::kQuestion, "abort_game");
  return true;
}

bool ScreenEvents::OnHelpKey() {
  if (ui_.ScreenFade() > 0 || (State() & host_state::kBoardFrozen) != 0) return false;
  host_.ShowHelp(false);
  return true;
}

void ScreenEvents::LoadScreens(std::string_view prefix, const std::function<void(UIControl*)>& onDialog) {
  // A reload replaces the trees the UI root shows: it lets go of them first.
  const bool reload = ui_.CurrentScreen() != nullptr;
  if (reload) {
    ui_.SetCurrentScreen(nullptr);
    ui_.ClearModals();
  }
  host_.FreePages();  // the next opening reads the pages of this language
  screens_.Load(prefix, onDialog);
  if (reload) ShowMainMenu();
}

void ScreenEvents::ShowMainMenu() {
  const std::uint32_t scene = State() & 7;
  sceneLeft_ = scene == ss::kPanel || scene == ss::kBoard || scene == ss::kBattle ? scene : 0;
  // Every modal goes: one left under the top one would stay over the menu
  // with nothing to close it.
  ui_.CloseAllModals();
  ui_.SetScreen(screens_.mainMenuScreen.get());
  ShowContinue();
  SetState(ss::kMenu);
  host_.SelectMusic(kMenuTrack, -1, kSceneMusicFade);
}

void ScreenEvents::ShowNetworkSetup() {
  networkSetupPending_ = true;
  ShowMainMenu();
}

void ScreenEvents::ShowContinue() {
  UIControl* menu = screens_.mainMenuScreen.get();
  if (UIControl* resume = menu != nullptr ? menu->FindChild("continue") : nullptr) {
    if (modes_.HasSaves())
      resume->Show();
    else
      resume->Hide();
  }
}

void ScreenEvents::BackToMenu() {
  if ((State() & ss::kProfiles) != 0) {
    ui_.SetScreen(screens_.mainMenuScreen.get());
    return;
  }
  if (YGameMaster* mode = host_.GameMode()) mode->Update();
}

void ScreenEvents::OnScreenChanged(UIControl* screen) {
  sceneLeft_ = 0;
  const std::uint32_t state = State();
  if (screen == nullptr) {
    ScreenGone();
  } else if (screen == scenes.panel) {
    if ((state & ss::kProfiles) != 0) {
      SetState((state & ~ss::kMenu) | ss::kPanel);
      ui_.SaveModalStack();
      return;
    }
    SetState(ss::kPanel);
    host_.SelectMusic(kPanelTrack, -1, kSceneMusicFade);
  } else if (screen == scenes.board) {
    BoardScreenShown();
  } else if (screen == screens_.mainMenuScreen.get()) {
    MainMenuShown();
  } else if (screen == scenes.book) {
    if (introductionPending && state == (ss::kMenu | ss::kDialog)) {
      introductionPending = false;
      SetState(ss::kBook);
      return;
    }
    SetState(state | ss::kHelpBook);
    ui_.SaveModalStack();
  } else if (screen == screens_.hallOfFameScreen.get()) {
    SetState(ss::kMenu | ss::kHallOfFame);
  }
}

void ScreenEvents::BoardScreenShown() {
  std::uint32_t state = State();
  if ((state & ss::kBoard) == 0) state = ss::kBoard;
  SetState(state);
  // Held dark until the game runs (a network game waits for the other
  // machine's side); a message or question shown meanwhile ends the hold,
  // so that it can be seen.
  if (state == ss::kBoard && !modes_.BoardRunning()) {
    ui_.ResetFade();
    return;
  }
  host_.SelectMusic(kBoardTrack, -1, kSceneMusicFade);
}

void ScreenEvents::MainMenuShown() {
  const std::uint32_t state = State();
  if ((state & ss::kProfiles) != 0) {
    // The profile list's panel is done with: its modal stack comes back.
    modes_.SaveCurrentProfile();
    SetState((state & ~ss::kPanel) | ss::kMenu);
    ui_.RestoreModalStack();
    lists.RefreshProfileList(screens_.profilesScreen.get(), false);
    return;
  }
  SetState(ss::kMenu);
  modes_.EndGames();
  if (std::exchange(networkSetupPending_, false)) setupRows_.OpenNetworkSetupAgain();
  if (!refusedSaveQuestion_.empty()) Ask(ss::kDeleteQuestion, std::exchange(refusedSaveQuestion_, {}));
}

// A fade ended without a new screen: what was waiting for it goes on.
void ScreenEvents::ScreenGone() {
  const std::uint32_t state = State();
  YGameMaster* mode = host_.GameMode();
  if ((state & ss::kHelpBook) != 0) {
    SetState(state & ~ss::kHelpBook);
    host_.Pages().CloseHelp(ui_);
    return;
  }
  if (state == ss::kBoard) {
    // Held dark while no game runs: a network game waiting to play again
    // hears the other player here, every frame of the hold.
    modes_.ReadNetworkMessages();
    if (State() == ss::kBoard && !modes_.BoardRunning()) ui_.ResetFade();
  } else if (state == ss::kBattle || state == (ss::kBoard | host_state::kBoardFrozen)) {
    SetState(ss::kBattle);
    modes_.SetUpBattleView();
    if (modes_.BattleStarted())
      modes_.SetBattleMood();
    else
      ui_.ResetFade();
  } else if (state == ss::kBook) {
    if (mode != nullptr) mode->Start();
    host_.ShowMessage(Text("door-keeper_mess"));
  } else if (state == (ss::kBoard | ss::kResult) || state == (ss::kBattle | ss::kResult)) {
    // Only the fade its button began hands the result over: a box that
    // opened while the screen faded into the duel (a duel resumed already
    // decided) waits for its click.
    if (FightResultOpen()) return;
    if (mode != nullptr) mode->OnLevelEnd();
  } else if (state == (ss::kBoard | ss::kRestart)) {
    SetState(ss::kBoard);
    if (mode != nullptr) mode->Start();
    ui_.ResetFade();
  } else if (state == (ss::kBoard | ss::kFinalScene)) {
    SetState(ss::kBook | ss::kFinalScene);
    host_.OpenFinalScene();
    host_.SelectMusic(kFinalTrack, 1, kSceneMusicFade);
  }
}
