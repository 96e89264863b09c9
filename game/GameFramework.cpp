#include "game/GameFramework.h"

#include "framework/FrameworkHooks.h"
#include "framework/Init.h"
#include "framework/Log.h"
#include "game/ProgramStart.h"
#include "platform/Clock.h"
#include "platform/Random.h"

GameFramework* g_game = nullptr;

namespace {
constexpr float kMinFrameTime = 0.01f;  // frames gather at least 10 ms
constexpr float kMaxFrameTime = 0.05f;  // and step the game at most 50 ms
}  // namespace

GameFramework::GameFramework() {
  state = 4;
  g_game = this;
  platform::SeedRandom(platform::SystemTimeMs());
  Log::Printf("Initialization...%s", "");
  Init& config = GetInit();
  config.Load("config.yml");
  config.LoadFile("splash\\config.yml");
  fullscreen = config.fullscreen;
  previousFrameTime = GetTime();
  CreateMainWindow();
  state = 6;
}

GameFramework::~GameFramework() {
  if (g_game == this) g_game = nullptr;
}

void GameFramework::Quit() {
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

bool GameFramework::Frame() {
  const std::uint32_t now = GetTime();
  frameAccumulator += static_cast<float>(now - previousFrameTime) * 0.001f;
  previousFrameTime = now;
  if (frameAccumulator < kMinFrameTime) {
    platform::SleepMs(1);
    return false;
  }
  frameAccumulator = 0;
  const FrameworkHooks& hooks = GetFrameworkHooks();
  if (hooks.drawEmptyFrame) hooks.drawEmptyFrame();
  return true;
}

void GameFramework::CreateMainWindow() {
  const Init& config = GetInit();
  maximised = fullscreen ? false : config.maximized;
  if (fullscreen)
    CreateFullscreen(kProductTitle, config.videoMode);
  else
    CreateWindowed(kProductTitle, config.windowWidth, config.windowHeight);
}
