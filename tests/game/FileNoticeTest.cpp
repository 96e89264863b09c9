// The notice of a file of the player's that was not written: shown over the
// screens (not over a book or the final scene), one at a time, and closed by
// its own button whatever the state word would make of an "ok".
#include "game/screens/FileNotice.h"

#include "framework/FileAlerts.h"
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

}  // namespace
}  // namespace screen_test
