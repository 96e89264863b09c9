// What the duel and the board test programs share: the program folder,
// the catalogues of a language, the window pixel of a scene point and a
// picture of the back buffer.
#pragma once

#include <memory>
#include <string>
#include <utility>

#include "framework/YVector3.h"

class YFramework;
class YPlayer;
class YRender;

namespace run_support {

// The program folder holds the data; the user folder (APPDATA) the log.
void EnterProgramFolder();
// Locale, artifacts, monsters, heroes and the tile battle's tables of the
// interface language.
void LoadCatalogues(const std::string& language);
// Shows the record's values at once (no counting up on screen).
void ShowValuesAtOnce(YPlayer& fighter);
// The window pixel the current camera shows a scene point at.
std::pair<int, int> ScreenPoint(const YVector3& p, const YFramework& window);
// Writes the back buffer as a PNG; false (and a line on stderr) when not.
bool SaveFrame(const YRender& renderer, const std::string& path);

}  // namespace run_support
