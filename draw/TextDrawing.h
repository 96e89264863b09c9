// Text in the main font for the directly drawn screens: aligned, formatted
// through the safe formatter, wrapped, and with a dark shadow. Positions are
// in the 1000 x 625 UI space; y is the bottom of the line box.
#pragma once

#include <string>
#include <string_view>

#include "framework/TextFormat.h"
#include "framework/YColor.h"

enum TextAlign : int { kAlignLeft = 0, kAlignRight = 1, kAlignCentre = 2 };

// The longest formatted text the F forms draw (the rest is cut).
inline constexpr std::size_t kMaxFormattedText = 1023;

// Where a text `width` wide starts so that x is its start (left), its end
// (right) or its middle (centre); any other align counts as left.
float AlignedTextStart(float x, float width, int align);

// The text in the main font at `size`, coloured, aligned on x.
void DrawTextAligned(float x, float y, float size, const YColor& colour, int align, std::string_view text);

// The text in the main font at `size`, coloured, from x, cut to its
// longest start narrower than `width`: a line that must stay in its box.
void DrawTextWithin(float x, float y, float width, float size, const YColor& colour, std::string_view text);

// The format filled by FormatText ("%s" and "%d" take the arguments in
// order; a conversion without an argument prints nothing), cut to
// kMaxFormattedText bytes, then drawn as DrawTextAligned.
template <typename... Args>
void DrawTextAlignedF(float x, float y, float size, const YColor& colour, int align, std::string_view format,
                      const Args&... args) {
  std::string text = FormatTextArgs(format, args...);
  if (text.size() > kMaxFormattedText) text.resize(kMaxFormattedText);
  DrawTextAligned(x, y, size, colour, align, text);
}

// The text word-wrapped to `width` in the main font (the two characters
// "\n" break a line), its first line's box ending at y, each next line
// `size` lower.
void DrawTextBlock(float x, float y, float width, float size, const YColor& colour, std::string_view text);

// The text first in near black one unit up and left, then in the colour at
// (x, y).
void DrawTextShadow(float x, float y, float size, const YColor& colour, std::string_view text);
