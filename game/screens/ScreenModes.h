// The game modes and the two battles as the screens' event handling sees
// them: the three modes to make current, the quest's saves, the start of a
// two-player game and what the screen changes ask of the board and the tile
// battle. GameModes serves the process's own; tests record the calls.
// Main thread only.
#pragma once

#include <cstdint>
#include <string>

class YGameMaster;
class YPlayer;
struct QuestHeroChoice;

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
  // Whether a save exists (the list is read first when out of date).
  virtual bool HasSaves() = 0;
  // Resumes summary n; false when it is missing or refused.
  virtual bool LoadSave(int n) = 0;
  virtual bool DeleteSave(int n) = 0;
  virtual void SaveQuest() = 0;
  // Ends the quest and the network game (the main menu is back).
  virtual void EndGames() = 0;

  // --- two-player games ---------------------------------------------------------
  virtual void LoadProfileSummaries() = 0;
  virtual int ProfileCount() = 0;
  // Writes the profile edited on the control panel back to its file.
  virtual void SaveCurrentProfile() = 0;
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
