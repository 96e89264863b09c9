// The process's game modes and battles as the screens' event handling
// sees them: the quest, hot-seat and network modes, the player profiles,
// the board and the tile battle. Main thread only.
#pragma once

#include "game/screens/ScreenModes.h"

class GameModes final : public ScreenModes {
 public:
  YGameMaster* Quest() override;
  YGameMaster* Hotseat() override;
  YGameMaster* Network() override;
  bool NewQuest(const QuestHeroChoice& choice) override;
  void LoadSaveList() override;
  int SaveCount() override;
  bool HasSaves() override;
  bool LoadSave(int n) override;
  bool DeleteSave(int n) override;
  void SaveQuest() override;
  void EndGames() override;
  void LoadProfileSummaries() override;
  int ProfileCount() override;
  void SaveCurrentProfile() override;
  void SendNetworkAbort() override;
  bool BoardRunning() override;
  void SetUpBattleView() override;
  bool BattleStarted() override;
  void SetBattleMood() override;
  std::string SidePlayerName(int side) override;
  int SideCommanderKind(int side) override;
  void NotifySkill(const YPlayer* record) override;
};
