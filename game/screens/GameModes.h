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
  const SaveInfo& SaveSummary(int n) override;
  bool HasSaves() override;
  bool LoadSave(int n) override;
  std::string ResumeProblem() override;
  bool DeleteSave(int n) override;
  void SaveQuest() override;
  void TakeQuestResult() override;
  void EndGames() override;
  void LoadProfileSummaries() override;
  int ProfileCount() override;
  const ProfileInfo& ProfileSummary(int n) override;
  bool CreateProfile(const std::string& name, int race, int gender, int origin, std::int32_t level) override;
  void SelectProfile(int n) override;
  bool DeleteProfile(int n) override;
  void SaveCurrentProfile() override;
  bool StartHotseat(int first, int second, std::int32_t difficulty) override;
  NetworkView NetworkState() override;
  void Connect(const std::string& host) override;
  void SendPlayerInfo(int n) override;
  void ForgetSentProfile() override;
  void ReadNetworkMessages() override;
  bool StartNetworkGame() override;
  bool NetworkWaiting() override;
  void EndNetworkGame() override;
  void SendNetworkAbort() override;
  bool BoardRunning() override;
  void SetUpBattleView() override;
  bool BattleStarted() override;
  void SetBattleMood() override;
  std::string SidePlayerName(int side) override;
  int SideCommanderKind(int side) override;
  void NotifySkill(const YPlayer* record) override;
};
