// The board screen's controls, camera and mouse picking.
#include "board/YTessor.h"

void YTessor::OnEvent(int, UIControl*) {}
