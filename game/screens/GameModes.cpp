#include "game/screens/GameModes.h"

#include "board/YTessor.h"
#include "board/YTessorPlayerCommander.h"
#include "modes/YGameHotseat.h"
#include "modes/YGameNetwork.h"
#include "modes/YGameQuest.h"
#include "players/PlayerProfiles.h"
#include "players/YPlayer.h"
#include "tiles/YTileset.h"

YGameMaster* GameModes::Quest() {
  return &GetGameQuest();
}

YGameMaster* GameModes::Hotseat() {
  return &GetHotseatGame();
}

YGameMaster* GameModes::Network() {
  return &GetNetworkGame();
}

bool GameModes::NewQuest(const QuestHeroChoice& choice) {
  return GetGameQuest().NewGame(choice);
}

void GameModes::LoadSaveList() {
  GetGameQuest().LoadSaveList();
}

int GameModes::SaveCount() {
  return static_cast<int>(GetGameQuest().Saves().size());
}

bool GameModes::HasSaves() {
  return GetGameQuest().HasSaves();
}

bool GameModes::LoadSave(int n) {
  return GetGameQuest().LoadSave(n);
}

bool GameModes::DeleteSave(int n) {
  return GetGameQuest().DeleteSave(n);
}

void GameModes::SaveQuest() {
  GetGameQuest().Save();
}

void GameModes::EndGames() {
  GetGameQuest().End();
  GetNetworkGame().End();
}

void GameModes::LoadProfileSummaries() {
  ::LoadProfileSummaries();
}

int GameModes::ProfileCount() {
  return static_cast<int>(ProfileList().size());
}

void GameModes::SaveCurrentProfile() {
  ::SaveCurrentProfile();
}

void GameModes::SendNetworkAbort() {
  GetNetworkGame().SendAbort();
}

bool GameModes::BoardRunning() {
  return GetTessor().gameRunning;
}

void GameModes::SetUpBattleView() {
  GetTileset().SetupView();
}

bool GameModes::BattleStarted() {
  return GetTileset().IsBattleStarted();
}

void GameModes::SetBattleMood() {
  GetTileset().UpdateMusicMood(true);
}

std::string GameModes::SidePlayerName(int side) {
  const YPlayer* record = GetTessor().Player(side);
  return record != nullptr ? record->name : std::string();
}

int GameModes::SideCommanderKind(int side) {
  const YTessorPlayerCommander* commander = GetTessor().Commander(side);
  return commander != nullptr ? commander->Kind() : -1;
}

void GameModes::NotifySkill(const YPlayer* record) {
  GetTessor().NotifySkill(record);
}
