// The application object's input: its own keys first, then the console or
// the UI root; mouse input in view coordinates to the UI root and, while no
// modal is open, to the scene of the state.
#include "board/YTessor.h"
#include "draw/YControlPanel.h"
#include "game/GameFramework.h"
#include "game/YConsole.h"
#include "game/book/YFinalScene.h"
#include "platform/VirtualKeys.h"
#include "render/SplashScreens.h"
#include "render/YRender.h"
#include "render/YShader.h"
#include "tiles/YTileset.h"

namespace {
constexpr float kCursorSize = 60.0f;
enum MouseKind { kMove, kDown, kUp };
}  // namespace

// Keys the state itself takes (the splash screens); true when taken.
bool GameFramework::HandleStateKey(std::uint32_t virtualKey) {
  if (events_.OnBookKey(virtualKey)) return true;  // a book's page keys
  if ((state & 7) != kStateSplash) return false;
  if (virtualKey == platform::vk::Escape)
    GetSplashScreens().SkipAll();
  else
    GetSplashScreens().Skip();
  return true;
}

void GameFramework::OnKeyDown(std::uint32_t virtualKey) {
  if (YFinalScene::ShownIn(state)) return YFinalScene::Instance().OnInput(*this);
  if (!YConsole::Instance()->IsOpen() && events_.OnMessageKey(virtualKey)) return;
  if (HandleStateKey(virtualKey)) return;
  // Escape asks to abort a game in progress; it never reaches the UI.
  if (virtualKey == platform::vk::Escape) {
    events_.AskAbort();
    return;
  }
  if (virtualKey == platform::vk::F1) {
    events_.OnHelpKey();
    return;
  }
  const bool ctrlAlt = IsKeyDown(platform::vk::Control) && IsKeyDown(platform::vk::Menu);
  if (virtualKey == platform::vk::F8) {
    if (ctrlAlt) ToggleFullscreen();
    return;
  }
  consoleKey = virtualKey == platform::vk::Oem3;
  YConsole* console = YConsole::Instance();
  if (consoleKey && ctrlAlt) {
    console->Toggle();
    return;
  }
  if (!console->IsOpen()) {
    uiRoot.OnKeyDown(static_cast<int>(virtualKey));
    return;
  }
  if (virtualKey == platform::vk::Prior) console->Scroll(true);
  if (virtualKey == platform::vk::Next) console->Scroll(false);
}

void GameFramework::OnChar(std::uint32_t character) {
  if (consoleKey) return;
  YConsole* console = YConsole::Instance();
  if (console->IsOpen())
    console->OnChar(character);
  else
    uiRoot.OnChar(static_cast<int>(character));
}

void GameFramework::ScreenToView(float& x, float& y) const {
  ClientToView(mouseX, mouseY, clientWidth, clientHeight, currentAspect, designAspect, x, y);
}

void GameFramework::PassMouseToScene(int kind, int button, float x, float y) {
  if (uiRoot.GetActive() != nullptr) {
    if (kind == kMove) uiRoot.OnMouseMove(x, y);
    if (kind == kDown) uiRoot.OnMouseDown(button, x, y);
    if (kind == kUp) uiRoot.OnMouseUp(button, x, y);
  }
  if (!ScreenEvents::SceneTakesMouse(state, uiRoot.GetTopModal() != nullptr)) return;
  if ((state & 7) == kStateSplash && kind == kDown) GetSplashScreens().Skip();
  if ((state & 7) == kStateBoard) {
    YTessor& board = GetTessor();
    if (kind == kMove) board.OnMouseMove(x, y);
    if (kind == kDown) board.OnCellClick(button, x, y);
    if (kind == kUp) board.OnMouseUp(button, x, y);
  }
  if ((state & 7) == kStateBattle) {
    if (kind == kMove) GetTileset().OnMouseMove(x, y);
    if (kind == kDown) GetTileset().OnClick(button, x, y);
  }
  if ((state & 7) == kStatePanel) {
    YControlPanel& panel = GetControlPanel();
    if (kind == kMove) panel.OnMouseMove(x, y);
    if (kind == kDown) panel.OnMouseDown(button, x, y);
    if (kind == kUp) panel.OnMouseUp(button, x, y);
  }
  if (kind == kDown && YFinalScene::ShownIn(state)) YFinalScene::Instance().OnInput(*this);
}

void GameFramework::OnMouseMove(int, int) {
  float x = 0, y = 0;
  ScreenToView(x, y);
  PassMouseToScene(kMove, 0, x, y);
}

void GameFramework::OnMouseDown(int button, int, int) {
  float x = 0, y = 0;
  ScreenToView(x, y);
  PassMouseToScene(kDown, button, x, y);
}

void GameFramework::OnMouseUp(int button, int, int) {
  float x = 0, y = 0;
  ScreenToView(x, y);
  PassMouseToScene(kUp, button, x, y);
}

void GameFramework::OnMouseWheel(int) {}

// The drawn cursor goes with the pointer when it leaves the window.
void GameFramework::DrawCursor(bool clipped) {
  if (!mouseInside) return;
  if (cursorShader_ == nullptr) cursorShader_ = GetShader("cursor");
  float vx = 0, vy = 0;
  ScreenToView(vx, vy);
  const YVector2 at = uiRoot.ToUICoords(vx, vy);
  const float l = at.x, t = at.y, r = at.x + kCursorSize, b = at.y + kCursorSize;
  const YTexVertex quad[4] = {
      YTexVertex(YVector3(l, t, 0), YVector2(0, 0)), YTexVertex(YVector3(l, b, 0), YVector2(0, 1)),
      YTexVertex(YVector3(r, b, 0), YVector2(1, 1)), YTexVertex(YVector3(r, t, 0), YVector2(1, 0))};
  if (clipped) renderer->ClipTo(YRect(l, t, kCursorSize, kCursorSize), uiRoot.Width(), uiRoot.Height());
  renderer->SetShader(cursorShader_, true);
  renderer->DrawQuad28(quad);
  if (clipped) renderer->Unclip();
}
