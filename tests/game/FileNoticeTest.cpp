// The notice of a file of the player's that was not written: shown over the
// screens (not over a book or the final scene), one at a time, and closed by
// its own button whatever the state word would make of an "ok".
#include "game/screens/FileNotice.h"

#include "framework/FileAlerts.h"
#include "framework/Log.h"
#include "tests/support/TestSupport.h"
#include "tests/game/ScreenEventsFixture.h"

namespace screen_test {
namespace {

struct FileNoticeTest : ScreenEventsTest {
  FileNoticeTest() { FileAlerts::Reset(); }
  void ClickNotice(const char* name) {
    UIControl sender(YRect(), name, nullptr);
    if (!notice.TakeClick(&sender)) events.OnClick(&sender);
    Settle();
  }
  FileNotice notice{ui, screens};
};

TEST_F(FileNoticeTest, ShowsOneFailureAtATimeAndItsOkOnlyClosesIt) {
  FileAlerts::SaveFailed(FileAlerts::Unsaved::kProfile);
  FileAlerts::SaveFailed(FileAlerts::Unsaved::kHallOfFame);
  host.state = 0x20005;  // the final scene: the screens are not drawn
  notice.ShowWaiting(host.state);
  EXPECT_TRUE(ui.ModalStack().empty());

  host.state = 0x8004;  // the profile screen, whose rows take an "ok" of their own
  Open(screens.newProfileScreen.get());
  notice.ShowWaiting(host.state);
  notice.ShowWaiting(host.state);
  Settle();
  ASSERT_EQ(ui.GetActive(), screens.noticeScreen.get());
  EXPECT_EQ(TextOf(screens.noticeScreen.get(), "mess"), GetLocale().GetText("profile_not_saved_mess"));
  ClickNotice("ok");
  EXPECT_EQ(ui.GetActive(), screens.newProfileScreen.get()) << "the dialog under it is back";
  EXPECT_TRUE(modes.log.empty());
  EXPECT_EQ(host.state, 0x8004u);

  notice.ShowWaiting(host.state);
  Settle();
  EXPECT_EQ(TextOf(screens.noticeScreen.get(), "mess"), GetLocale().GetText("hall_not_saved_mess"));
  ClickNotice("cancel");
  EXPECT_EQ(ui.GetActive(), screens.noticeScreen.get()) << "only its own button closes it";
}

// A failure told as the click that caused it closes its dialog: the notice
// takes the dialog's place, and its "ok" leaves the screens and the word as
// the click left them. A profile's failure is told at every try.
TEST_F(FileNoticeTest, TheNoticeTakesThePlaceOfTheDialogItsClickClosed) {
  const auto clickAndTell = [this](const char* name, FileAlerts::Unsaved what) {
    FileAlerts::SaveFailed(what);
    UIControl sender(YRect(), name, nullptr);
    events.OnClick(&sender);
    notice.ShowWaiting(host.state);  // the boundary of the click's frame
    Settle();
    ASSERT_EQ(ui.GetActive(), screens.noticeScreen.get());
    ClickNotice("ok");
  };
  host.mode = &modes.quest;
  host.state = 0x9;  // Escape's question over the control panel
  Open(screens.yesNoScreen.get());
  clickAndTell("yes", FileAlerts::Unsaved::kQuest);
  EXPECT_TRUE(ui.ModalStack().empty());
  EXPECT_EQ(ui.PendingScreen(), screens.mainMenuScreen.get());
  EXPECT_EQ(host.state, 4u);

  Click("multiplayer");
  Click("computer");
  Click("profiles");
  const std::vector<UIControl*> profileStack = ui.ModalStack();
  for (int attempt = 0; attempt < 2; ++attempt) {
    Click("new");
    clickAndTell("ok", FileAlerts::Unsaved::kProfile);
    EXPECT_EQ(ui.ModalStack(), profileStack);
    EXPECT_EQ(host.state, 0x9004u);
  }
  Click("cancel");
  EXPECT_EQ(ui.GetActive(), screens.computerGameScreen.get());
  EXPECT_EQ(host.state, 0x1004u);
}

// A copy started beside another keeps its own log, and the notice that
// sends the player to the log names that one.
TEST_F(FileNoticeTest, TheDamagedHallsNoticeNamesThisCopysLog) {
  testing_support::ScopedTempDir dir;
  ASSERT_TRUE(Log::Open(dir.Str() + "\\log2.txt"));
  FileAlerts::SaveFailed(FileAlerts::Unsaved::kDamagedHallOfFame);
  host.state = 4;  // the main menu
  notice.ShowWaiting(host.state);
  Settle();
  Log::Close();
  const std::string text = TextOf(screens.noticeScreen.get(), "mess");
  EXPECT_NE(text.find("; log2.txt names it."), std::string::npos) << text;
}

}  // namespace
}  // namespace screen_test
