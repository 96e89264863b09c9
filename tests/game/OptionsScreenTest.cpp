// The options screen on a display of two sizes: resolutions, languages
// carried out at the frame's boundary, and the volumes.
#include <gtest/gtest.h>

#include "tests/game/ScreenEventsFixture.h"

namespace {

using namespace screen_test;

// The options on a display of two sizes, the configuration in 1024x768 and
// English; the screens' reload is the application's.
struct OptionsTest : ScreenEventsTest {
  OptionsTest() {
    config.interfaceIndex = config.interfaces.IndexOf("english", 0);
    config.videoMode = "1024x768:32@60";
    display.SetModes(
        {{800, 600, 32, 60, 0}, {1024, 768, 32, 60, 1}, {1024, 768, 32, 75, 2}, {1024, 768, 32, 0, -1}});
    host.fillOptions = [this] { OptionsScreen::Fill(screens.optionsScreen.get(), config, display); };
    host.applyOptions = [this] { options.Apply(screens.optionsScreen.get(), config); };
    events.ShowMainMenu();
    Settle();
    host.log.clear();
  }
  UICombobox* List(const char* name) {
    return dynamic_cast<UICombobox*>(screens.optionsScreen->FindChild(name));
  }
  void Reload(int language) {
    ++reloads;
    config.interfaceIndex = language;
    const std::string prefix = config.GetInterfaceName() + "\\";
    GetLocale().Load(prefix + "locale.yml");
    UIParser::LoadLayout(prefix + "styles.yml");
    events.LoadScreens(prefix, nullptr);
  }
  Init config;  // lists the game folder's interface folders
  DisplayModeList display;
  Lines videoModes;
  int reloads = 0;
  OptionsScreen options{{[this](const std::string& mode) { videoModes.push_back(mode); },
                         [this](int language) { Reload(language); }}};
};

TEST_F(OptionsTest, TheSameResolutionLeavesTheWindowAlone) {
  Click("options");
  ASSERT_EQ(List("resolution")->List()->Items(), (std::vector<std::string>{"800x600", "1024x768"}));
  EXPECT_EQ(List("resolution")->GetCurrent(), 1);
  Click("ok");
  options.RunPending();
  EXPECT_TRUE(videoModes.empty());
  Click("options");
  List("resolution")->SetCurrent(0);
  Click("ok");
  options.RunPending();
  EXPECT_EQ(videoModes, Lines{"800x600:32"});
  // A mode the display does not list selects nothing: untouched, "ok"
  // changes nothing.
  videoModes.clear();
  config.videoMode = "1280x1024:32";
  Click("options");
  Click("ok");
  options.RunPending();
  EXPECT_TRUE(videoModes.empty());
}

// The click on "ok" comes from a screen the reload deletes: the reload
// waits for the frame's boundary, happens once and ends in the main menu.
TEST_F(OptionsTest, ALanguageChangeReloadsOnceAtTheFrameBoundary) {
  ASSERT_GE(config.interfaces.Count(), 2);
  Click("options");
  EXPECT_EQ(List("language")->List()->Items().size(), static_cast<std::size_t>(config.interfaces.Count()));
  const int other = config.interfaceIndex == 0 ? 1 : 0;
  List("language")->SetCurrent(other);
  const std::string title = TextOf(screens.optionsScreen.get(), "title");
  Click("ok");
  EXPECT_EQ(reloads, 0);
  options.RunPending();
  options.RunPending();
  EXPECT_EQ(reloads, 1);
  EXPECT_NE(TextOf(screens.optionsScreen.get(), "title"), title);
  Settle();
  EXPECT_EQ(ui.CurrentScreen(), screens.mainMenuScreen.get());
  EXPECT_TRUE(ui.ModalStack().empty());
  EXPECT_EQ(ui.WaitingModal(), nullptr);
  EXPECT_EQ(host.state, 4u);
  // The same language again does nothing.
  Click("options");
  Click("ok");
  options.RunPending();
  EXPECT_EQ(reloads, 1);
  Reload(config.interfaces.IndexOf("english", 0));
}

TEST_F(OptionsTest, VolumesActAtOnceAndCancelKeepsThem) {
  Click("options");
  auto* music = dynamic_cast<UITracker*>(screens.optionsScreen->FindChild("music_vol"));
  ASSERT_NE(music, nullptr);
  EXPECT_FLOAT_EQ(music->GetValue(), config.musicVolume);
  music->SetValue(0.25f);
  Click("music_vol");
  Click("cancel");
  Click("sound_vol");  // the options are closed
  EXPECT_EQ(host.log, (Lines{"fillOptions", "music volume " + std::to_string(0.25f)}));
  EXPECT_EQ(host.state, 4u);
}

// F1 waits while a screen change is pending (the fade to a duel), which the
// book would otherwise take over.
}  // namespace
