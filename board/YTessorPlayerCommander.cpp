#include "board/YTessorPlayerCommander.h"

#include "board/YTessor.h"

void YTessorPlayerCommander::BeginTurn(std::int32_t turnSide) {
  if (board_ != nullptr) board_->BeginTurn(turnSide);
}
