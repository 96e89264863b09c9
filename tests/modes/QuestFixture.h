// A quest on the process's board and tile battle, run without a window: a
// working folder with the shipped layouts and desks and a two-level test
// campaign, a user folder of its own, the shipped catalogues, and a host
// that records what the quest shows.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "draw/YControlPanel.h"
#include "modes/GameHost.h"
#include "modes/YGameQuest.h"
#include "tests/tiles/TilesTestSupport.h"

namespace quest_test {

// Records each call as a short text and keeps the state word; the result
// screens add their bit 0x40 as the real ones do.
class RecordingHost : public GameHost {
 public:
  std::uint32_t State() const override { return state; }
  void SetState(std::uint32_t word) override { state = word; }
  void ClearScreen() override { calls.push_back("clear"); }
  void PlayEffect(std::string_view name) override { calls.push_back("sound " + std::string(name)); }
  void ShowMessage(const std::string& text) override { calls.push_back("message " + text); }
  void ShowBattleVictory(bool victory, std::int32_t gold, std::int32_t experience, std::int32_t goldBonus,
                         std::int32_t experienceBonus) override;
  void ShowDefeat(std::int32_t gold, std::int32_t experience) override;
  void ShowBattleVictoryMP(const std::string&, std::int32_t, std::int32_t) override {}
  void ShowMultiplayerDraw() override {}
  void ShowNetworkDefeat() override {}
  void ShowHotseatComplete(std::int32_t) override {}
  void ShowNetworkResult(std::int32_t) override {}
  void ShowLevelComplete(const std::string& artifact, std::uint32_t spell) override;
  void ShowLevelComplete2() override { calls.push_back("complete"); }
  void ShowLevelFail() override { calls.push_back("fail"); }
  void ShowQuestFinal() override { calls.push_back("final"); }
  void ShowHeroFine(const std::string&, std::int32_t gold) override;
  void OpenControlPanel(YPlayer*, YMonsterShop* shop, std::int32_t tab) override {
    calls.push_back("panel");
    panelShop = shop;
    panelTab = tab;
  }
  // The process's panel lets go, as the application's does.
  void ReleasePlayers() override { GetControlPanel().Release(); }
  YMonsterShop* panelShop = nullptr;
  std::int32_t panelTab = -1;
  void CloseModals() override { calls.push_back("close"); }
  void SetGameMode(YGameMaster*) override {}

  bool Saw(const std::string& call) const;

  std::uint32_t state = 0;
  std::vector<std::string> calls;
};

class QuestTest : public ::testing::Test {
 protected:
  QuestTest();
  ~QuestTest() override;

  std::filesystem::path SaveFolder() const;
  // A quest of a new hero at the door keeper's duel.
  void BeginQuest(std::int32_t difficulty = 0);
  // The door keeper beaten: between levels, level 0 pending.
  void PassDoorKeeper();
  // Saves, re-reads the save list and resumes the newest save.
  bool SaveAndResume();

  tiles_test::ShippedLayoutsFolder folder;
  std::string oldAppData;
  RecordingHost host;
  YGameQuest& quest;
};

}  // namespace quest_test
