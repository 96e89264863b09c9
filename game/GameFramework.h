// The game's application object: the one YFramework of the process. It
// starts the game's services in a fixed order, owns the screen state word,
// runs the timed frame with the drawing of each screen state, routes keys
// and mouse input, serves the console's commands and saves the
// configuration when the game quits.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "framework/YFramework.h"
#include "game/FrameClock.h"
#include "game/YConsoleCommand.h"
#include "game/book/BookPages.h"
#include "game/book/YBook.h"
#include "game/screens/CustomDrawing.h"
#include "game/screens/FileNotice.h"
#include "game/screens/GameModes.h"
#include "game/screens/GameScreens.h"
#include "game/screens/OptionsScreen.h"
#include "game/screens/ScreenEvents.h"
#include "game/screens/ScreenHost.h"
#include "game/screens/ScreenResults.h"
#include "sound/YMusicPlayer.h"
#include "ui/UIEvent.h"
#include "ui/UIRoot.h"

class BoardScreenHooks;
class PanelScreenHooks;
class YRender;
class YFont;
class YDrawQueue;
struct YRect;
class YShader;
class YTessorScreenView;
class YTessorSoundEffects;
class YGameMaster;
class YPlayerHero;
class UIControl;

class GameFramework : public YFramework, public YConsoleCommand, public UIEvent, public ScreenHost {
 public:
  // The low three bits of the state word: what the frame draws.
  static constexpr std::uint32_t kStateNone = 0;
  static constexpr std::uint32_t kStatePanel = 1;
  static constexpr std::uint32_t kStateBoard = 2;
  static constexpr std::uint32_t kStateBattle = 3;
  static constexpr std::uint32_t kStateMenu = 4;
  static constexpr std::uint32_t kStateSplash = 6;
  // The fonts "data\fonts.yml" must define: the console's, the texts', the
  // labels' and the one the interface falls back on.
  static constexpr std::string_view kFonts[] = {"sysfont", "mainfont", "labelfont", "default"};

  // The start-up sequence: music player, UI root, console, renderer and
  // display modes, fonts, shaders, sounds, configuration (seeding the user
  // folder on the first run), splash screens, music folder and volumes, and
  // last the window; then the splash state.
  GameFramework();
  ~GameFramework() override;

  // Every way out (the window's close, a signal, the console's exit): the
  // screens end the program (ScreenEvents::EndProgram), leaving the game in
  // play as the menu does, then QuitGame.
  void Quit() override;
  // Remembers the windowed size and the maximised flag in the configuration.
  void OnSize(int clientWidth, int clientHeight) override;
  // The timed frame: gathers at least 10 ms (30 ms while the screen is
  // calm and no message came), steps at most 0.05 s, draws the scene of the
  // state and the overlay. False when nothing was drawn.
  bool Frame() override;
  // Wakes the frame clock, then handles the message as the base does.
  std::intptr_t WindowProc(platform::Window* window, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam) override;
  // One frame of `dt` seconds: the services' updates, the scene of the
  // state, the overlay and the present. False for a splash frame, which
  // has no overlay.
  bool DrawFrame(float dt);
  // Spare time without a message: loads one of the textures that have not
  // been drawn yet, so the first frame did not wait for them (not while a
  // skipped splash fades out).
  void OnIdle() override;
  void OnKeyDown(std::uint32_t virtualKey) override;
  void OnChar(std::uint32_t character) override;
  void OnMouseMove(int x, int y) override;
  void OnMouseDown(int button, int x, int y) override;
  void OnMouseUp(int button, int x, int y) override;
  void OnMouseWheel(int delta) override;
  // The program's own icon (LoadAppIcon), for every window it makes.
  platform::IconImage GetIcon() override;

  // The console's "exit" command and its seven variables.
  void OnCommand(int id) override;
  void OnVariable(int id) override;
  // Events of controls built from layout files and the UI root's screen
  // changes.
  void OnEvent(int code, UIControl* sender) override;

  // Creates the window as the configuration says: windowed at its size, or
  // full screen in its video mode.
  void CreateMainWindow();
  // Destroys the window and creates it again in the other mode.
  void ToggleFullscreen();
  // The stored mouse position in view coordinates: x -1 at the left edge
  // to 1 at the right, y up, the 1.6 design picture centred.
  void ScreenToView(float& x, float& y) const;
  // Clipped: limited to its own square.
  void DrawCursor(bool clipped);
  // Reads the interface folder of the configuration's language: its
  // locale, fonts and catalogues, the tile battle's descriptions, the board
  // screen's and the control panel's controls, the styles and every screen.
  // On a reload (a screen is current) it ends in the main menu with no
  // modal open. A main menu that cannot be made ends the game with a
  // message and exit code 1.
  void LoadScreens();
  // Closes every modal and fades to the main menu, its "continue" shown
  // only while the quest has a save; the menu music.
  void ShowMainMenu();
  // The control panel's "continue": the main menu while a profile is
  // edited, else the game mode's screen.
  void BackToMenu();
  // Fills a hero dialog's origin list with the hero catalogue's race names,
  // in catalogue order. Null or a control of another kind: nothing.
  static void FillOriginList(UIControl* origin);
  // Shows the face of a hero dialog's chosen origin and gender, forcing the
  // gender of an origin with one face (run whenever a hero dialog opens).
  void SetHeroPortrait(UIControl* dialog);
  // Opens the skill screen for a hero (the control panel's and the board's
  // skill buttons). A record that is not a hero: nothing.
  void ShowHeroSkill(YPlayerHero* hero);

  // --- what the game modes ask of the application (GameFrameworkHost.cpp).
  // The result screens are filled and shown by results_.
  std::uint32_t State() const override { return state; }
  // The one way the state word changes: each change is logged, so a
  // player's log shows the screens the game went through.
  void SetState(std::uint32_t word) override;
  void ClearScreen() override;
  void PlayEffect(std::string_view name) override;
  void ShowMessage(const std::string& text) override;
  void ShowBattleVictory(bool victory, std::int32_t gold, std::int32_t experience, std::int32_t goldBonus,
                         std::int32_t experienceBonus) override;
  void ShowDefeat(std::int32_t gold, std::int32_t experience) override;
  void ShowBattleVictoryMP(const std::string& text, std::int32_t experience,
                           std::int32_t experienceBonus) override;
  void ShowMultiplayerDraw() override;
  void ShowNetworkDefeat() override;
  void ShowHotseatComplete(std::int32_t winner) override;
  void ShowNetworkResult(std::int32_t winner) override;
  void ShowLevelComplete(const std::string& artifact, std::uint32_t spell) override;
  void ShowLevelComplete2() override;
  void ShowLevelFail() override;
  void ShowQuestFinal() override;
  void ShowHeroFine(const std::string& face, std::int32_t gold) override;
  void OpenControlPanel(YPlayer* hero, YMonsterShop* shop, std::int32_t tab) override;
  void ReleasePlayers() override;
  void CloseModals() override;
  void SetGameMode(YGameMaster* mode) override { gameMaster = mode; }

  // --- what the screens' event handling asks of the application.
  YGameMaster* GameMode() const override { return gameMaster; }
  void ShowYesNo(const std::string& text) override;
  void SelectMusic(int track, int followUp, float fade) override;
  void QuitGame() override;
  // The help book over the current screen (see BookPages::OpenHelp).
  void ShowHelp(bool fromStart) override;
  BookPages& Pages() override { return bookPages_; }
  // The introduction book and its music; false when it has no page.
  bool ShowIntro() override;
  void FreePages() override;
  void OpenFinalScene() override;
  // Fills the hall of fame from the records and fades to it.
  void ShowHallOfFame() override;
  // The options screen from the configuration; its choices are carried
  // out at the start of the next frame (RunPendingOptions).
  void FillOptions() override;
  void ApplyOptions() override;
  void SetOptionVolume(bool music, float value) override;

  // Plays the "music" folder; built first, so it outlives every use.
  YMusicPlayer musicPlayer;
  // The font of the console and the frame-rate text.
  YFont* systemFont = nullptr;
  // The UI space, 1000 x 625; its default listener is this object.
  UIRoot uiRoot;
  // The renderer, created before every loader that needs it.
  std::unique_ptr<YRender> renderer;

  // The menu, dialog and result screens; declared after the UI root, so
  // they are gone before it is.
  GameScreens screens;

  // The game mode in play; null at start. Not owned: the modes live for
  // the process.
  YGameMaster* gameMaster = nullptr;

  FrameClock frameClock;
  // A message came since the menu's last frame was drawn: the next one is
  // drawn even while only its blast would change.
  bool messageCame_ = false;
  bool changedWithTime_ = false;  // a caret blinked or a control's look changed
  // The last key pressed was the console key (its character is not typed).
  bool consoleKey = false;

 private:
  // The screen-state word (read with State, changed with SetState).
  std::uint32_t state = kStateMenu;

  void CreateRenderer();
  void LoadStartupFiles();
  [[noreturn]] static void FailWithoutMainMenu(const std::string& file);
  void StartSound();
  // The board's view, sounds and the hooks of its buttons.
  void InstallBoardScreen();
  void RemoveBoardScreen();
  // The control panel's buttons that reach the screens.
  void InstallPanelScreens();
  // The game modes reach the application through this object.
  void InstallModeHost();
  void RemoveModeHost();
  void UpdateServices(float dt);
  // Draws the state's scene; false when the frame is already finished.
  bool DrawScene(float dt);
  void DrawOverlay();
  void DrawWaitNotice();
  void SetUp2D();
  // The board's frame: its step (only while the whole word is the board
  // state), the turn marker, the 3D board, units and arrow, the HUD and the
  // 2D particles over it.
  void DrawBoard(float dt);
  // The tile battle's frame: its step, the 3D board through the draw
  // queues, the panels, effects and 2D particles over it.
  void DrawBattle(float dt);
  // The battle screen up to its panels: the background stepped by dt, the
  // tiles and what lies over them in depth order, their shadows, the panels
  // (those that show in `area` when one is given).
  void DrawBattleLayer(float dt, YDrawQueue& tiles, YDrawQueue& over, const YRect* area = nullptr);
  void DrawBattleMarks(const std::array<float, 4>& bounds, YDrawQueue tiles, YDrawQueue over);
  // A screen with a turning blast: the screen without it as the still
  // layer, holding only what lies under the blast in the blast's
  // rectangle; then there the blast and what lies over it.
  void DrawAroundBlast(const UIControl& blast);
  // The interface, calling `reached` when the blast is (see
  // CustomDrawing::AtBlast).
  void DrawUIAtBlast(std::function<bool()> reached);
  // The turning blast of the menu shown, else null.
  const UIControl* MenuBlast() const;
  // Whether spare time loads textures now: while a game's scenes show.
  bool SpareTimeLoads() const;
  // Sleeps until the next frame is due, looking at the desktop between.
  void WaitForFrame();
  bool HandleStateKey(std::uint32_t virtualKey);
  // The frame's boundary: a resolution or language the options chose.
  void ChangeVideoMode(const std::string& videoMode);
  void ChangeLanguage(int language);
  void PassMouseToScene(int kind, int button, float x, float y);

  YShader* cursorShader_ = nullptr;
  std::unique_ptr<YTessorScreenView> boardView_;
  std::unique_ptr<YTessorSoundEffects> boardSounds_;
  std::unique_ptr<BoardScreenHooks> boardHooks_;
  std::unique_ptr<PanelScreenHooks> panelHooks_;
  GameModes gameModes_;
  // The introduction and help pages the book shows; after the screens, so
  // the pages go first.
  BookPages bookPages_{GetBook()};
  // Acts on the screens' clicks and screen changes.
  ScreenEvents events_{uiRoot, screens, *this, gameModes_};
  // Draws the lists, player panels and the menu's effect.
  CustomDrawing drawing_{screens, gameModes_, events_.lists, events_.selectedSave};
  // Fills and shows the result screens the game modes ask for.
  ScreenResults results_{uiRoot, screens, *this, gameModes_};
  // Tells the player of a file of theirs that was not written.
  FileNotice notice_{uiRoot, screens};
  // The options' choices, kept until the frame's boundary.
  OptionsScreen options_{{[this](const std::string& mode) { ChangeVideoMode(mode); },
                          [this](int language) { ChangeLanguage(language); }}};
};

// The application object; set by its constructor.
extern GameFramework* g_game;
