// A 3-D board frame at the desktop's size: a 2-D background, a lit ground,
// eighteen piece meshes with stencil shadows and a few lines of text, the
// way the board screen draws, the camera turning a little every frame (an
// unchanged frame would not be drawn at all). Reports the wall time of a
// frame and the CPU time the whole process (the driver's threads too)
// spends on it, so the software rasteriser's thread count can be chosen
// from measurements (LP_NUM_THREADS set around the run). Needs an X
// display; runs from the program folder.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/Window.h"
#include "render/PlatformDisplaySystem.h"
#include "render/Render_D3D.h"
#include "render/Shadows.h"
#include "render/StyledText.h"
#include "render/YCamera.h"
#include "render/YFont.h"
#include "render/YFontLoader.h"
#include "render/YMeshCache.h"
#include "render/YMeshInstance.h"
#include "render/YShader.h"

namespace {

double ProcessCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

void Quad2D(Render_D3D& render, float x, float y, float w, float h) {
  const YTexVertex quad[4] = {
      {{x, y, 0}, {0, 0}}, {{x, y + h, 0}, {0, 1}}, {{x + w, y + h, 0}, {1, 1}}, {{x + w, y, 0}, {1, 0}}};
  render.DrawQuad28(quad);
}

void Ground(Render_D3D& render) {
  const float h = 5;
  const YMeshVertex q[4] = {{-h, -h, 0, 0, 0, 1, 0, 1, 0, 1},
                            {h, -h, 0, 0, 0, 1, 1, 1, 1, 1},
                            {h, h, 0, 0, 0, 1, 1, 0, 1, 0},
                            {-h, h, 0, 0, 0, 1, 0, 0, 0, 0}};
  render.SetShader(GetShader("debug_textured"), true);
  render.SetWorldTransform(YMatrix4());
  render.DrawQuad40(q);
}

void BoardFrame(benchmark::State& state) {
  if (std::getenv("DISPLAY") == nullptr) {
    state.SkipWithError("needs an X display");
    return;
  }
  int width = 0, height = 0;
  platform::DesktopSize(width, height);
  platform::WindowDesc desc;
  desc.title = "Board frame benchmark";
  desc.clientWidth = width;
  desc.clientHeight = height;
  auto window = platform::Window::Create(desc, nullptr);
  window->Show(false);
  auto render = std::make_unique<Render_D3D>(std::make_unique<PlatformDisplaySystem>());
  render->EnumerateModes();
  render->CreateDevice(*window, false, -1);
  LoadShaders("data\\shaders.yml");
  YFontLoader::LoadFonts("data\\fonts.yml");
  std::vector<std::unique_ptr<YMeshInstance>> pieces;
  const char* names[3] = {"mesh\\piece.mes", "mesh\\pieceboss.mes", "mesh\\piecehero.mes"};
  for (int i = 0; i < 18; ++i) {
    auto& piece = pieces.emplace_back(std::make_unique<YMeshInstance>(YMeshCache::Load(names[i % 3]), 0.12f, 1));
    piece->shaders = {GetShader("debug_flat"), GetShader("debug_textured")};
    piece->world.SetTranslation(YVector3(static_cast<float>(i % 9) - 4, i < 9 ? -3.0f : 3.0f, 0));
  }
  const UITextStyle text{YFont::Find("mainfont"), 28, YColor(1, 1, 1, 1)};
  double cpu = 0;
  float angle = 0;
  int frame = 0;
  for (auto _ : state) {
    const double before = ProcessCpuSeconds();
    // With range(0) 0 the camera turns a little every frame, so the board
    // is drawn every frame; with 1 it stands still and the device may
    // restore the board's kept picture (the board screen while the player
    // thinks).
    if (state.range(0) == 0) angle += 0.001f;
    GetCamera().SetView(YCamera::LookAtPlacement({9 * std::sin(angle), -9 * std::cos(angle), 9}, {0, 0, 0},
                                                  {0, 0, 1}));
    ClearShadowVolumes();
    render->SetStillDrawing(true);
    render->BeginFrame(true);
    render->SetViewport(1000, 625);
    render->Set2DProjection(1000, 625);
    render->SetShader(GetShader("tileset_back"), true);
    Quad2D(*render, 0, 0, 1000, 625);
    GetCamera().Apply();
    Ground(*render);
    for (auto& piece : pieces) piece->Draw();
    DrawShadows();
    render->SetStillDrawing(false);
    render->Set2DProjection(1000, 625);
    // The lines change every frame, as the hover and the particles do, so
    // no frame equals the one before.
    const std::string line = "Turn " + std::to_string(++frame % 100) + ": the hero moves.";
    for (int row = 0; row < 6; ++row) DrawStyledText(20, 40.0f + row * 30, text, line.c_str());
    render->EndFrame();
    cpu += ProcessCpuSeconds() - before;
  }
  state.counters["process_cpu_ms"] =
      benchmark::Counter(cpu * 1000, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BoardFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

}  // namespace
