// Small folder and file utilities over the platform layer: listing, copying a
// folder's files, existence tests, folder creation and durable replacement.
// Every path is a data name ("players\00001.yml"), mapped when used.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Names (without folder) of the entries matching `pattern` ("ui\*",
// "save\*.yml"), "." and ".." left out, sorted byte-wise. Empty when the
// folder is missing or nothing matches.
std::vector<std::string> ListDirectory(std::string_view pattern);

// Copies every file directly in `source` into `target` (which must exist).
// Files already in the target stay as they are; sub-folders are not copied.
// Returns how many files were copied.
int CopyFolder(std::string_view source, std::string_view target);

// True when `path` names an existing folder (wantFolder) or an existing
// non-folder (!wantFolder).
bool PathExists(std::string_view path, bool wantFolder);

// Creates one folder; its parent must exist. True when the folder exists
// afterwards (also when it existed already).
bool MakeDirectory(std::string_view path);

// What RemoveLeftoverTempFiles removed, for the log.
struct LeftoverTempFiles {
  std::vector<std::string> cutWrites;  // ".tmp" files of writes cut short
  // Empty ".tmp" files in "save" beside no save of their name: save numbers
  // that new quests held and never used.
  std::vector<std::string> heldSaveNumbers;
};

// Removes what writes cut short (a kill, a crash, a power cut) left behind:
// every regular file named "*.tmp" directly in the user folder `userPath`
// (a data name ending in "\") and in its "players" and "save" folders.
// Nothing else is touched: not the real files, not a folder or pipe of that
// name. Call at start, while no write of the game's is under way.
LeftoverTempFiles RemoveLeftoverTempFiles(std::string_view userPath);

// Moves `source` over `target`, replacing it durably: after a crash either the
// old or the new target is whole. False when the move failed (the target is
// then unchanged).
bool ReplaceFile(std::string_view source, std::string_view target);
