// A word-wrapped block of text for the game panels: laid out once into lines
// of one font and size, then drawn line by line. Words wrap at blanks; a
// parenthesised group wraps as one word; the two characters "\n" force a
// break.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class YFont;

class YTextBlock {
 public:
  struct Line {
    float x = 0, y = 0;  // y is the bottom of the line's box
    std::string text;
  };

  // Empties the block and wraps `text` into lines no wider than maxWidth
  // (UI units), the first at (x, y), each next one `size` lower. A laid-out
  // block has at least one line, empty for an empty text. The space width is
  // counted for every word, also a line's first, and a word too long for an
  // empty line follows an empty stored line. A backslash drops itself and
  // the next character, except before 'n' (a break) and at the end of the
  // text (only the backslash goes). The text ends at its end or at a zero
  // byte. `font` must not be null.
  void Layout(std::string_view text, float x, float y, float maxWidth, YFont* font, float size);
  // Draws every line with the font and size; the caller sets the shader
  // colour beforehand.
  void Draw() const;

  YFont* font = nullptr;  // not owned
  float size = 0;
  std::vector<Line> lines;
};
