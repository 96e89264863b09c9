// Display modes: the text form, choosing a mode for a request, and the
// renderer's listing and checking of the modes a display offers.
#include "render/DisplayMode.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "platform/MessageBox.h"
#include "render/Render_D3D.h"
#include "tests/framework/LogCapture.h"
#include "tests/render/FakeDisplaySystem.h"

namespace {

using testing_support::FakeDisplaySystem;
namespace fmt = platform::fmt;

auto Fields(const DisplayMode& m) {
  return std::make_tuple(m.width, m.height, m.bits, m.refresh, m.index);
}

// 640x480 and 1024x768, both at 16 and 32 bits, in the device list's order
// (width, height, refresh), so the depths interleave; the desktop last.
DisplayModeList TypicalList(std::uint32_t desktopRefresh = 60) {
  std::vector<DisplayMode> modes = {{640, 480, 16, 60},  {640, 480, 32, 60},  {1024, 768, 16, 60},
                                    {1024, 768, 32, 60}, {1024, 768, 16, 75}, {1024, 768, 32, 75},
                                    {1024, 768, 16, 85}, {1024, 768, 32, 85}};
  for (std::size_t i = 0; i < modes.size(); ++i) modes[i].index = static_cast<int>(i);
  modes.push_back({1024, 768, 32, desktopRefresh, -1});
  DisplayModeList list;
  list.SetModes(std::move(modes));
  return list;
}

// Separators out of order end the parts read.
TEST(DisplayModeText, ParsesWhatIsThereAndNeverReadsPastIt) {
  const std::pair<const char*, DisplayMode> cases[] = {{"800x600", {800, 600, 0, 0, -1}},
                                                       {"1024x768:32@75", {1024, 768, 32, 75, -1}},
                                                       {"1024768", {0, 0, 0, 0, -1}},
                                                       {"", {0, 0, 0, 0, -1}},
                                                       {"800:32x600@", {800, 600, 0, 0, -1}},
                                                       {"@:x", {0, 0, 0, 0, -1}},
                                                       {"1024x768:32@", {1024, 768, 32, 0, -1}},
                                                       {"-1024x768:-32@75", {0, 768, 0, 75, -1}}};
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(Fields(ParseDisplayMode(text)), Fields(expected)) << '"' << text << '"';
  EXPECT_EQ(FormatDisplayMode({1024, 768, 32, 0, 3}), "1024x768:32");
}

// Size, then depth, then the highest refresh not above the request; an
// empty request is the desktop's mode; with nothing listed nothing is read.
TEST(ChooseDisplayMode, SizeThenDepthThenTheHighestRefreshNotAboveTheRequest) {
  const DisplayModeList list = TypicalList(), anyRefresh = TypicalList(0);
  const struct {
    const DisplayModeList& list;
    const char *request, *expected;
  } cases[] = {{list, "", "1024x768:32@60"},
               {list, "rubbish", "1024x768:32@60"},
               {list, "640x0:16", "1024x768:16@60"},
               {anyRefresh, "1024x768:32@80", "1024x768:32@75"},
               {anyRefresh, "1024x768:32", "1024x768:32@85"},
               {anyRefresh, "1024x768:32@50", "1024x768:32@60"},
               {anyRefresh, "1024x768:24@60", "1024x768:16@60"},
               {list, "800:32x600@", "640x480:16@60"},
               {list, "1600x1200:32@60", "640x480:16@60"}};
  for (const auto& c : cases) EXPECT_EQ(FindDisplayMode(c.list, c.request), c.expected) << c.request;
  EXPECT_EQ(FindDisplayMode(DisplayModeList{}, "800x600:16@60"), "800x600:16@60");
  EXPECT_EQ(ChooseDisplayMode(DisplayModeList{}, {}), 0);
}

// The listing's last mode is the desktop; an empty listing changes nothing.
TEST(DisplayModeList, TakesTheDesktopOffTheEndOfTheListing) {
  DisplayModeList list = TypicalList(72);
  list.SetModes({});
  EXPECT_EQ(list.modes.size(), 8u);
  EXPECT_EQ(Fields(list.defaultMode), std::make_tuple(1024u, 768u, 32u, 72u, -1));
}

// ---- The renderer's mode listing ------------------------------------------------------

// A renderer on a display scripted by `script`; the renderer owns the display.
struct Listing {
  explicit Listing(const std::function<void(FakeDisplaySystem&)>& script) {
    auto owned = std::make_unique<FakeDisplaySystem>();
    display = owned.get();
    script(*display);
    render = std::make_unique<Render_D3D>(std::move(owned));
  }
  FakeDisplaySystem* display;
  std::unique_ptr<Render_D3D> render;
};

TEST(ModeListing, LogsOneLineForEveryModeOfferedAndKeepsTheUsableOnesSorted) {
  Listing l([](FakeDisplaySystem& d) {
    d.modes = {{1024, 768, 75, fmt::X8R8G8B8}, {800, 600, 60, fmt::P8},     {640, 400, 60, fmt::X8R8G8B8},
               {1024, 768, 60, fmt::X8R8G8B8}, {640, 480, 60, fmt::R5G6B5}, {800, 600, 60, fmt::A2B10G10R10},
               {1280, 1024, 60, fmt::X1R5G5B5}};
    d.failingDisplayFormats = {fmt::A2B10G10R10};
    d.depthWorks = [](std::uint32_t display, std::uint32_t) { return display != fmt::X1R5G5B5; };
  });
  LogCapture log;
  const std::vector<DisplayMode> modes = l.render->EnumerateModes();
  EXPECT_EQ(log.Lines(),
            (std::vector<std::string>{"Mode 1024x768:32@75 checked, ok", "Mode 800x600:8@60 ignored",
                                      "Mode 640x400:32@60 ignored", "Mode 1024x768:32@60 checked, ok",
                                      "Mode 640x480:16@60 checked, ok", "Mode 800x600:32@60 failed.",
                                      "Mode 1280x1024:16@60 checked, depth buffer failed."}));
  ASSERT_EQ(modes.size(), 4u);
  EXPECT_EQ(Fields(modes[0]), std::make_tuple(640u, 480u, 16u, 60u, 0));
  EXPECT_EQ(Fields(modes[2]), std::make_tuple(1024u, 768u, 32u, 75u, 2));
  EXPECT_EQ(Fields(modes[3]), std::make_tuple(1024u, 768u, 32u, 60u, -1));  // the desktop, last
  EXPECT_EQ(l.render->DeviceModes().at(1).depthFormat, fmt::D24S8);
}

TEST(ModeListing, TakesTheDesktopFromTheListWhenItsFormatHasNoDepthBuffer) {
  Listing l([](FakeDisplaySystem& d) {
    d.modes = {{800, 600, 60, fmt::R5G6B5},
               {1024, 768, 60, fmt::R5G6B5},
               {1024, 768, 85, fmt::X8R8G8B8},
               {1280, 1024, 60, fmt::X8R8G8B8}};
    d.desktop = {1024, 768, 70, fmt::A8R8G8B8};
    // The desktop's format has no depth buffer; 16-bit modes get one without stencil.
    d.depthWorks = [](std::uint32_t display, std::uint32_t depth) {
      return display != fmt::A8R8G8B8 && (display != fmt::R5G6B5 || depth == fmt::D16);
    };
  });
  // The largest mode on the desktop's size is 1024x768@85, above its 70 Hz,
  // so the 60 Hz one is taken.
  EXPECT_EQ(Fields(l.render->EnumerateModes().back()), std::make_tuple(1024u, 768u, 16u, 60u, -1));
  EXPECT_FALSE(l.render->DesktopMode().stencil);

  // An unreadable desktop: a mode with stencil is preferred.
  Listing unknown([](FakeDisplaySystem& d) {
    d.modes = {{800, 600, 60, fmt::X8R8G8B8}, {1024, 768, 60, fmt::R5G6B5}};
    d.desktopKnown = false;
    d.depthWorks = [](std::uint32_t display, std::uint32_t depth) {
      return display != fmt::R5G6B5 || depth == fmt::D16;
    };
  });
  EXPECT_EQ(Fields(unknown.render->EnumerateModes().back()), std::make_tuple(800u, 600u, 32u, 60u, -1));
  EXPECT_TRUE(unknown.render->DesktopMode().stencil);
}

TEST(ModeListing, EndsTheProgramWithAnErrorWhenNoModeIsUsable) {
  Listing l([](FakeDisplaySystem& d) { d.modes = {{640, 400, 60, fmt::X8R8G8B8}, {800, 600, 60, fmt::P8}}; });
  platform::SetMessageBoxHandler(
      [](std::string_view text, std::string_view caption, platform::MessageBoxIcon) {
        std::fprintf(stderr, "box [%.*s] [%.*s]\n", static_cast<int>(caption.size()), caption.data(),
                     static_cast<int>(text.size()), text.data());
      });
  EXPECT_EXIT(l.render->EnumerateModes(), ::testing::ExitedWithCode(1),
              "box \\[Plodwick Error\\] \\[Requires 3D Accelerator Card.\\]");
  platform::SetMessageBoxHandler({});
}

}  // namespace
