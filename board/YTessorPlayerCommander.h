// Whoever plays one side of the board: the user at this machine, the
// computer, or the player at the other machine. The board owns its two
// commanders and drives them from its frame step; it tells them apart only
// by their kind. The base plays nothing: it only forwards the start of a
// turn to the board. Main thread only.
#pragma once

#include <cstdint>

class YTessor;

namespace commander_kind {
inline constexpr std::int32_t kBase = 0;
inline constexpr std::int32_t kUser = 1;
inline constexpr std::int32_t kComputer = 2;
inline constexpr std::int32_t kNetwork = 3;
}  // namespace commander_kind

class YTessorPlayerCommander {
 public:
  explicit YTessorPlayerCommander(std::int32_t side) : side(side) {}
  virtual ~YTessorPlayerCommander() = default;
  YTessorPlayerCommander(const YTessorPlayerCommander&) = delete;
  YTessorPlayerCommander& operator=(const YTessorPlayerCommander&) = delete;

  virtual std::int32_t Kind() const { return commander_kind::kBase; }
  // Every frame, for both commanders.
  virtual void Receive() {}
  // Every idle frame, for the commander of the side to move; it makes at
  // most one move per turn through YTessor::MoveUnit.
  virtual void Think() {}
  // The game begins with `side` to move: forwards to YTessor::BeginTurn.
  virtual void BeginTurn(std::int32_t side);
  // The other side moved from (fromX, fromY) to (toX, toY); only a network
  // commander is told.
  virtual void OnMove(std::int32_t fromX, std::int32_t fromY, std::int32_t toX, std::int32_t toY) {
    (void)fromX;
    (void)fromY;
    (void)toX;
    (void)toY;
  }
  // The other side's player changed its skill values.
  virtual void SendSkill() {}

  // The board that owns the commander; set when it is installed.
  YTessor* Board() const { return board_; }
  void AttachBoard(YTessor* board) { board_ = board; }

  std::int32_t side;

 private:
  YTessor* board_ = nullptr;
};
