#include "game/GameFramework.h"

#include "framework/Init.h"
#include "framework/Log.h"
#include "game/ProgramStart.h"
#include "platform/Clock.h"
#include "platform/Random.h"
#include "render/DisplayMode.h"
#include "render/PlatformDisplaySystem.h"
#include "render/Render_D3D.h"
#include "render/RendererHooks.h"
#include "render/Shadows.h"
#include "render/YShader.h"
#include "sound/SoundHooks.h"
#include "sound/SoundSystem.h"
#include "sound/YSoundLoader.h"
#include "sound/YSoundSource.h"

GameFramework* g_game = nullptr;

namespace {
constexpr float kMinFrameTime = 0.01f;  // frames gather at least 10 ms
constexpr float kMaxFrameTime = 0.05f;  // and step the game at most 50 ms
constexpr float kUIWidth = 1000.0f;     // the UI space every screen is laid out in
constexpr float kUIHeight = 625.0f;
}  // namespace

GameFramework::GameFramework() {
  state = 4;
  g_game = this;
  platform::SeedRandom(platform::SystemTimeMs());
  CreateRenderer();
  LoadShaders("data\\shaders.yml");
  LoadSounds("data\\sound_fx.yml");
  LoadShaders("splash\\shaders.yml");
  Log::Printf("Initialization...%s", "");
  Init& config = GetInit();
  config.Load("config.yml");
  config.LoadFile("splash\\config.yml");
  StartSound();
  fullscreen = config.fullscreen;
  previousFrameTime = GetTime();
  CreateMainWindow();
  state = 6;
}

GameFramework::~GameFramework() {
  // The window goes first, taking the sound device and the renderer's device
  // with it, while the hooks that shut them down are still installed.
  KillWindow();
  RemoveSoundHooks();
  if (renderer) {
    RemoveRendererHooks(*renderer);
    renderer.reset();
  }
  if (g_game == this) g_game = nullptr;
}

void GameFramework::CreateRenderer() {
  auto render = std::make_unique<Render_D3D>(std::make_unique<PlatformDisplaySystem>());
  InstallRendererHooks(*render);
  GetDisplayModeList().SetModes(render->EnumerateModes());
  renderer = std::move(render);
}

// The music folder and the volumes; the device itself starts with the window.
void GameFramework::StartSound() {
  const Init& config = GetInit();
  musicPlayer.ScanFolder("music");
  SetListenerFactor(0.02f);
  SetEffectsVolume(config.soundVolume);
  SetMusicVolume(config.musicVolume);
  InstallSoundHooks();
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

bool GameFramework::GatherFrameTime(float& dt) {
  const std::uint32_t now = GetTime();
  frameAccumulator += static_cast<float>(now - previousFrameTime) * 0.001f;
  previousFrameTime = now;
  if (frameAccumulator < kMinFrameTime) {
    platform::SleepMs(1);
    return false;
  }
  dt = frameAccumulator < kMaxFrameTime ? frameAccumulator : kMaxFrameTime;
  frameAccumulator = 0;
  return true;
}

void GameFramework::SetUp2D() {
  renderer->SetViewport(kUIWidth, kUIHeight);
  renderer->Set2DProjection(kUIWidth, kUIHeight);
}

bool GameFramework::Frame() {
  if (!renderer || !renderer->CheckDevice()) return false;
  float dt = 0;
  if (!GatherFrameTime(dt)) return false;
  ClearShadowVolumes();
  UpdateShaders(dt);
  SoundFrame();
  renderer->BeginFrame(true);
  SetUp2D();
  renderer->SetShader(nullptr, true);
  renderer->EndFrame();
  const Init& config = GetInit();
  if (config.stopTime > 0) platform::SleepMs(static_cast<std::uint32_t>(config.stopTime));
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
