// The frame of the tile battle state: a full duel of 144 tiles on the
// standard layout with three spell effects always running (flames over a
// portrait, a fire storm's blasts and a forking lightning), drawn by the
// whole application object on the OpenGL device. Needs an X display; runs
// from the program folder with a user folder of its own.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "framework/Init.h"
#include "game/GameFramework.h"
#include "platform/GLDevice.h"
#include "players/YPlayer.h"
#include "render/Render_D3D.h"
#include "render/Shadows.h"
#include "tiles/YTileset.h"
#include "tiles/effects/EffectPoints.h"
#include "tiles/effects/YSEffect.h"
#include "tiles/effects/YSEffectArmageddon.h"
#include "tiles/effects/YSEffectFlames.h"
#include "tiles/effects/YSEffectLightning.h"

namespace {

double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

void Fighter(YPlayer& player, const char* name) {
  player.name = name;
  player.health = player.shownHealth = 100;
  player.mana = player.shownMana = {20, 20, 20, 20};
  player.maxValues = {0, 30, 30, 30, 30, 100};
}

// Keeps three effects alive, starting whichever kind comes next in turn.
void KeepThreeEffects(int& next) {
  while (LiveEffectCount() < 3) {
    switch (next++ % 3) {
      case 0:
        StartEffect<YSEffectHellfire>(1);
        break;
      case 1:
        StartEffect<YSEffectArmageddon>(0);
        break;
      default:
        StartEffect<YSEffectLightning>(effect_points::ClashPoint(), effect_points::Portrait(1), 0.3f, true);
        break;
    }
  }
}

// The frame split for the profile: range(0) bit 0 leaves the shadows out,
// bit 1 the effects; bit 2 draws the still layer (background, tiles,
// shadows, panels) every frame rather than restoring its kept picture.
void DuelFrame(benchmark::State& state) {
  const bool shadows = (state.range(0) & 1) == 0;
  const bool effects = (state.range(0) & 2) == 0;
  const bool keepStill = (state.range(0) & 4) == 0;
  if (std::getenv("DISPLAY") == nullptr) {
    state.SkipWithError("needs an X display");
    return;
  }
  const auto userParent = std::filesystem::temp_directory_path() / "qv-duel-bench";
  std::filesystem::create_directories(userParent / "QuennelVarrick");
  std::ofstream(userParent / "QuennelVarrick" / "config.yml")
      << "<config>\n  <video fullscreen=\"0\">\n  <window width=\"1000\" height=\"625\">\n</config>\n";
  setenv("APPDATA", userParent.c_str(), 1);
  std::filesystem::current_path(QV_GAME_DIR);

  auto game = std::make_unique<GameFramework>();
  YTileset& battle = GetTileset();
  battle.Load("ui\\english\\");
  YPlayer left, right;
  Fighter(left, "Left");
  Fighter(right, "Right");
  battle.BeginBattle("layouts\\standard.lay", &left, &right, 0);
  battle.SetupView();
  game->SetState(GameFramework::kStateBattle);
  if (auto* device = dynamic_cast<platform::GLDevice*>(GetGraphicsDevice())) {
    platform::GLDeviceThrift thrift;
    thrift.keepStillLayer = keepStill;
    device->SetThrift(thrift);
  }
  for (int i = 0; i < 100; ++i) game->DrawFrame(0.05f);  // the deal lands
  state.counters["tiles"] = battle.State().board.LiveCount();
  GetInit().shadows = shadows;
  int next = 0;
  std::size_t faces = 0;
  const double cpuBefore = ProcessCpuSeconds();
  for (auto _ : state) {
    if (effects) KeepThreeEffects(next);
    game->DrawFrame(0.016f);
    faces += (GetShadowVolumes().Front().size() + GetShadowVolumes().Back().size()) / 3;
  }
  state.counters["process_cpu_ms"] =
      benchmark::Counter((ProcessCpuSeconds() - cpuBefore) * 1000, benchmark::Counter::kAvgIterations);
  state.counters["shadow_triangles"] =
      benchmark::Counter(static_cast<double>(faces), benchmark::Counter::kAvgIterations);
  GetInit().shadows = true;
  battle.ClearTiles();
  game.reset();
  std::filesystem::remove_all(userParent);
}
BENCHMARK(DuelFrame)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Arg(4)->Arg(6)->Unit(benchmark::kMillisecond);

}  // namespace
