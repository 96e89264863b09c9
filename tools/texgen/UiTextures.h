// The interface's textures: frames for buttons, combo boxes, edit boxes,
// windows and drop-down lists, scroll-bar arrows and track, the tracker's
// groove and knob, a speed button, a picture (also the program's icon) and
// a glow. Water blue bodies with gold (air) rims on dark panels; the looks
// of a widget differ in brightness and offset as well as colour.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include <functional>

#include "tools/texgen/Canvas.h"
#include "tools/texgen/TgaWriter.h"

// One of the four element marks centred at (cx, cy), told apart by shape:
// air (0) a triangle, fire (1) a diamond, earth (2) a square, water (3) a disc.
void ElementMark(Canvas& c, int element, float cx, float cy, float r);

// The scroll bar's track (left half) and thumb (right half); their top and
// bottom eighths are the round ends.
Canvas ScrollTrack();

// Four looks of a round button in the quarters of a 128 x 128 texture:
// normal, hot (brighter), pressed (darker, the icon a little down and
// right), disabled (grey); the icon is drawn centred in each look.
using ButtonIcon = std::function<void(Canvas& c, float cx, float cy, const Colour& colour)>;
Canvas ButtonQuarters(const ButtonIcon& icon);
// Arrow icons for ButtonQuarters.
void UpIcon(Canvas& c, float cx, float cy, const Colour& colour);
void DownIcon(Canvas& c, float cx, float cy, const Colour& colour);

// Every interface texture with its file name.
std::vector<std::pair<std::string, TgaImage>> UiTextures();
