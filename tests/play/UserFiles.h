// The files a player keeps in the user folder, read whole, and the verdict
// on them after the game was killed: every file is its old bytes or a
// complete new version, and none was lost.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace play {

// One file's bytes and which file it is: its inode and time of change, so a
// file replaced by one of the same bytes still counts as written.
struct UserFile {
  std::string bytes;
  std::string identity;
  bool operator==(const UserFile&) const = default;
};

// Relative name -> every regular file under the user folder but the log,
// the stand-in's order and the instance lock, which are not kept for the
// player.
using UserFiles = std::map<std::string, UserFile>;
UserFiles ReadUserFiles(const std::filesystem::path& folder);

// True when `bytes` are a complete file of its kind: a ".yml" text whose
// first tag is closed at its very end, "stats.dat" read by the hall of
// fame's reader to its last byte with as many records as its count says.
// Other files are not judged.
bool IsWhole(const std::string& name, const std::string& bytes);

// The records of a "stats.dat".
std::size_t HallOfFameSize(const std::string& bytes);

// How the files after a kill stand to the files before it.
struct Verdict {
  std::vector<std::string> renewed;   // complete new versions
  std::vector<std::string> temps;     // new or changed ".tmp" files: written when the game died
  std::vector<std::string> faults;    // torn or lost files, each with the reason
  std::size_t checked = 0;            // files judged
};
Verdict Judge(const UserFiles& before, const UserFiles& after);

}  // namespace play
