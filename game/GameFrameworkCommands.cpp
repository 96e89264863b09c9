// The application object as the console's handler and as the listener of
// the controls and screen changes.
#include <algorithm>
#include <cstdint>

#include "board/YTessor.h"
#include "draw/YControlPanel.h"
#include "framework/Init.h"
#include "framework/IntToString.h"
#include "framework/Log.h"
#include "game/GameFramework.h"
#include "game/YConsole.h"
#include "render/DisplayMode.h"
#include "sound/SoundSystem.h"

namespace {
enum ConsoleVariable { kFps, kFullscreen, kVideoMode, kSoundVolume, kMusicVolume, kShadows, kStopTime };
constexpr int kExitCommand = 0;
constexpr int kClickEvent = 0;
constexpr int kSelectionChangedEvent = 4;
constexpr int kDrawEvent = 1;
constexpr int kScreenChangedEvent = 6;
constexpr std::int32_t kLongestStopTimeMs = 1000;
}  // namespace

void GameFramework::OnCommand(int id) {
  YConsole* console = YConsole::Instance();
  if (id == kExitCommand) {
    Quit();
    console->echoPrefix += " ok.";
  }
  console->Print(console->echoPrefix);
}

void GameFramework::OnVariable(int id) {
  YConsole* console = YConsole::Instance();
  Init& config = GetInit();
  std::string reply;
  switch (id) {
    case kFps:
      config.fps = console->ParseBool();
      reply = BoolToString(config.fps);
      break;
    case kFullscreen: {
      const bool wanted = console->ParseBool();
      if (wanted != fullscreen) ToggleFullscreen();
      reply = BoolToString(wanted);
      break;
    }
    case kVideoMode:
      // A mode the display does not list becomes the one chosen for it, as
      // the configuration file's mode does.
      config.videoMode = FindDisplayMode(GetDisplayModeList(), console->valueText);
      KillWindow();
      CreateMainWindow();
      reply = config.videoMode;
      break;
    case kSoundVolume:
      SetEffectsVolume(console->GetFloat());
      reply = FloatToString(config.soundVolume);
      break;
    case kMusicVolume:
      SetMusicVolume(console->GetFloat());
      reply = FloatToString(config.musicVolume);
      break;
    case kShadows:
      config.shadows = console->ParseBool();
      reply = BoolToString(config.shadows);
      break;
    case kStopTime:
      // Longer would leave the game taking input once in minutes.
      config.stopTime = std::min<std::int32_t>(console->GetInt(), kLongestStopTimeMs);
      reply = IntToString(config.stopTime);
      break;
    default:
      break;
  }
  // Logged, so a player's log keeps what the console changed; the log's
  // echo shows it on the console.
  Log::Write(console->echoPrefix + reply);
}

void GameFramework::OnEvent(int code, UIControl* sender) {
  if (code == kClickEvent) {
    if (notice_.TakeClick(sender)) return;
    events_.OnClick(sender);
  } else if (code == kSelectionChangedEvent) {
    events_.portrait.OnSelectionChanged(state, sender);
  } else if (code == kDrawEvent) {
    drawing_.Draw(sender);
  } else if (code == kScreenChangedEvent) {
    events_.scenes.panel = GetControlPanel().window.get();
    events_.scenes.board = GetTessor().ScreenRoot();
    events_.scenes.book = GetBook().Window();
    events_.OnScreenChanged(sender);
  }
}
