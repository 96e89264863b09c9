// The frame of the menu state with the console open, the frame rate shown
// and a command line that changes every frame: the whole application object (renderer, UI root, console,
// cursor, sound frame) on the OpenGL device. Needs an X display; runs from the program folder with a user
// folder of its own.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "framework/Init.h"
#include "game/GameFramework.h"
#include "game/YConsole.h"
#include "platform/GLDevice.h"
#include "render/Render_D3D.h"

namespace {

void MenuFrameWithConsole(benchmark::State& state) {
  if (std::getenv("DISPLAY") == nullptr) {
    state.SkipWithError("needs an X display");
    return;
  }
  const auto userParent = std::filesystem::temp_directory_path() / "qv-menu-bench";
  std::filesystem::create_directories(userParent / "QuennelVarrick");
  std::ofstream(userParent / "QuennelVarrick" / "config.yml")
      << "<config>\n  <video fullscreen=\"0\">\n  <window width=\"1000\" height=\"625\">\n</config>\n";
  setenv("APPDATA", userParent.c_str(), 1);
  std::filesystem::current_path(QV_GAME_DIR);

  auto game = std::make_unique<GameFramework>();
  game->SetState(GameFramework::kStateMenu);
  GetInit().fps = true;
  if (!YConsole::Instance()->IsOpen()) YConsole::Instance()->Toggle();  // it outlives a repetition
  for (int i = 0; i < 40; ++i) game->DrawFrame(0.05f);                  // the console slides fully open
  // Every frame has another command line typed, so no frame equals the one
  // before (the device would skip drawing it).
  const auto* device = dynamic_cast<const platform::GLDevice*>(GetGraphicsDevice());
  const std::uint64_t droppedBefore = device ? device->DroppedFrames() : 0;
  int frame = 0;
  for (auto _ : state) {
    YConsole::Instance()->commandLine = "frame " + std::to_string(++frame % 1000);
    game->DrawFrame(0.016f);
  }
  state.counters["dropped_frames"] =
      static_cast<double>(device ? device->DroppedFrames() - droppedBefore : 0);
  game.reset();
  std::filesystem::remove_all(userParent);
}
BENCHMARK(MenuFrameWithConsole)->Unit(benchmark::kMillisecond);

}  // namespace
