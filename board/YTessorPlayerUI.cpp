#include "board/YTessorPlayerUI.h"

#include "board/YTessor.h"

void YTessorPlayerUI::Think() {
  YTessor* board = Board();
  // Before the game has begun (a network game still setting up) and after
  // it ended, a chosen move is dropped.
  if (board == nullptr || !board->TakePendingMove() || !board->gameRunning) return;
  board->ExecuteSelectedMove();
}
