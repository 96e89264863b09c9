// The user's numbered files (profiles in "players", campaign saves in
// "save"): only names of five digits and ".yml" count, listed newest number
// first, and a new file takes the number above the highest.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Five decimal digits followed by ".yml" ("00042.yml").
bool IsNumberedFileName(std::string_view name);
// The number of the name's first five characters plus one, as five digits
// and ".yml"; empty when the name holds no number or the next is 100000.
std::string NextNumberedFileName(std::string_view name);
// The numbered files of a folder (a data name such as "...\players"),
// highest number first; other files are left out.
std::vector<std::string> ListNumberedFiles(std::string_view folder);
// The name for a new file beside `names` (numbered names, in any order):
// "00000.yml" for none, else one above the highest; when the highest is
// 99999, the lowest number not taken. Empty when every number is taken.
std::string NewNumberedFileName(const std::vector<std::string>& names);
// The name for a new file of `folder` (which must exist), as
// NewNumberedFileName gives it, held against every other copy of the game
// until the file is written: the name's ".tmp", where a safe write of the
// file goes first, is made at once, so a name whose file or ".tmp" exists
// is passed over. When no ".tmp" can be made at all the name is given
// unheld (the file's write will fail and say so). Empty when every number
// is taken.
std::string ReserveNumberedFileName(std::string_view folder);
