// The tile battle in the game's own window (the duel test program): a user
// clicks two matching free tiles and they fly off and vanish; the duel is
// drawn with its tiles, overlays and panels; every spell's show is started
// once. The pictures are kept in <build>/screenshots for review.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "tests/e2e/GameFixture.h"

namespace {

using namespace std::chrono_literals;

class DuelRun : public e2e::ProgramRunFixture {
 protected:
  static platform::Image Load(const std::string& path) {
    return platform::LoadImageFile(path).value_or(platform::Image{});
  }
};

const auto kBright = [](int r, int g, int b) { return r > 230 && g > 230 && b > 230; };
const auto kGold = [](int r, int g, int b) { return r > 190 && g > 150 && b < 150; };
const auto kHealthRed = [](int r, int g, int b) { return r > 200 && g < 90 && b < 90; };
const auto kLogText = [](int r, int g, int b) { return r > 180 && g > 180 && b > 90; };
const auto kStone = [](int r, int g, int b) { return r > 170 && g > 170 && b > 150; };

TEST_F(DuelRun, TwoMatchingFreeTilesClickedFlyOffAndVanish) {
  e2e::GameProcess run(tmp.Str(), e2e::Display(),
                       {"--moves", "1", "--screenshot", Shot("duel_after_move.png")}, {QV_DUELRUN_EXE, ""});
  ASSERT_TRUE(e2e::WaitUntil([&] { return run.Stderr().find("pair ") != std::string::npos; }, 15s))
      << run.Stderr();
  const std::string window = FindWindowTitled("Quennel Varrick");
  ASSERT_FALSE(window.empty());
  std::istringstream pair(run.Stderr().substr(run.Stderr().find("pair ") + 5));
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  pair >> x1 >> y1 >> x2 >> y2;
  ASSERT_TRUE(Screenshot(window, Shot("duel_before_move.png")));
  Point(window, x1, y1);
  Point(window, x2, y2);
  // Until "shown 1" the pair is on its way.
  EXPECT_TRUE(e2e::WaitUntil([&] { return Has(run, "moved 1"); }, 5s)) << run.Stderr();
  Screenshot(window, Shot("duel_pair_flying.png"));
  EXPECT_EQ(run.Wait(15s), std::optional<int>(0)) << run.Stderr();
  EXPECT_TRUE(Has(run, "shown 1"));
  // Where the first tile stood, its face is gone.
  const platform::Image before = Load(Shot("duel_before_move.png")),
                        after = Load(Shot("duel_after_move.png"));
  ASSERT_EQ(after.width, 1000);
  int changed = 0;
  for (int y = y1 - 8; y < y1 + 8; ++y)
    for (int x = x1 - 8; x < x1 + 8; ++x) {
      const std::size_t i = (static_cast<std::size_t>(y) * 1000 + static_cast<std::size_t>(x)) * 4;
      changed +=
          std::abs(before.bgra[i] - after.bgra[i]) + std::abs(before.bgra[i + 1] - after.bgra[i + 1]) > 40;
    }
  EXPECT_GT(changed, 64);
}

TEST_F(DuelRun, TheDuelIsDrawnWithItsTilesOverlaysAndPanels) {
  const std::string shot = Shot("duel_overlays.png");
  // The run ends by itself once the overlays are at full weight, however
  // long their fade takes on this machine.
  e2e::GameProcess run(tmp.Str(), e2e::Display(), {"--overlays", "--screenshot", shot}, {QV_DUELRUN_EXE, ""});
  ASSERT_EQ(run.Wait(30s), std::optional<int>(0)) << run.Stderr();
  EXPECT_TRUE(Has(run, "overlays 1.00 1.00")) << run.Stderr();  // fire burns and earth and water freeze
  const platform::Image image = Load(shot);
  ASSERT_EQ(image.width, 1000);
  EXPECT_GT(e2e::CountPixels(image, 200, 100, 800, 480, kStone), 20000);    // the tiles' faces
  EXPECT_GT(e2e::CountPixels(image, 144, 150, 152, 450, kGold), 150);       // the frame's rim by the board
  EXPECT_GT(e2e::CountPixels(image, 10, 187, 138, 203, kHealthRed), 300);   // side 0's health
  EXPECT_GT(e2e::CountPixels(image, 861, 187, 989, 203, kHealthRed), 100);  // side 1's health
  EXPECT_GT(e2e::CountPixels(image, 2, 530, 480, 620, kLogText), 10);       // the log's line
}

TEST_F(DuelRun, EverySpellsShowIsStartedOnceAndKeptForReview) {
  const std::string folder = Shot("shows");
  std::filesystem::remove_all(folder);
  e2e::GameProcess run(tmp.Str(), e2e::Display(), {"--shows", folder}, {QV_DUELRUN_EXE, ""});
  ASSERT_EQ(run.Wait(60s), std::optional<int>(0)) << run.Stderr();
  int shows = 0;
  std::istringstream lines(run.Stderr());
  for (std::string line; std::getline(lines, line);) shows += line.starts_with("show ") ? 1 : 0;
  EXPECT_EQ(shows, static_cast<int>(std::distance(std::filesystem::directory_iterator(folder), {})));
  EXPECT_GT(shows, 40);
  // The lightning strikes from the clash point to the right portrait.
  EXPECT_GT(e2e::CountPixels(Load(folder + "/show_03_03.png"), 520, 40, 920, 160, kBright), 100);
}

}  // namespace
