// How the layout reader and the widgets pass text: a font with the size it
// is drawn at and its colour (drawn with DrawStyledText).
#pragma once

#include "framework/YColor.h"

class YFont;

struct UITextStyle {
  YFont* font = nullptr;  // not owned (fonts live to the end of the process); null draws nothing
  float size = 0;         // the line box height in UI units
  YColor colour{1, 1, 1, 1};
};
