// The text form of a display mode in the configuration, "WxH:bits@refresh"
// such as "1024x768:32@85", read into the numbers a window request needs.
#pragma once

#include <string_view>

struct DisplayModeRequest {
  int width = 0;
  int height = 0;
  int bits = 0;     // 0 = any
  int refresh = 0;  // 0 = any
};

// Leniently: without 'x' everything stays 0; "800x600" gives only the size,
// "800x600:16" adds the bits. Each number is read from the start of its
// part (leading blanks and '+' skipped, reading stops at the first other
// character); a part that is not a number, is negative or does not fit gives 0.
DisplayModeRequest ParseDisplayModeText(std::string_view text);
