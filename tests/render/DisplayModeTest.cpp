// Display modes: the text form, choosing a mode for a request, the lists of
// the options screen, and the renderer's listing and checking of the modes a
// display offers.
#include "render/DisplayMode.h"

#include <gtest/gtest.h>

#include <cstdio>
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

auto Fields(const DisplayMode& m) { return std::make_tuple(m.width, m.height, m.bits, m.refresh, m.index); }

// The list as the renderer would give it: position = index.
DisplayModeList MakeList(std::vector<DisplayMode> modes, DisplayMode desktop) {
  for (std::size_t i = 0; i < modes.size(); ++i) modes[i].index = static_cast<int>(i);
  desktop.index = -1;
  modes.push_back(desktop);
  DisplayModeList list;
  list.SetModes(std::move(modes));
  return list;
}

// 640x480 and 1024x768, both at 16 and 32 bits, in the device list's order
// (width, height, refresh), so the depths interleave.
DisplayModeList TypicalList(std::uint32_t desktopRefresh = 60) {
  return MakeList({{640, 480, 16, 60},
                   {640, 480, 32, 60},
                   {1024, 768, 16, 60},
                   {1024, 768, 32, 60},
                   {1024, 768, 16, 75},
                   {1024, 768, 32, 75},
                   {1024, 768, 16, 85},
                   {1024, 768, 32, 85}},
                  {1024, 768, 32, desktopRefresh});
}

// ---- Text form -------------------------------------------------------------------

TEST(DisplayModeText, ParsesWhatIsThereAndNeverReadsPastIt) {
  const std::pair<const char*, DisplayMode> cases[] = {
      {"800x600", {800, 600, 0, 0, -1}},
      {"1024x768:32@75", {1024, 768, 32, 75, -1}},
      {"1024x768:32", {1024, 768, 32, 0, -1}},
      {"1024768", {0, 0, 0, 0, -1}},
      {"", {0, 0, 0, 0, -1}},
      {"800:32x600@", {800, 600, 0, 0, -1}},  // separators out of order
      {"@:x", {0, 0, 0, 0, -1}},
      {"x", {0, 0, 0, 0, -1}},
      {"1024x768:32@", {1024, 768, 32, 0, -1}},
      {"-1024x768:-32@75", {0, 768, 0, 75, -1}},
  };
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(Fields(ParseDisplayMode(text)), Fields(expected)) << '"' << text << '"';
}

TEST(DisplayModeText, FormatsWithRefreshOnlyWhenKnownAndReadsBack) {
  EXPECT_EQ(FormatDisplayMode({1024, 768, 32, 0, 3}), "1024x768:32");
  EXPECT_EQ(FormatDisplayMode({1024, 768, 32, 85, 3}), "1024x768:32@85");
  for (const DisplayMode mode : {DisplayMode{640, 480, 16, 60}, DisplayMode{1920, 1080, 32, 0},
                                 DisplayMode{4096, 2160, 24, 144}})
    EXPECT_EQ(Fields(ParseDisplayMode(FormatDisplayMode(mode))), Fields(mode));
}

// ---- The list ----------------------------------------------------------------------

TEST(DisplayModeList, TakesTheDesktopOffTheEndOfTheListing) {
  DisplayModeList list = TypicalList(72);
  ASSERT_EQ(list.modes.size(), 8u);
  EXPECT_EQ(Fields(list.defaultMode), std::make_tuple(1024u, 768u, 32u, 72u, -1));
  EXPECT_EQ(list.modes.back().index, 7);

  list.SetModes({});  // nothing listed: both stay
  EXPECT_EQ(list.modes.size(), 8u);
  EXPECT_EQ(list.defaultMode.refresh, 72u);
}

TEST(ChooseDisplayMode, FillsAnEmptyRequestFromTheDesktop) {
  const DisplayModeList list = TypicalList();
  EXPECT_EQ(ChooseDisplayMode(list, {}), 3);  // 1024x768:32@60
  // Width without height counts as no size at all.
  EXPECT_EQ(ChooseDisplayMode(list, {640, 0, 16, 0}), 2);
}

TEST(ChooseDisplayMode, PrefersTheRequestedDepthThenTheHighestRefreshNotAboveTheRequest) {
  const DisplayModeList list = TypicalList(0);
  EXPECT_EQ(ChooseDisplayMode(list, {1024, 768, 32, 60}), 3);
  EXPECT_EQ(ChooseDisplayMode(list, {1024, 768, 32, 80}), 5);   // 75 Hz
  EXPECT_EQ(ChooseDisplayMode(list, {1024, 768, 32, 0}), 7);    // any refresh: the highest
  EXPECT_EQ(ChooseDisplayMode(list, {1024, 768, 16, 85}), 6);
  EXPECT_EQ(ChooseDisplayMode(list, {1024, 768, 32, 50}), 3);   // all above: the first of the depth
  EXPECT_EQ(ChooseDisplayMode(list, {1024, 768, 24, 60}), 2);   // depth missing: the first of the size
  EXPECT_EQ(ChooseDisplayMode(list, {640, 480, 32, 60}), 1);
}

TEST(ChooseDisplayMode, FallsBackToTheFirstModeForAnUnknownSizeOrAnEmptyList) {
  EXPECT_EQ(ChooseDisplayMode(TypicalList(), {1280, 1024, 32, 60}), 0);
  EXPECT_EQ(ChooseDisplayMode(DisplayModeList{}, {1024, 768, 32, 60}), 0);
  EXPECT_EQ(ChooseDisplayMode(DisplayModeList{}, {}), 0);
}

TEST(FindDisplayMode, ReturnsTheTextOfTheChosenMode) {
  const DisplayModeList list = TypicalList();
  EXPECT_EQ(FindDisplayMode(list, "1024x768:32@75"), "1024x768:32@75");
  EXPECT_EQ(FindDisplayMode(list, "1024x768:32@80"), "1024x768:32@75");
  EXPECT_EQ(FindDisplayMode(list, ""), "1024x768:32@60");
  EXPECT_EQ(FindDisplayMode(list, "rubbish"), "1024x768:32@60");
  EXPECT_EQ(FindDisplayMode(list, "800:32x600@"), "640x480:16@60");  // no 800x600 mode
  EXPECT_EQ(FindDisplayMode(list, "1600x1200:32@60"), "640x480:16@60");
  // Nothing listed: nothing to choose from, and nothing read out of bounds.
  EXPECT_EQ(FindDisplayMode(DisplayModeList{}, "800x600:16@60"), "800x600:16@60");
  EXPECT_EQ(FindDisplayMode(DisplayModeList{}, ""), "");
}

TEST(BuildDisplayModeLists, OffersSizesThenDepthsThenRefreshRates) {
  const DisplayModeList list = TypicalList();
  const std::vector<DisplayMode> sizes = BuildDisplayModeLists(list, 0, 0, 0);
  ASSERT_EQ(sizes.size(), 2u);
  EXPECT_EQ(Fields(sizes[0]), std::make_tuple(640u, 480u, 0u, 0u, -1));
  EXPECT_EQ(Fields(sizes[1]), std::make_tuple(1024u, 768u, 0u, 0u, -1));

  const std::vector<DisplayMode> depths = BuildDisplayModeLists(list, 1024, 768, 0);
  ASSERT_EQ(depths.size(), 2u);
  EXPECT_EQ(Fields(depths[0]), std::make_tuple(1024u, 768u, 16u, 0u, -1));
  EXPECT_EQ(Fields(depths[1]), std::make_tuple(1024u, 768u, 32u, 0u, -1));

  const std::vector<DisplayMode> rates = BuildDisplayModeLists(list, 1024, 768, 32);
  ASSERT_EQ(rates.size(), 3u);
  EXPECT_EQ(Fields(rates[0]), std::make_tuple(1024u, 768u, 32u, 60u, 3));
  EXPECT_EQ(Fields(rates[2]), std::make_tuple(1024u, 768u, 32u, 85u, 7));

  EXPECT_TRUE(BuildDisplayModeLists(list, 800, 600, 0).empty());
  EXPECT_TRUE(BuildDisplayModeLists(DisplayModeList{}, 0, 0, 0).empty());
}

// ---- The renderer's mode listing ------------------------------------------------------

class ModeListing : public ::testing::Test {
 protected:
  // The renderer owns the display; the test keeps a pointer to script it.
  Render_D3D& MakeRenderer() {
    auto owned = std::make_unique<FakeDisplaySystem>();
    display = owned.get();
    display->modes = offered;
    display->desktop = desktop;
    display->desktopKnown = desktopKnown;
    display->depthWorks = depthWorks;
    display->failingDisplayFormats = failingFormats;
    render = std::make_unique<Render_D3D>(std::move(owned));
    return *render;
  }

  std::vector<platform::DeviceDisplayMode> offered;
  platform::DeviceDisplayMode desktop{1024, 768, 60, fmt::X8R8G8B8};
  bool desktopKnown = true;
  std::function<bool(std::uint32_t, std::uint32_t)> depthWorks = [](std::uint32_t, std::uint32_t) { return true; };
  std::set<std::uint32_t> failingFormats;
  FakeDisplaySystem* display = nullptr;
  std::unique_ptr<Render_D3D> render;
};

TEST_F(ModeListing, LogsOneLineForEveryModeOfferedAndKeepsTheUsableOnesSorted) {
  offered = {{1024, 768, 75, fmt::X8R8G8B8}, {800, 600, 60, fmt::P8},      {640, 400, 60, fmt::X8R8G8B8},
             {1024, 768, 60, fmt::X8R8G8B8}, {640, 480, 60, fmt::R5G6B5}, {800, 600, 60, fmt::A2B10G10R10},
             {1280, 1024, 60, fmt::X1R5G5B5}};
  failingFormats = {fmt::A2B10G10R10};
  depthWorks = [](std::uint32_t display, std::uint32_t) { return display != fmt::X1R5G5B5; };
  Render_D3D& r = MakeRenderer();
  LogCapture log;
  const std::vector<DisplayMode> modes = r.EnumerateModes();

  EXPECT_EQ(log.Lines(), (std::vector<std::string>{
                             "Mode 1024x768:32@75 checked, ok",
                             "Mode 800x600:8@60 ignored",
                             "Mode 640x400:32@60 ignored",
                             "Mode 1024x768:32@60 checked, ok",
                             "Mode 640x480:16@60 checked, ok",
                             "Mode 800x600:32@60 failed.",
                             "Mode 1280x1024:16@60 checked, depth buffer failed.",
                         }));
  ASSERT_EQ(modes.size(), 4u);
  EXPECT_EQ(Fields(modes[0]), std::make_tuple(640u, 480u, 16u, 60u, 0));
  EXPECT_EQ(Fields(modes[1]), std::make_tuple(1024u, 768u, 32u, 60u, 1));
  EXPECT_EQ(Fields(modes[2]), std::make_tuple(1024u, 768u, 32u, 75u, 2));
  EXPECT_EQ(Fields(modes[3]), std::make_tuple(1024u, 768u, 32u, 60u, -1));  // the desktop, last
  ASSERT_EQ(r.DeviceModes().size(), 3u);
  EXPECT_EQ(r.DeviceModes()[1].depthFormat, fmt::D24S8);
  EXPECT_TRUE(r.DeviceModes()[1].stencil);
}

TEST_F(ModeListing, ChoosesTheFirstWorkingDepthFormatWithStencilFirst) {
  Render_D3D& r = MakeRenderer();
  display->depthWorks = [](std::uint32_t, std::uint32_t depth) { return depth == fmt::D16 || depth == fmt::D32; };
  EXPECT_EQ(r.ChooseDepthFormat(fmt::X8R8G8B8), fmt::D32);
  display->depthWorks = [](std::uint32_t, std::uint32_t depth) { return depth == fmt::D15S1 || depth == fmt::D32; };
  EXPECT_EQ(r.ChooseDepthFormat(fmt::X8R8G8B8), fmt::D15S1);
  display->depthWorks = [](std::uint32_t, std::uint32_t) { return false; };
  EXPECT_EQ(r.ChooseDepthFormat(fmt::X8R8G8B8), 0u);
}

TEST_F(ModeListing, TakesTheDesktopFromTheListWhenItsFormatHasNoDepthBuffer) {
  offered = {{800, 600, 60, fmt::R5G6B5},    {1024, 768, 60, fmt::R5G6B5}, {1024, 768, 85, fmt::X8R8G8B8},
             {1280, 1024, 60, fmt::X8R8G8B8}};
  desktop = {1024, 768, 70, fmt::A8R8G8B8};
  // The desktop's format has no depth buffer; 16-bit modes get one without stencil.
  depthWorks = [](std::uint32_t display, std::uint32_t depth) {
    if (display == fmt::A8R8G8B8) return false;
    return display == fmt::R5G6B5 ? depth == fmt::D16 : true;
  };
  Render_D3D& r = MakeRenderer();
  const std::vector<DisplayMode> modes = r.EnumerateModes();
  // The largest mode on the desktop is 1024x768@85, above its 70 Hz, so the
  // 60 Hz one is taken; it has no stencil, and 800x600 has none either.
  EXPECT_EQ(Fields(modes.back()), std::make_tuple(1024u, 768u, 16u, 60u, -1));
  EXPECT_FALSE(r.DesktopMode().stencil);
}

TEST_F(ModeListing, PrefersAModeWithStencilForTheDesktopAndCopesWithAnUnreadableDesktop) {
  offered = {{800, 600, 60, fmt::X8R8G8B8}, {1024, 768, 60, fmt::R5G6B5}};
  desktopKnown = false;
  depthWorks = [](std::uint32_t display, std::uint32_t depth) {
    return display == fmt::R5G6B5 ? depth == fmt::D16 : true;
  };
  Render_D3D& r = MakeRenderer();
  const std::vector<DisplayMode> modes = r.EnumerateModes();
  EXPECT_EQ(Fields(modes.back()), std::make_tuple(800u, 600u, 32u, 60u, -1));
  EXPECT_TRUE(r.DesktopMode().stencil);
}

TEST_F(ModeListing, EndsTheProgramWithAnErrorWhenNoModeIsUsable) {
  offered = {{640, 400, 60, fmt::X8R8G8B8}, {800, 600, 60, fmt::P8}};
  Render_D3D& r = MakeRenderer();
  platform::SetMessageBoxHandler([](std::string_view text, std::string_view caption, platform::MessageBoxIcon) {
    std::fprintf(stderr, "box [%.*s] [%.*s]\n", static_cast<int>(caption.size()), caption.data(),
                 static_cast<int>(text.size()), text.data());
  });
  EXPECT_EXIT(r.EnumerateModes(), ::testing::ExitedWithCode(1),
              "box \\[Plodwick Error\\] \\[Requires 3D Accelerator Card.\\]");
  platform::SetMessageBoxHandler({});
}

}  // namespace
