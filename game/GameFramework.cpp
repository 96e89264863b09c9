#include "game/GameFramework.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "board/YTessor.h"
#include "board/YTessorScreenView.h"
#include "board/YTessorSounds.h"
#include "draw/ParticleSystem.h"
#include "draw/YControlPanel.h"
#include "framework/FileAlerts.h"
#include "framework/Init.h"
#include "framework/Log.h"
#include "game/AppIcon.h"
#include "game/BoardScreenHooks.h"
#include "game/PanelScreenHooks.h"
#include "game/ProgramStart.h"
#include "game/YConsole.h"
#include "game/book/YFinalScene.h"
#include "modes/DuelGold.h"
#include "modes/YGameQuest.h"
#include "platform/Clock.h"
#include "platform/Process.h"
#include "platform/Random.h"
#include "players/PlayerProfiles.h"
#include "players/Stats.h"
#include "players/YPlayerHero.h"
#include "render/DisplayMode.h"
#include "render/PlatformDisplaySystem.h"
#include "render/Render_D3D.h"
#include "render/RendererHooks.h"
#include "render/Shadows.h"
#include "render/SplashScreens.h"
#include "render/TextureLoading.h"
#include "render/YCamera.h"
#include "render/YDrawQueue.h"
#include "render/YFont.h"
#include "render/YFontLoader.h"
#include "render/YShader.h"
#include "render/YTextureBase.h"
#include "sound/SoundHooks.h"
#include "sound/SoundSystem.h"
#include "sound/YSoundLoader.h"
#include "sound/YSoundSource.h"
#include "tiles/TileBattleScreen.h"
#include "tiles/YTileBlurDrawer.h"
#include "tiles/YTileDrawer.h"
#include "tiles/YTileset.h"
#include "tiles/effects/YSEffect.h"
#include "ui/UIControl.h"

GameFramework* g_game = nullptr;

namespace {
constexpr float kUIWidth = 1000.0f;  // the UI space every screen is laid out in
constexpr float kUIHeight = 625.0f;
constexpr float kFpsTextSize = 32.0f;
// The longest the loop sleeps between looks at the desktop's events.
constexpr std::uint32_t kLongestSleepMs = 10;

// The control's rectangle in the UI space: its own moved by its ancestors'.
YRect AreaInUI(const UIControl& control) {
  YRect area = control.rect;
  for (const UIControl* outer = control.Parent(); outer != nullptr; outer = outer->Parent()) {
    area.x += outer->rect.x;
    area.y += outer->rect.y;
  }
  return area;
}
}  // namespace

GameFramework::GameFramework() : uiRoot(kUIWidth, kUIHeight, nullptr) {
  uiRoot.SetDefaultListener(this);
  g_game = this;
  platform::SeedRandom(platform::SystemTimeMs());
  YConsole::Instance(this);
  CreateRenderer();
  LoadStartupFiles();
  StartSound();
  fullscreen = GetInit().fullscreen;
  frameClock.Restart(GetTime());
  CreateMainWindow();
  SetState(kStateSplash);
}

GameFramework::~GameFramework() {
  GetTileBattleScreen().SetMusicPlayer(nullptr);
  RemoveBoardScreen();
  GetControlPanel().SetScreens(nullptr);
  RemoveModeHost();
  // The window goes first, taking the sound device and the renderer's device
  // with it, while the hooks that shut them down are still installed.
  KillWindow();
  RemoveSoundHooks();
  if (YConsole* console = YConsole::Instance(); console && console->handler == this)
    console->handler = nullptr;
  if (renderer) {
    RemoveRendererHooks(*renderer);
    renderer.reset();
  }
  if (g_game == this) g_game = nullptr;
}

void GameFramework::CreateRenderer() {
  auto render = std::make_unique<Render_D3D>(std::make_unique<PlatformDisplaySystem>());
  render->deferTextureLoads = true;
  InstallRendererHooks(*render);
  GetDisplayModeList().SetModes(render->EnumerateModes());
  renderer = std::move(render);
}

// The data files of the start, in the order each needs the one before.
void GameFramework::LoadStartupFiles() {
  YFontLoader::LoadFonts("data\\fonts.yml", kFonts);
  LoadShaders("data\\shaders.yml");
  LoadSounds("data\\sound_fx.yml");
  systemFont = YFont::Find("sysfont");
  LoadShaders("splash\\shaders.yml");
  Log::Printf("Initialization...%s", "");
  // Splash entries of the user's own file add their screens too.
  InstallSplashSink();
  Init& config = GetInit();
  config.Load(Init::kFileName);
  config.LoadFile("splash\\config.yml");
  ScanPlayerProfiles();
  // The hall's records are held to the campaign's levels; without level
  // files (a damaged program folder) the hall is left as it is.
  if (const std::int32_t levels = CampaignLevelCount(); levels > 0) GetStats().levelCount = levels;
  GetStats().Load();
  ListQuestSavesAtStartup();
  GetTileset().LoadTexture();
  LoadScreens();
  GetTileset().SetEvents(&GetTileBattleScreen());
  duel_gold::InstallGoldRouting();
  GetTileBattleScreen().SetMusicPlayer(&musicPlayer);
  InstallBoardScreen();
  InstallPanelScreens();
  InstallModeHost();
  SetProfileSelectedHook([](YPlayerHero* player, YMonsterShop* shop, int tab) {
    if (player == nullptr) return GetControlPanel().Release();
    GetControlPanel().SetPlayer(player, shop, tab);
  });
}

void GameFramework::InstallBoardScreen() {
  YTessor& board = GetTessor();
  boardView_ = std::make_unique<YTessorScreenView>(board);
  boardSounds_ = std::make_unique<YTessorSoundEffects>();
  // During a board game the panel shows the record without the shop.
  boardHooks_ = std::make_unique<BoardScreenHooks>(
      [this] { events_.AskAbort(); }, [this](YPlayer* record) { OpenControlPanel(record, nullptr, 0); },
      [this](YPlayer* record) { ShowHeroSkill(dynamic_cast<YPlayerHero*>(record)); });
  board.SetView(boardView_.get());
  board.SetSounds(boardSounds_.get());
  board.SetScreenHooks(boardHooks_.get());
}

void GameFramework::InstallPanelScreens() {
  panelHooks_ = std::make_unique<PanelScreenHooks>([this](YPlayerHero* hero) { ShowHeroSkill(hero); },
                                                   [this] { BackToMenu(); });
  GetControlPanel().SetScreens(panelHooks_.get());
}

void GameFramework::RemoveBoardScreen() {
  YTessor& board = GetTessor();
  board.SetView(nullptr);
  board.SetSounds(nullptr);
  board.SetScreenHooks(nullptr);
}

// The music folder and the listener; the volumes are the configuration's
// own, and the device itself starts with the window.
void GameFramework::StartSound() {
  musicPlayer.ScanFolder("music");
  SetListenerFactor(0.02f);
  InstallSoundHooks();
}

void GameFramework::Quit() {
  events_.EndProgram();
}

void GameFramework::QuitGame() {
  GetInit().SaveFile();
  YFramework::Quit();
}

void GameFramework::OnSize(int width, int height) {
  if (fullscreen) return;
  Init& config = GetInit();
  config.maximized = maximised;
  if (maximised) return;
  config.windowWidth = width;
  config.windowHeight = height;
}

void GameFramework::UpdateServices(float dt) {
  changedWithTime_ = uiRoot.Update(dt);
  ClearShadowVolumes();
  UpdateShaders(dt);
  changedWithTime_ = YConsole::Instance()->Update(dt) || changedWithTime_;
  SoundFrame();
}

void GameFramework::SetUp2D() {
  renderer->SetViewport(kUIWidth, kUIHeight);
  renderer->Set2DProjection(kUIWidth, kUIHeight);
}

bool GameFramework::DrawScene(float dt) {
  const std::uint32_t scene = events_.FrameScene();
  // The help book over any state; state 5 is the final scene with its bit,
  // else the introduction's book.
  if ((state & screen_state::kHelpBook) != 0 || (state & 7) == screen_state::kBook) {
    renderer->BeginFrame(true);
    SetUp2D();
    if ((state & screen_state::kHelpBook) == 0 && YFinalScene::ShownIn(state))
      YFinalScene::Instance().Draw(dt);
    else
      GetBook().DrawScreen(dt);
    return true;
  }
  if ((state & 7) == kStateSplash) {
    SplashScreens& splash = GetSplashScreens();
    splash.Update(dt);
    renderer->BeginFrame(false);
    if (!splash.Draw()) {
      ShowMainMenu();
      splash.ReleaseTextures();  // the splash cards are done with
      platform::ReturnFreedMemory();
    }
    renderer->EndFrame();
    return false;
  }
  if (scene == kStateBoard) {
    DrawBoard(dt);
    return true;
  }
  if (scene == kStateBattle) {
    DrawBattle(dt);
    return true;
  }
  const bool panel = scene == kStatePanel;
  if ((state & 7) == kStatePanel) GetControlPanel().Update(dt);
  if (const UIControl* blast = MenuBlast()) {
    // Only the blast would change, and such a frame would not be shown
    // yet: it turns without being drawn, unless a message came or a caret
    // blinked, which shows in time.
    if (!std::exchange(messageCame_, false) && !changedWithTime_ && renderer->HoldsSlowDrawing()) {
      drawing_.StepBlast();
      return false;
    }
    DrawAroundBlast(*blast);
    return true;
  }
  renderer->BeginFrame(true);
  SetUp2D();
  if (panel) GetControlPanel().Draw();
  if ((state & 7) != kStateNone) uiRoot.Draw();
  return true;
}

void GameFramework::DrawBoard(float dt) {
  YTessor& board = GetTessor();
  ParticleSystem& particles = GetParticleSystem();
  if (state == kStateBoard) board.Update(dt);
  particles.Update3D(dt);
  // The board, its pieces and their shadows stand still while the player
  // thinks: the device may keep their picture. The side marker runs along
  // the portraits, clear of the board, so it is drawn after them.
  renderer->SetStillDrawing(true);
  renderer->BeginFrame(true);
  SetUp2D();
  GetCamera().Apply();
  board.DrawBoard();
  YDrawQueue::Flush2();
  YDrawQueue::Flush1();
  DrawShadows();
  renderer->SetStillDrawing(false);
  SetUp2D();
  board.DrawSideMarker();
  GetCamera().Apply();
  board.DrawArrow();
  renderer->Set2DProjection(kUIWidth, kUIHeight);
  board.DrawScreenFrame();
  board.DrawInfo();
  particles.UpdateAndDraw2D(dt);
  uiRoot.Draw();
}

void GameFramework::DrawBattle(float dt) {
  YTileset& battle = GetTileset();
  ParticleSystem& particles = GetParticleSystem();
  if ((state & 7) == kStateBattle)
    battle.Update(dt);
  else
    battle.QueueStanding();
  particles.Update3D(dt);
  const std::vector<YTileBlurDrawer::ClipBounds> marks =
      YTileBlurDrawer::Instance().MarksClipBounds(GetCamera().ViewProjection());
  std::optional<YDrawQueue> tiles, over;
  if (!marks.empty()) tiles = YDrawQueue::Queue2(), over = YDrawQueue::Queue1();
  // The background, the tiles, their shadows and the panels seldom change
  // while the player thinks: the device may keep their picture.
  renderer->SetStillDrawing(true);
  DrawBattleLayer(dt, YDrawQueue::Queue2(), YDrawQueue::Queue1());
  renderer->SetStillDrawing(false);
  for (const YTileBlurDrawer::ClipBounds& bounds : marks) DrawBattleMarks(bounds, *tiles, *over);
  DrawEffects();
  particles.UpdateAndDraw2D(dt);
  uiRoot.Draw();
}

void GameFramework::DrawBattleLayer(float dt, YDrawQueue& tiles, YDrawQueue& over, const YRect* area) {
  YTileset& battle = GetTileset();
  renderer->BeginFrame(true);
  SetUp2D();
  battle.DrawBackground(dt);
  GetCamera().Apply();
  tiles.Flush();
  over.Flush();
  DrawShadows();
  renderer->Set2DProjection(kUIWidth, kUIHeight);
  if (area != nullptr)
    battle.DrawPanelsIn(*area);
  else
    battle.DrawPanels();
}

// The marks on tiles that stand still (the selection, the hint) shake at
// every frame. Left out of the still layer, they leave its picture for the
// device to keep; the layer is drawn again with them, clipped to a marked
// tile's place on the screen (`bounds`, in clip space) and with only the
// tiles and panels that reach into it, where it shows as drawn whole.
void GameFramework::DrawBattleMarks(const YTileBlurDrawer::ClipBounds& bounds, YDrawQueue tiles,
                                    YDrawQueue over) {
  YTileBlurDrawer::Instance().QueueMarks(over);
  const float left = (bounds[0] + 1) * kUIWidth / 2, top = (1 - bounds[3]) * kUIHeight / 2;
  const float right = (bounds[2] + 1) * kUIWidth / 2, bottom = (1 - bounds[1]) * kUIHeight / 2;
  const YRect area(left, top, right - left, bottom - top);
  renderer->ClipTo(area, kUIWidth, kUIHeight);
  YTileDrawer::Instance().LimitTo(&bounds);
  DrawBattleLayer(0, tiles, over, &area);
  YTileDrawer::Instance().LimitTo(nullptr);
  renderer->Unclip();
}

// The blast turns a little at every frame while the rest of the screen
// stands still. The still layer, whose kept picture the device shows
// again, is the screen without the blast, but for the blast's rectangle,
// which holds only what lies under the blast. Over it each frame draws,
// clipped to that rectangle, the blast and what lies over it (titles,
// dialogs, fades), which cover it there as in a frame drawn whole.
void GameFramework::DrawAroundBlast(const UIControl& blast) {
  const YRect area = AreaInUI(blast);
  const auto clipTo = [this](const YRect& clip) {
    renderer->ClipTo(clip, kUIWidth, kUIHeight);
    renderer->BeginFrame(true);
    SetUp2D();
  };
  renderer->SetStillDrawing(true);
  renderer->BeginFrame(true);
  SetUp2D();
  DrawUIAtBlast([] { return false; });
  clipTo(area);
  DrawUIAtBlast([this] {
    renderer->ClipTo(YRect(), kUIWidth, kUIHeight);  // the rest lies over the blast
    return false;
  });
  renderer->Unclip();
  renderer->SetStillDrawing(false);
  clipTo(YRect());  // what lies under the blast is in the still layer
  DrawUIAtBlast([this, area] {
    renderer->ClipTo(area, kUIWidth, kUIHeight);
    return true;
  });
  renderer->Unclip();
}

void GameFramework::DrawUIAtBlast(std::function<bool()> reached) {
  drawing_.AtBlast(std::move(reached));
  uiRoot.Draw();
  drawing_.AtBlast(nullptr);
}

const UIControl* GameFramework::MenuBlast() const {
  return (state & 7) == kStateMenu ? drawing_.BlastOf(uiRoot.CurrentScreen()) : nullptr;
}

// Over a menu whose blast alone turns, the cursor is clipped to its own
// square, so that the frame changes only the two and the device can show
// just those parts anew; elsewhere a clip would only cost.
void GameFramework::DrawOverlay() {
  SetUp2D();
  DrawWaitNotice();
  DrawCursor(MenuBlast() != nullptr && !YConsole::Instance()->IsOpen());
  YConsole::Instance()->Draw();
  renderer->SetShader(nullptr, true);
  if (GetInit().fps) YFont::DrawTextF(systemFont, 0, 32, kFpsTextSize, "FPS=%0.1f", static_cast<double>(fps));
}

void GameFramework::OnIdle() {
  // Spare time loads what a game's scenes (the control panel, the board, the
  // duel) will draw, once a game is under way; the splash and the menus draw
  // few textures, which load as they are drawn, so that the menu does not
  // hold the battles' textures.
  if (SpareTimeLoads()) LoadNextWaitingTexture();
}

// Until the next frame is due the loop sleeps, looking at the desktop's
// events again at least every kLongestSleepMs, so that input waits no
// longer; spare-time loading or a timer keeps it to a millisecond.
void GameFramework::WaitForFrame() {
  const bool busy = !timers.empty() || (SpareTimeLoads() && YTextureBase::WaitingForFirstUse() > 0);
  platform::SleepMs(busy ? 1 : std::clamp(frameClock.MsUntilDue(), std::uint32_t{1}, kLongestSleepMs));
}

bool GameFramework::SpareTimeLoads() const {
  const std::uint32_t scene = state & 7;
  return scene >= kStatePanel && scene <= kStateBattle;
}

bool GameFramework::Frame() {
  // The frame's boundary: no click is being handled, so the options may
  // delete the screens and re-create the window, file troubles may be
  // shown and a result whose screen could not be made goes on.
  options_.RunPending();
  FileAlerts::ShowFailedFiles();
  notice_.ShowWaiting(state);
  results_.AnswerUnmadeScreen();
  if (!renderer || !renderer->CheckDevice()) return false;
  float dt = 0;
  frameClock.SetCalm(renderer->LastFrameCalm());
  if (!frameClock.Gather(GetTime(), dt)) {
    WaitForFrame();
    return false;
  }
  const Init& config = GetInit();
  if (DrawFrame(dt) && config.stopTime > 0) platform::SleepMs(static_cast<std::uint32_t>(config.stopTime));
  return true;
}

// Any message (input above all) makes the next frame due at once, so a
// calm screen answers within a frame.
std::intptr_t GameFramework::WindowProc(platform::Window* window, std::uint32_t message,
                                        std::uintptr_t wParam, std::intptr_t lParam) {
  frameClock.Wake();
  messageCame_ = true;
  return YFramework::WindowProc(window, message, wParam, lParam);
}

bool GameFramework::DrawFrame(float dt) {
  UpdateServices(dt);
  if (!DrawScene(dt)) return false;  // the splash presents on its own
  DrawOverlay();
  renderer->EndFrame();
  return true;
}

void GameFramework::CreateMainWindow() {
  const Init& config = GetInit();
  maximised = fullscreen ? false : config.maximized;
  if (fullscreen) {
    CreateFullscreen(kProductTitle, config.videoMode);
    return;
  }
  CreateWindowed(kProductTitle, config.windowWidth, config.windowHeight);
  // The desktop may have given a smaller window than asked for; that size
  // is the one to remember, even before its first size message.
  if (maximised || !window) return;
  int width = 0, height = 0;
  window->ClientSize(width, height);
  if (width > 0 && height > 0) OnSize(width, height);
}

platform::IconImage GameFramework::GetIcon() {
  return LoadAppIcon();
}

void GameFramework::ToggleFullscreen() {
  KillWindow();
  fullscreen = !fullscreen;
  GetInit().fullscreen = fullscreen;
  CreateMainWindow();
}
