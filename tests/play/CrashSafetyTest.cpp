// The player's files survive the game being killed while it writes them: a
// maintainer's run (scripts/crash-safety.sh) plays, saves and quits again
// and again, killing the game (SIGKILL) a random moment after the click that
// makes it write the configuration, a profile, a campaign save or the hall
// of fame. After every kill each file must be its old bytes or a complete
// new version, and the game must start from what it finds and go on.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <thread>

#include "players/Stats.h"
#include "tests/play/CraftedSaves.h"
#include "tests/play/PlayFixture.h"
#include "tests/play/UserFiles.h"

namespace {

using namespace std::chrono_literals;

// What the killed click writes: a new profile, the campaign save of a quest
// left for the menu, the configuration at the game's end, the save of the
// last level won, the hall of fame at the quest's end.
enum Writer { kProfile, kQuest, kConfig, kQuestEnd, kHall, kWriters };
constexpr std::array<const char*, kWriters> kWriterNames{"profile", "campaign save", "configuration",
                                                         "finished quest's save", "hall of fame"};

// Where the kills land, learnt per writer: a kill that found every file old
// came too early, one that found new files too late; the next delay is drawn
// between the two, widened a little, so the kills gather around the write.
// A write later than every delay tried so far widens the window.
struct KillWindow {
  double early = 0;
  double late = 250;
  double Draw(std::mt19937& random) const {
    return std::uniform_real_distribution<double>(std::max(0.0, early - 4), late + 4)(random);
  }
  void Learn(double delay, bool before, bool after) {
    if (before) early = std::max(early, delay);
    if (after) late = std::min(late, delay);
    if (early >= late) {
      if (before) late = 3 * early + 50;
      if (after) early = late / 2;
    }
  }
};

int EnvNumber(const char* name, int fallback) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::atoi(value) : fallback;
}

class CrashSafety : public play::Long<play::PlayRun> {
 protected:
  std::filesystem::path Save(int number) const {
    char name[16];
    std::snprintf(name, sizeof name, "%05d.yml", number);
    return UserFolder() / "save" / name;
  }

  void CraftLastLevel() { testing_support::WriteFile(Save(1), play::LastLevelSave(LevelCount() - 1)); }

  // Before the game starts and reads it: a full hall of fame may keep out
  // the new record, and every win must change the table.
  void MakeRoomInTheHallOfFame() {
    const std::filesystem::path table = UserFolder() / "stats.dat";
    if (play::HallOfFameSize(testing_support::ReadFile(table)) >= Stats::kKept) std::filesystem::remove(table);
  }

  // A first quest, its door keeper beaten and left on the control panel:
  // the save every campaign-save round continues.
  void BeginQuest() {
    ASSERT_NO_FATAL_FAILURE(BeginAQuest());
    ASSERT_NO_FATAL_FAILURE(LeaveForTheMenu());
  }

  // From the main menu to the moment before the click that writes; the
  // control to click, none when the round's board game did not end.
  void Approach(Writer writer, std::string& trigger) {
    switch (writer) {
      case kConfig:
        ASSERT_TRUE(Open("options", "options.yml"));
        language_ = current_.current["language"];
        ASSERT_TRUE(Open("language", "options.yml"));
        ASSERT_TRUE(Open(language_ == 0 ? "item1" : "item0", "options.yml"));
        ASSERT_TRUE(Open("ok", "mainMenu.yml"));
        ASSERT_TRUE(Click("exit"));
        ASSERT_TRUE(Reach("yesno.yml", "0xc"));
        trigger = "yes";
        return;
      case kProfile:
        ASSERT_TRUE(Open("multiplayer", "sg_menu.yml"));
        ASSERT_TRUE(Open("computer", "sg_computer.yml"));
        ASSERT_TRUE(Open("profiles", "sg_profiles.yml"));
        ASSERT_TRUE(Open("new", "sg_newHero.yml"));
        trigger = "ok";
        return;
      case kQuest:
        ASSERT_TRUE(Open("continue", "panel"));
        Press("Escape");
        ASSERT_TRUE(Reach("yesno.yml", "0x9"));
        trigger = "yes";
        return;
      case kQuestEnd:
      case kHall:
        ASSERT_TRUE(Open("continue", "selectSave.yml"));
        ASSERT_TRUE(Click("0"));  // the newest save: the crafted one
        ASSERT_TRUE(Click("ok"));
        // A board game that has not ended by then (its moves are random)
        // is killed as it is, without a click.
        if (!Reach("battle_victory.yml", "", "", play::kBoardGame)) return;
        if (writer == kHall) {
          ASSERT_TRUE(Open("ok", "questFinal.yml"));
        }
        trigger = "ok";
        return;
      case kWriters:
        return;
    }
  }

  // Back at the main menu after a restart: what the killed round wrote is
  // read and the game goes on from it.
  void GoesOn(Writer writer, bool renewed) {
    switch (writer) {
      case kConfig:
        ASSERT_TRUE(Open("options", "options.yml"));
        EXPECT_EQ(current_.current["language"], renewed ? 1 - language_ : language_)
            << "the language of the configuration on disk";
        ASSERT_TRUE(Open("cancel", "mainMenu.yml"));
        return;
      case kProfile:
        ASSERT_TRUE(Open("multiplayer", "sg_menu.yml"));
        ASSERT_TRUE(Open("computer", "sg_computer.yml"));
        ASSERT_TRUE(Open("profiles", "sg_profiles.yml"));
        ASSERT_TRUE(Open("cancel", "sg_computer.yml"));
        ASSERT_TRUE(Open("cancel", "sg_menu.yml"));
        ASSERT_TRUE(Open("cancel", "mainMenu.yml"));
        return;
      case kQuest:
        ASSERT_TRUE(Open("continue", "panel"));
        ASSERT_NO_FATAL_FAILURE(LeaveForTheMenu());
        return;
      case kQuestEnd:
      case kHall:
        // Both saves listed, each read whole, and the hall of fame shown.
        ASSERT_TRUE(Open("continue", "selectSave.yml"));
        ASSERT_TRUE(Open("cancel", "mainMenu.yml"));
        ASSERT_TRUE(Open("hallFame", "hallFame.yml"));
        ASSERT_TRUE(Open("ok", "mainMenu.yml"));
        return;
      case kWriters:
        return;
    }
  }

  // One round: the click that writes, the kill a random moment later, and
  // the verdict on every file. True when the configuration was renewed.
  bool KillWhileWriting(Writer writer) {
    std::string trigger;
    Approach(writer, trigger);
    if (HasFatalFailure()) return false;
    const play::UserFiles before = play::ReadUserFiles(UserFolder());
    KillWindow& window = windows_[writer];
    // Timed from the click's start: the game may act on it, and write, even
    // before the click's program has returned.
    const double delay = window.Draw(random_);
    ::testing::AssertionResult clicked = ::testing::AssertionSuccess();
    if (trigger.empty()) journal_ << "(board game unfinished, no click) ";
    std::thread clicker([&] {
      if (!trigger.empty()) clicked = Click(trigger);
    });
    std::this_thread::sleep_for(std::chrono::duration<double, std::milli>(delay));
    Current().run->Signal(SIGKILL);
    clicker.join();
    EXPECT_TRUE(clicked);
    const std::optional<int> end = Current().run->Wait(15s);
    EXPECT_TRUE(end.has_value());
    if (end == std::optional<int>(128 + SIGKILL))
      ++kills_;
    else
      journal_ << "(ended before the kill) ";
    const play::Verdict verdict = play::Judge(before, play::ReadUserFiles(UserFolder()));
    const bool whileWriting = !verdict.temps.empty();
    window.Learn(delay, verdict.renewed.empty() && !whileWriting, !verdict.renewed.empty() && !whileWriting);
    Tally(writer, delay, verdict, whileWriting);
    return Has(verdict.renewed, "config.yml");
  }

  static bool Has(const std::vector<std::string>& names, const char* name) {
    return std::find(names.begin(), names.end(), name) != names.end();
  }

  void Tally(Writer writer, double delay, const play::Verdict& verdict, bool whileWriting) {
    checked_ += verdict.checked;
    if (whileWriting) ++during_;
    journal_ << kWriterNames[writer] << " delay " << static_cast<int>(delay) << " ms:";
    for (const std::string& name : verdict.renewed) journal_ << " new " << name;
    for (const std::string& name : verdict.temps) journal_ << " temp " << name;
    if (verdict.renewed.empty() && verdict.temps.empty()) journal_ << " all old";
    journal_ << "\n";
    for (const std::string& fault : verdict.faults) {
      ADD_FAILURE() << kWriterNames[writer] << ": " << fault;
      journal_ << "  FAULT " << fault << "\n";
      ++faults_;
    }
    // Kept after every round, so a run cut short still shows its kills.
    testing_support::WriteFile(Shot("play_crash_safety.txt"), journal_.str());
  }

  std::string Summary(int rounds) const {
    return "rounds " + std::to_string(rounds) + ", kills " + std::to_string(kills_) +
           ", kills while a temporary file was written " + std::to_string(during_) + ", files checked " +
           std::to_string(checked_) + ", faults " + std::to_string(faults_) + "\n";
  }

  std::mt19937 random_;
  // The finished quest is saved after the result screen has faded out.
  std::array<KillWindow, kWriters> windows_{{{}, {}, {}, {0, 1500}, {}}};
  int language_ = 0;
  int kills_ = 0, during_ = 0, faults_ = 0;
  std::size_t checked_ = 0;
  std::ostringstream journal_;
};

TEST_F(CrashSafety, KilledWhileWritingEveryFileIsOldOrWholeAndTheGameGoesOn) {
  const int rounds = EnvNumber("QV_CRASH_ROUNDS", 8);
  const auto seed = static_cast<unsigned>(EnvNumber("QV_CRASH_SEED", static_cast<int>(std::random_device()() >> 1)));
  random_.seed(seed);
  journal_ << "seed " << seed << "\n";
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
  ASSERT_NO_FATAL_FAILURE(BeginQuest());
  Writer previous = kProfile;
  bool renewed = false;
  for (int round = 0; round < rounds; ++round) {
    const auto writer = static_cast<Writer>(round % kWriters);
    // The crafted last-level quest is the second save while the quest's
    // end is played; the campaign-save rounds continue the only save.
    if (writer == kQuestEnd) {
      CraftLastLevel();
      MakeRoomInTheHallOfFame();
    }
    if (writer == kQuest) std::filesystem::remove(Save(1));
    if (round > 0) {
      ASSERT_NO_FATAL_FAILURE(Start()) << "round " << round << " after " << kWriterNames[previous];
      ASSERT_TRUE(Reach("mainMenu.yml", "0x4")) << "round " << round << " after " << kWriterNames[previous];
      ASSERT_NO_FATAL_FAILURE(GoesOn(previous, renewed)) << "round " << round;
    }
    // Rewritten over the one just checked: the game reads a save when it is
    // resumed, and the list still holds two.
    if (writer == kHall) CraftLastLevel();
    renewed = KillWhileWriting(writer);
    ASSERT_FALSE(HasFatalFailure()) << "round " << round << ", " << kWriterNames[writer];
    previous = writer;
  }
  ASSERT_NO_FATAL_FAILURE(Start());
  ASSERT_TRUE(Reach("mainMenu.yml", "0x4"));
  ASSERT_NO_FATAL_FAILURE(GoesOn(previous, renewed));
  Stop();
  journal_ << Summary(rounds);
  testing_support::WriteFile(Shot("play_crash_safety.txt"), journal_.str());
  std::printf("%s", Summary(rounds).c_str());
}

}  // namespace
