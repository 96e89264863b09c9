#include "board/YTessorPlayerUI.h"

#include "board/YTessor.h"

void YTessorPlayerUI::Think() {
  YTessor* board = Board();
  if (board != nullptr && board->TakePendingMove()) board->ExecuteSelectedMove();
}
