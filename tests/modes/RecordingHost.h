// A game host for the modes' tests and headless runs: it keeps the state
// word and one line per screen shown, so a whole mode runs without a window.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "draw/YControlPanel.h"
#include "modes/GameHost.h"

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
  void OpenControlPanel(YPlayer*, YMonsterShop*, std::int32_t) override {}
  // The process's panel lets go, as the application's does.
  void ReleasePlayers() override { GetControlPanel().Release(); }
  void CloseModals() override { shown.push_back("closeModals"); }
  void SetGameMode(YGameMaster* mode) override { gameMode = mode; }

  std::uint32_t state = 0;
  std::vector<std::string> shown;
  YGameMaster* gameMode = nullptr;
};
