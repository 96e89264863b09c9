// Shared set-up of the game modes' tests: the shipped catalogues of the
// English interface read from the program folder (the working folder while
// a test runs), a user folder holding the seed profiles, a host that
// records what the modes show, and commander factories that put computers
// where users would sit.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "board/YTessorPlayerCommander.h"
#include "modes/CommanderFactory.h"
#include "modes/GameHost.h"
#include "tests/support/TestSupport.h"

class ShippedGameTest : public ::testing::Test {
 protected:
  ShippedGameTest();
  ~ShippedGameTest() override;

 private:
  testing_support::ScopedTempDir user_;
  testing_support::ScopedCwd cwd_;
  std::string oldAppData_;
};

// Keeps the state word and one line per screen shown, such as
// "victoryMP Imp wins 12 30" or "complete 1".
class RecordingHost : public GameHost {
 public:
  std::uint32_t State() const override { return state; }
  void SetState(std::uint32_t word) override { state = word; }
  void ClearScreen() override { shown.push_back("clear"); }
  void PlayEffect(std::string_view name) override { shown.push_back("sound " + std::string(name)); }
  void ShowMessage(const std::string& text) override { shown.push_back("message " + text); }
  void ShowBattleVictory(bool, std::int32_t, std::int32_t, std::int32_t, std::int32_t) override {
    shown.push_back("victory");
  }
  void ShowDefeat(std::int32_t, std::int32_t) override { shown.push_back("defeat"); }
  void ShowBattleVictoryMP(const std::string& text, std::int32_t experience, std::int32_t bonus) override {
    state |= host_state::kResultModal;
    shown.push_back("victoryMP " + text + " " + std::to_string(experience) + " " + std::to_string(bonus));
  }
  void ShowMultiplayerDraw() override { shown.push_back("draw"); }
  void ShowNetworkDefeat() override { shown.push_back("networkDefeat"); }
  void ShowHotseatComplete(std::int32_t winner) override {
    state |= host_state::kCompleteModal;
    shown.push_back("complete " + std::to_string(winner));
  }
  void ShowNetworkResult(std::int32_t winner) override {
    state |= host_state::kCompleteModal;
    shown.push_back("networkResult " + std::to_string(winner));
  }
  void ShowLevelComplete(const std::string&, std::uint32_t) override {}
  void ShowLevelComplete2() override {}
  void ShowLevelFail() override {}
  void ShowQuestFinal() override {}
  void ShowHeroFine(const std::string&, std::int32_t) override {}
  void OpenControlPanel(YPlayer*) override {}
  void CloseModals() override { shown.push_back("closeModals"); }
  void SetGameMode(YGameMaster* mode) override { gameMode = mode; }

  std::uint32_t state = 0;
  std::vector<std::string> shown;
  YGameMaster* gameMode = nullptr;
};

// Computers of the easiest row wherever the modes ask for a user; with
// `decide`, every duel's side to move strikes the other fighter down at
// once, so a whole game goes by fast.
class ComputerFactory : public CommanderFactory {
 public:
  explicit ComputerFactory(bool decide = false) : decide_(decide) {}
  std::unique_ptr<YTessorPlayerCommander> BoardUser(std::int32_t side) override {
    return BoardComputer(side, 0);
  }
  std::unique_ptr<YPlayerCommander> DuelUser(std::int32_t side) override { return DuelComputer(side, 0); }
  std::unique_ptr<YPlayerCommander> DuelComputer(std::int32_t side, std::int32_t row) override;

 private:
  bool decide_;
};
