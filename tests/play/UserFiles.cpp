#include "tests/play/UserFiles.h"

#include <sys/stat.h>

#include "framework/MemoryInStream.h"
#include "players/Stats.h"
#include "tests/support/TestSupport.h"

namespace play {

namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool IsKept(const std::string& name) {
  return name != "log.txt" && name != "standin.txt" && !EndsWith(name, ".lock");
}

// The first tag's name and its closing tag as the last line.
bool IsWholeText(const std::string& text) {
  if (text.find('\0') != std::string::npos) return false;
  const std::size_t open = text.find('<');
  if (open == std::string::npos) return false;
  const std::size_t end = text.find_first_of(" \t\r\n/>", open + 1);
  if (end == std::string::npos || end == open + 1) return false;
  const std::string close = "</" + text.substr(open + 1, end - open - 1) + ">";
  return EndsWith(text, close + "\n") || EndsWith(text, close + "\r\n");
}

bool IsWholeTable(const std::string& bytes) {
  MemoryInStream in(bytes);
  std::string damage;
  Stats::Read(in, &damage);
  return damage.empty();
}

}  // namespace

std::size_t HallOfFameSize(const std::string& bytes) {
  MemoryInStream in(bytes);
  return Stats::Read(in).size();
}

UserFiles ReadUserFiles(const std::filesystem::path& folder) {
  UserFiles files;
  std::error_code ec;
  for (std::filesystem::recursive_directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file()) continue;
    const std::string name = it->path().lexically_relative(folder).generic_string();
    struct stat info {};
    if (!IsKept(name) || ::stat(it->path().c_str(), &info) != 0) continue;
    files[name] = {testing_support::ReadFile(it->path()),
                   std::to_string(info.st_ino) + " " + std::to_string(info.st_mtim.tv_sec) + "." +
                       std::to_string(info.st_mtim.tv_nsec)};
  }
  return files;
}

bool IsWhole(const std::string& name, const std::string& bytes) {
  if (EndsWith(name, ".yml")) return IsWholeText(bytes);
  if (name == "stats.dat") return IsWholeTable(bytes);
  return true;
}

Verdict Judge(const UserFiles& before, const UserFiles& after) {
  Verdict verdict;
  for (const auto& [name, file] : after) {
    const auto old = before.find(name);
    const bool untouched = old != before.end() && old->second == file;
    if (EndsWith(name, ".tmp")) {
      // One left by an earlier kill and not touched since does not count.
      if (!untouched) verdict.temps.push_back(name);
      continue;
    }
    ++verdict.checked;
    if (untouched) continue;
    if (IsWhole(name, file.bytes))
      verdict.renewed.push_back(name);
    else
      verdict.faults.push_back(name + " is torn (" + std::to_string(file.bytes.size()) + " bytes)");
  }
  for (const auto& [name, file] : before) {
    if (!EndsWith(name, ".tmp") && after.count(name) == 0) verdict.faults.push_back(name + " was lost");
  }
  return verdict;
}

}  // namespace play
