// The game modes and the two battles as the screens' event handling sees
// them: the three modes to make current, the quest's saves, the start of a
// two-player game and what the screen changes ask of the board and the tile
// battle. GameModes serves the process's own; tests record the calls.
// Main thread only.
#pragma once

#include <cstdint>
#include <string>

#include "players/ProfileInfo.h"

class YGameMaster;
class YPlayer;
struct QuestHeroChoice;
struct SaveInfo;

class ScreenModes {
 public:
  virtual ~ScreenModes() = default;

  // The three modes (owned elsewhere, living for the process).
  virtual YGameMaster* Quest() = 0;
  virtual YGameMaster* Hotseat() = 0;
  virtual YGameMaster* Network() = 0;

  // --- the quest: a new hero, its saves ----------------------------------------
  // Creates a new quest without starting it; false when none was made.
  virtual bool NewQuest(const QuestHeroChoice& choice) = 0;
  // Re-reads the save summaries.
  virtual void LoadSaveList() = 0;
  // The number of save summaries listed now.
  virtual int SaveCount() = 0;
  // Summary n, 0 <= n < SaveCount().
  virtual const SaveInfo& SaveSummary(int n) = 0;
  // Whether a save exists (the list is read first when out of date).
  virtual bool HasSaves() = 0;
  // Resumes summary n; false when it is missing or refused.
  virtual bool LoadSave(int n) = 0;
  // The locale key of the question that offers to delete the save the last
  // LoadSave refused, saying why; empty when there is nothing to ask.
  virtual std::string ResumeProblem() = 0;
  virtual bool DeleteSave(int n) = 0;
  virtual void SaveQuest() = 0;
  // The game ends at a result box of the quest: the result it waits to
  // hand over is taken into the quest, which is saved (YGameQuest).
  virtual void TakeQuestResult() = 0;
  // Ends the quest and the network game (the main menu is back).
  virtual void EndGames() = 0;

  // --- two-player games ---------------------------------------------------------
  virtual void LoadProfileSummaries() = 0;
  virtual int ProfileCount() = 0;
  // Summary n, 0 <= n < ProfileCount().
  virtual const ProfileInfo& ProfileSummary(int n) = 0;
  // Writes a new profile and makes it the current player (the control
  // panel shows it); false when none was made.
  virtual bool CreateProfile(const std::string& name, int race, int gender, int origin,
                             std::int32_t level) = 0;
  // Makes profile n the current player; the control panel shows it.
  virtual void SelectProfile(int n) = 0;
  // Deletes profile n's file and entry; false when the file stays.
  virtual bool DeleteProfile(int n) = 0;
  // Writes the profile edited on the control panel back to its file.
  virtual void SaveCurrentProfile() = 0;
  // Profiles `first` and `second` play; side 1 is the computer of row
  // `difficulty`, or a second person for -1. False when no game started.
  virtual bool StartHotseat(int first, int second, std::int32_t difficulty) = 0;

  // --- the network setup ----------------------------------------------------------
  // What a network setup shows of the network game.
  struct NetworkView {
    bool connected = false;
    bool hasPeer = false;  // the other player's summary arrived
    ProfileInfo peer;
    int sentProfile = -1;  // the profile last sent (-1: none)
    std::string host;      // of the link; empty: found by broadcast
    bool mayStart = false;
  };
  virtual NetworkView NetworkState() = 0;
  // A link to `host` (empty: by broadcast); an existing one to the same
  // host is kept.
  virtual void Connect(const std::string& host) = 0;
  // Sends profile n's summary; it becomes the profile last sent.
  virtual void SendPlayerInfo(int n) = 0;
  // No profile counts as sent any more.
  virtual void ForgetSentProfile() = 0;
  // Reads the network mode's messages that arrived.
  virtual void ReadNetworkMessages() = 0;
  // False when no game began here (the other machine's begins on the
  // master's word; a profile that gives no hero begins none).
  virtual bool StartNetworkGame() = 0;
  // The network game waits for the other player: to play again, or for
  // the other machine's side of a game begun here.
  virtual bool NetworkWaiting() = 0;
  virtual void EndNetworkGame() = 0;
  // Sends the network game's abort to the other machine.
  virtual void SendNetworkAbort() = 0;

  // --- the battles ------------------------------------------------------------------
  // The board's game is running (no side has lost yet).
  virtual bool BoardRunning() = 0;
  // The tile battle's view; whether its battle has begun; its music mood.
  virtual void SetUpBattleView() = 0;
  virtual bool BattleStarted() = 0;
  virtual void SetBattleMood() = 0;

  // --- the board's two sides, for the end of a game -----------------------------
  // The name of the board's player record of `side`; empty when none.
  virtual std::string SidePlayerName(int side) = 0;
  // The kind of the board's commander of `side` (commander_kind); -1 when
  // the side has none.
  virtual int SideCommanderKind(int side) = 0;
  // The board's other side learns the new skill values of `record`.
  virtual void NotifySkill(const YPlayer* record) = 0;
};
