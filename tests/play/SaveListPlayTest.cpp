// The quest's save list as a player meets it: the row clicked is the one
// framed, and "delete" removes that row's save.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/Image.h"
#include "tests/play/CraftedSaves.h"
#include "tests/play/PlayFixture.h"

namespace {

using namespace std::chrono_literals;

class SaveList : public play::PlayRun {
 protected:
  std::filesystem::path Save(int number) const {
    return UserFolder() / "save" / ("0000" + std::to_string(number) + ".yml");
  }
  // Light pixels in the right end of list row `row` (500 x 74 units about
  // its reported centre), where no text is drawn: the selection frame's
  // border, or nothing on the list's dark ground.
  int FramePixels(const std::string& row) {
    const std::string shot = Shot("play_SaveList_frame.png");
    if (!Screenshot(Current().window, shot)) return -1;
    const platform::Image image = platform::LoadImageFile(shot).value_or(platform::Image{});
    const auto [x, y] = current_.at.at(row);
    return e2e::CountPixels(image, x + 120, y - 40, x + 256, y + 40,
                            [](int r, int g, int b) { return r + g + b > 200; });
  }
  static constexpr int kFramed = 300;
  static constexpr int kPlain = 30;
};

TEST_F(SaveList, TheClickedRowIsFramedAndDeleteRemovesItsSave) {
  std::filesystem::create_directories(UserFolder() / "save");
  for (int n = 0; n < 3; ++n) testing_support::WriteFile(Save(n), play::LastLevelSave(LevelCount() - 1));
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
  ASSERT_TRUE(Open("continue", "selectSave.yml"));
  // The list opens on its first save.
  EXPECT_GT(FramePixels("0"), kFramed);
  EXPECT_LT(FramePixels("1"), kPlain);
  ASSERT_TRUE(Click("1"));
  EXPECT_TRUE(e2e::WaitUntil([&] { return FramePixels("1") > kFramed; }, 10s)) << FramePixels("1");
  EXPECT_LT(FramePixels("0"), kPlain);
  // The middle row is the middle save, whichever way the list runs.
  ASSERT_TRUE(Open("delete", "yesno.yml"));
  ASSERT_TRUE(Open("yes", "selectSave.yml"));
  EXPECT_FALSE(std::filesystem::exists(Save(1)));
  EXPECT_TRUE(std::filesystem::exists(Save(0)));
  EXPECT_TRUE(std::filesystem::exists(Save(2)));
  Stop();
}

// A save of NUL bytes among good ones is a row of the list, named by its
// file; choosing it brings the question that says why, and "yes" deletes
// it.
TEST_F(SaveList, ASaveThatCannotBeReadIsARowExplainedAndDeleted) {
  std::filesystem::create_directories(UserFolder() / "save");
  testing_support::WriteFile(Save(0), play::LastLevelSave(LevelCount() - 1));
  testing_support::WriteFile(Save(1), std::string(2048, '\0'));
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
  ASSERT_TRUE(Open("continue", "selectSave.yml"));
  ASSERT_TRUE(Click("ok"));  // the first row: the newest save, the damaged one
  ASSERT_TRUE(Reach("yesno.yml", "0x204"));
  EXPECT_NE(current_.text["mess"].find("damaged"), std::string::npos) << current_.text["mess"];
  ASSERT_TRUE(Open("yes", "mainMenu.yml"));
  EXPECT_FALSE(std::filesystem::exists(Save(1)));
  EXPECT_TRUE(std::filesystem::exists(Save(0)));
  EXPECT_TRUE(current_.at.count("continue")) << "the good save is left";
  Stop();
}

}  // namespace
