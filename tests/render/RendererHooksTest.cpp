// The renderer's hooks into the application base and the configuration:
// installed for one renderer, silent once it is gone, taken away again.
#include "render/RendererHooks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "framework/FrameworkHooks.h"
#include "framework/Init.h"
#include "render/DisplayMode.h"
#include "render/Render_D3D.h"
#include "tests/render/FakeDisplaySystem.h"
#include "tests/render/RecordingRender.h"
#include "tests/support/TestSupport.h"

namespace {

using Texts = std::vector<std::string>;

TEST(RendererHooks, ForwardToTheRendererWhileItLivesAndAreTakenAwayOnlyByIt) {
  FrameworkHooks& hooks = GetFrameworkHooks();
  {
    RecordingRender render;
    InstallRendererHooks(render);
    render.ClearCalls();
    hooks.drawEmptyFrame();
    hooks.resizeDevice();
    hooks.releaseDevice();
    const Texts texts = render.Texts();
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front(), "BeginFrame 0");
    EXPECT_EQ(Texts(texts.end() - 3, texts.end()), (Texts{"EndFrame", "Resize", "ReleaseDevice"}));
  }
  // The renderer went without taking its hooks away: they see no renderer.
  EXPECT_FALSE(hooks.RendererExists());
  hooks.drawEmptyFrame();
  hooks.releaseDevice();

  RecordingRender first;
  InstallRendererHooks(first);
  {
    RecordingRender second;  // now the live renderer, but the hooks are not its
    RemoveRendererHooks(second);
    EXPECT_TRUE(static_cast<bool>(hooks.createDevice));
  }
  RemoveRendererHooks(first);
  EXPECT_FALSE(hooks.createDevice || hooks.resizeDevice || hooks.releaseDevice || hooks.drawEmptyFrame);
}

TEST(RendererHooks, TheRendererTakesItsHooksAwayWhenItGoes) {
  {
    Render_D3D render(std::make_unique<testing_support::FakeDisplaySystem>());
    InstallRendererHooks(render);
    EXPECT_TRUE(GetFrameworkHooks().RendererExists());
  }
  EXPECT_FALSE(static_cast<bool>(GetFrameworkHooks().hasRenderer));
}

// While the hooks are in, the configured video mode becomes the nearest
// listed mode; once they are out it stays as written: no resolver outlives them.
TEST(RendererHooks, ResolveTheConfiguredVideoModeOnlyWhileInstalled) {
  testing_support::ScopedTempDir dir;
  std::filesystem::create_directories(dir.Path() / "QuennelVarrick");
  testing_support::WriteFile(dir.Path() / "QuennelVarrick" / "config.yml",
                             "<config>\n<video fullscreen=\"1\" mode=\"1024x768:32@80\">\n</config>\n");
  Init& init = GetInit();
  const std::string savedAppData = init.appData, savedPath = init.configPath;
  const DisplayModeList savedModes = GetDisplayModeList();
  init.appData = dir.Str();
  GetDisplayModeList().SetModes({{1024, 768, 32, 60, 0}, {1024, 768, 32, 75, 1}, {1024, 768, 32, 60, -1}});
  {
    RecordingRender render;
    InstallRendererHooks(render);
    init.Load("config.yml");
    EXPECT_EQ(init.videoMode, "1024x768:32@75");
    RemoveRendererHooks(render);
  }
  init.Load("config.yml");
  EXPECT_EQ(init.videoMode, "1024x768:32@80");
  init.appData = savedAppData;
  init.configPath = savedPath;
  GetDisplayModeList() = savedModes;
  g_textureScale = 1;
}

}  // namespace
