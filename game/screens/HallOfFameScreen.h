// The hall-of-fame screen's ten rows: per record its name, difficulty,
// level (counted from 1), levels lost, fights won and score, the difficulty
// named by the new-hero dialog's list (so in the interface's language).
// Main thread only.
#pragma once

#include <vector>

#include "players/ScoreRecord.h"

class UICombobox;
class UIControl;

class HallOfFameScreen {
 public:
  static constexpr int kRows = 10;

  // Fills rows 0 to 9 of `screen` from `records` (best first): row 0's name
  // keeps the layout's style, which then styles every later cell; rows
  // without a record are cleared. Scores are shown times 5. `difficulties`
  // names the difficulty rows (null or a row it lacks: no name). Missing
  // cells are skipped; a null screen does nothing.
  static void Fill(UIControl* screen, const std::vector<ScoreRecord>& records,
                   const UICombobox* difficulties);
};
