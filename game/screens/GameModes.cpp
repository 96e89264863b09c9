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

const SaveInfo& GameModes::SaveSummary(int n) {
  return GetGameQuest().Saves().at(static_cast<std::size_t>(n));
}

bool GameModes::HasSaves() {
  return GetGameQuest().HasSaves();
}

bool GameModes::LoadSave(int n) {
  return GetGameQuest().LoadSave(n);
}

std::string GameModes::ResumeProblem() {
  return GetGameQuest().ResumeProblem();
}

bool GameModes::DeleteSave(int n) {
  return GetGameQuest().DeleteSave(n);
}

void GameModes::SaveQuest() {
  GetGameQuest().Save();
}

void GameModes::TakeQuestResult() {
  GetGameQuest().TakeWaitingResult();
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

const ProfileInfo& GameModes::ProfileSummary(int n) {
  return ProfileList().at(static_cast<std::size_t>(n));
}

bool GameModes::CreateProfile(const std::string& name, int race, int gender, int origin, std::int32_t level) {
  return CreatePlayerProfile(name, race, gender, origin, level);
}

void GameModes::SelectProfile(int n) {
  SelectPlayerProfile(n);
}

bool GameModes::DeleteProfile(int n) {
  return DeletePlayerProfile(n);
}

void GameModes::SaveCurrentProfile() {
  ::SaveCurrentProfile();
}

bool GameModes::StartHotseat(int first, int second, std::int32_t difficulty) {
  return GetHotseatGame().StartGame(first, second, difficulty);
}

ScreenModes::NetworkView GameModes::NetworkState() {
  const YGameNetwork& game = GetNetworkGame();
  NetworkView view;
  view.connected = game.IsConnected();
  view.hasPeer = game.HasPeerInfo();
  if (view.hasPeer) view.peer = game.PeerInfo();
  view.sentProfile = game.LocalProfile();
  view.host = game.HostName();
  view.mayStart = game.CanStart();
  return view;
}

void GameModes::Connect(const std::string& host) {
  GetNetworkGame().Connect(host, false);
}

void GameModes::SendPlayerInfo(int n) {
  GetNetworkGame().SendPlayerInfo(n);
}

void GameModes::ForgetSentProfile() {
  GetNetworkGame().ForgetLocalProfile();
}

void GameModes::ReadNetworkMessages() {
  GetNetworkGame().HandleMessages();
}

bool GameModes::StartNetworkGame() {
  GetNetworkGame().Start();
  return GetNetworkGame().Started();
}

bool GameModes::NetworkWaiting() {
  return GetNetworkGame().Waiting();
}

void GameModes::EndNetworkGame() {
  GetNetworkGame().End();
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
