// A UI-heavy frame through the whole renderer and the OpenGL device: 2,000
// textured quads in the 2D projection, switching among up to four shaders
// (opaque, alpha-blended with a scroll, additive with a rotation, two stages
// with an offset) and tint colours, so every quad changes states; the grid
// moves a little every frame, so every frame is drawn. Needs an X display.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "platform/GLDevice.h"
#include "platform/Image.h"
#include "platform/Window.h"
#include "render/PlatformDisplaySystem.h"
#include "render/Render_D3D.h"
#include "render/YShader.h"

namespace {

constexpr int kQuads = 2000;
constexpr int kColumns = 50;

// The shader file, with "@" standing for the folder of the two textures.
constexpr const char* kShaders = R"(
<shader name="bench_opaque">
  <map texture="@/a.png"><colorblend op="modulate" arg1="texture" arg2="diffuse"/>
    <filter min="linear" mag="linear" mip="linear"/></map>
</shader>
<shader name="bench_blend">
  <blend src="srcalpha" dest="invsrcalpha"/><state zfunc="always" zwrite="false"/>
  <map texture="@/b.png"><colorblend op="modulate" arg1="texture" arg2="diffuse"/>
    <alphablend op="modulate" arg1="texture" arg2="diffuse"/><mod_scroll x="0.25"/></map>
</shader>
<shader name="bench_add">
  <blend src="one" dest="one"/><state zfunc="always" zwrite="false" cull="none"/>
  <map texture="@/a.png"><colorblend op="selectarg1" arg1="texture"/><mod_rotate angle="90"/></map>
</shader>
<shader name="bench_two_stages">
  <map texture="@/a.png"><colorblend op="modulate" arg1="texture" arg2="diffuse"/></map>
  <map texture="@/b.png"><colorblend op="modulate" arg1="texture" arg2="current"/><mod_offset x="0.5"/></map>
</shader>
)";

// A 64 x 64 texture of two colours in stripes, with some alpha.
void WriteTexture(const std::filesystem::path& path, std::uint32_t a, std::uint32_t b) {
  platform::Image image = platform::MakeImage(64, 64);
  for (int i = 0; i < 64 * 64; ++i) {
    const std::uint32_t argb = (i / 4) % 2 ? a : b;
    for (int c = 0; c < 4; ++c)
      image.bgra[static_cast<std::size_t>(i * 4 + c)] = static_cast<std::uint8_t>(argb >> (8 * c));
  }
  platform::WritePng(image, path.string());
}

std::string ShaderFile(const std::filesystem::path& folder) {
  WriteTexture(folder / "a.png", 0xFFC08040, 0xFF4080C0);
  WriteTexture(folder / "b.png", 0x80FFFFFF, 0xFF202020);
  std::string text = kShaders;
  for (std::size_t at = text.find('@'); at != std::string::npos; at = text.find('@', at))
    text.replace(at, 1, folder.string());
  const std::filesystem::path file = folder / "bench.yml";
  std::ofstream(file) << text;
  return file.string();
}

// Quad i of a 50 x 40 grid over the UI space, counter-clockwise on the
// screen, the grid moved `shift` units to the right.
void DrawGridQuad(YRender& render, int i, float shift) {
  const float w = 1000.0f / kColumns, h = 625.0f / (kQuads / kColumns);
  const float x = static_cast<float>(i % kColumns) * w + shift, y = static_cast<float>(i / kColumns) * h;
  const YTexVertex q[4] = {
      {{x, y, 0}, {0, 0}}, {{x, y + h, 0}, {0, 1}}, {{x + w, y + h, 0}, {1, 1}}, {{x + w, y, 0}, {1, 0}}};
  render.DrawQuad28(q);
}

void BM_Frame2000TexturedQuads(benchmark::State& state) {
  if (std::getenv("DISPLAY") == nullptr) {
    state.SkipWithError("no X display");
    return;
  }
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "qv_render_bench";
  std::filesystem::create_directories(folder);
  platform::WindowDesc desc;
  desc.title = "Render bench";
  desc.clientWidth = 320;
  desc.clientHeight = 200;
  std::unique_ptr<platform::Window> window = platform::Window::Create(desc, nullptr);
  if (!window) {
    state.SkipWithError("no window");
    return;
  }
  window->Show(false);
  auto render = std::make_unique<Render_D3D>(std::make_unique<PlatformDisplaySystem>());
  render->EnumerateModes();
  render->CreateDevice(*window, false, -1);
  LoadShaders(ShaderFile(folder));
  YShader* shaders[4] = {GetShader("bench_opaque"), GetShader("bench_blend"), GetShader("bench_add"),
                         GetShader("bench_two_stages")};
  const YColor tints[3] = {{1, 1, 1, 1}, {1, 0.5f, 0.5f, 0.75f}, {0.5f, 1, 0.5f, 0.5f}};
  const auto shaderCount = static_cast<int>(state.range(0));

  const auto* device = dynamic_cast<const platform::GLDevice*>(render->Device());
  const std::uint64_t droppedBefore = device ? device->DroppedFrames() : 0;
  int frame = 0;
  for (auto _ : state) {
    // The grid creeps to the right, so no frame equals the one before (the
    // device would skip drawing it).
    const float shift = static_cast<float>(++frame % 100) * 0.01f;
    UpdateShaders(0.016f);
    render->BeginFrame(true);
    render->SetViewport(1000, 625);
    render->Set2DProjection(1000, 625);
    for (int i = 0; i < kQuads; ++i) {
      render->SetShaderColor(shaders[i % shaderCount], tints[i % 3]);
      DrawGridQuad(*render, i, shift);
    }
    render->EndFrame();
  }
  state.SetItemsProcessed(state.iterations() * kQuads);
  state.counters["dropped_frames"] =
      static_cast<double>(device ? device->DroppedFrames() - droppedBefore : 0);
  render.reset();  // the device goes before its window
  std::filesystem::remove_all(folder);
}
// The argument: how many of the four shaders the quads take turns with (1 =
// only the tint colour changes).
BENCHMARK(BM_Frame2000TexturedQuads)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace
