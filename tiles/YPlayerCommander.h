// Whoever plays one side of a duel: the user at this machine, the computer
// or the player at the other machine. The tile battle owns two commanders,
// learns who plays a side only through Kind, and calls them from its frame:
// HandleMessages on both every frame, Update on the side to move while the
// battle waits for a move, OnStart when a battle begins and OnMove for each
// move of side 0. A commander makes at most one move per Update, through
// the battle's DoMove or DoMoveByIds. Main thread only.
#pragma once

#include <cstdint>
#include <string>

class YTileset;

class YPlayerCommander {
 public:
  enum Kinds : std::int32_t { kBase = 0, kUser = 1, kComputer = 2, kNetwork = 3 };

  explicit YPlayerCommander(std::int32_t commanderSide) : side(commanderSide) {}
  virtual ~YPlayerCommander() = default;
  YPlayerCommander(const YPlayerCommander&) = delete;
  YPlayerCommander& operator=(const YPlayerCommander&) = delete;

  virtual std::int32_t Kind() const;
  // Every frame, before the battle's own step; even before it has started.
  virtual void HandleMessages();
  // While this side is to move and the battle is idle.
  virtual void Update();
  // A fight begins on side 1's commander. The base starts the battle here
  // at once (YTileset::NewBattle).
  virtual void OnStart(const std::string& layoutPath, std::uint32_t seed, std::int32_t firstSide);
  // Side 0 is about to take the tiles numbered first and second.
  virtual void OnMove(std::int32_t first, std::int32_t second);

  // The battle that owns this commander; set when it is installed.
  YTileset* Battle() const { return battle_; }
  void AttachTo(YTileset* battle) { battle_ = battle; }

  const std::int32_t side;  // the duel side this commander plays, 0 or 1

 private:
  YTileset* battle_ = nullptr;
};
