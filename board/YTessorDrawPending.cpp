// Stands in for the board drawing's unit blur until the board drawing lands
// (it defines YTessor::DrawUnitBlur in YTessorDraw.cpp; this file then goes).
#include "board/YTessor.h"

void YTessor::DrawUnitBlur(YTessorUnit*, const YMatrix4&, const YColor&) {}
void YTessor::DrawBoard() {}
void YTessor::DrawArrow() {}
