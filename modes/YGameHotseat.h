// The hot-seat game: two player profiles on the standard desk, each with its
// army, play one board game to its end, either two people at one machine or
// one against the computer of a difficulty row. Each fight is a duel of the
// two units' own records; the winner keeps what it took and gains the
// loser's worth. The network game derives from it and replaces the
// commanders. One object serves the process (GetHotseatGame); tests build
// their own on their own battles. Main thread only.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "modes/GameHost.h"
#include "players/YGameMaster.h"

class CommanderFactory;
class YPlayer;
class YPlayerHero;
class YTessor;
class YTileset;

class YGameHotseat : public YGameMaster {
 public:
  // The difficulty that makes side 1 a second person at this machine.
  static constexpr std::int32_t kTwoPeople = -1;
  // The duel computer of a game against the computer always plays this row.
  static constexpr std::int32_t kDuelRow = 0;
  // The names the mode looks up in the shipped data.
  static constexpr const char* kLocaleKeys[] = {"hotseat_win1", "hotseat_win2"};
  static constexpr const char* kFightSound = "combat";

  // The process's board and tile battle.
  YGameHotseat();
  // Other battles (tests); both outlive the mode.
  YGameHotseat(YTessor& board, YTileset& battle);

  // Where screens, state word and sounds go (not owned); without one the
  // mode plays on and shows nothing.
  // Not owned; null stands for a host that shows and plays nothing.
  void SetHost(GameHost* host) { host_ = host; }
  // Where commanders come from (not owned); null: the real ones.
  void SetFactory(CommanderFactory* factory) { factory_ = factory; }

  // Starts a game of profiles `first` and `second` of the profile list,
  // side 1 played by the computer of row `difficulty` or, with kTwoPeople,
  // by a second person. Nothing happens unless both indices are in the list.
  // False when no game started (an index outside the list, a profile that
  // gives no hero).
  bool StartGame(std::int32_t first, std::int32_t second, std::int32_t difficulty);
  // The same with two heroes already read, which the board owns from here.
  // False (both freed) when either is null.
  bool StartWithHeroes(YPlayerHero* first, YPlayerHero* second, std::int32_t difficulty);

  // The same match again, from the stored profiles and difficulty.
  void Start() override;
  // Both battles' commanders deleted, a duel under way stopped, the board
  // cleared.
  void End() override;
  void OnFight(YTessorUnit* attacker, YTessorUnit* defender) override;
  void OnFightEnd(std::int32_t result) override;
  void OnLevelEnd() override;
  // The board screen's layout goes back to the UI root.
  void Update() override;

  // Side 0 a user, side 1 a user or the computer; this mode the board's.
  virtual void CreateBoardCommander();
  // The duel's pair likewise; this mode the battle's.
  virtual void CreatePlayerCommander();

  // The last fight's outcome for the board (0 the attacker won, 1 the
  // defender, -1 both fell); once the game is over, its winner.
  std::int32_t Outcome() const { return outcome_; }
  std::int32_t Difficulty() const { return difficulty_; }
  std::int32_t Profile(int side) const { return profile_[static_cast<std::size_t>(side & 1)]; }

 protected:
  // Runs once the armies stand, just before the board game starts.
  virtual void BeforeNewGame() {}
  // Starts the duel of the two records, `firstSide` to move; the board
  // freezes and the screen fades. When no duel can be fought the attack is
  // turned back at once (the defender holds).
  void BeginDuel(const std::string& layout, YPlayer* side0, YPlayer* side1, std::int32_t firstSide);
  // Clears both battles for a new game or the end of one; the screens let
  // go of the players first.
  void ClearBattles();
  // Applies a decided duel to the records: the loser (both for -1) falls;
  // the winner gains the loser's worth after `show` saw the bonus. Returns
  // the bonus.
  std::int32_t SettleDuel(std::int32_t result);
  // The experience side `side`'s record gained in the duel so far.
  std::int32_t DuelGain(int side) const;
  // The game's winner once the board is over: 0 or 1 the side with units
  // left, -1 when neither has any.
  std::int32_t Winner() const;
  CommanderFactory& Factory() const;
  void SetStateBits(std::uint32_t bits);

  YTessor& board_;
  YTileset& battle_;
  GameHost& Host() { return host_ != nullptr ? *host_ : silent_; }

  GameHost* host_ = nullptr;
  NullGameHost silent_;
  CommanderFactory* factory_ = nullptr;
  std::int32_t outcome_ = 0;
  std::array<std::int32_t, 2> experienceBefore_{};
  std::array<std::int32_t, 2> profile_{-1, -1};
  std::int32_t difficulty_ = kTwoPeople;
};

// The process's hot-seat game.
YGameHotseat& GetHotseatGame();
