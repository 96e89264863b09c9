#include "framework/FileUtils.h"

#include <algorithm>
#include <optional>

#include "platform/FileSystem.h"

namespace {

std::string JoinName(std::string_view folder, std::string_view name) {
  std::string path(folder);
  path += '\\';
  path += name;
  return path;
}

// A new quest holds its save number by an empty ".tmp" until its first save.
bool IsHeldSaveNumber(const std::string& tmpPath) {
  const std::string save = tmpPath.substr(0, tmpPath.size() - 4);
  const std::optional<std::string> bytes = platform::ReadBinaryFile(tmpPath);
  return bytes && bytes->empty() && !platform::PathIs(save, false) && !platform::PathIs(save, true);
}

}  // namespace

std::vector<std::string> ListDirectory(std::string_view pattern) {
  std::vector<std::string> names;
  for (platform::FoundEntry& entry : platform::FindFiles(pattern)) {
    if (entry.name == "." || entry.name == "..") continue;
    names.push_back(std::move(entry.name));
  }
  std::sort(names.begin(), names.end());  // std::string compares bytes as unsigned
  return names;
}

int CopyFolder(std::string_view source, std::string_view target) {
  int copied = 0;
  for (const platform::FoundEntry& entry : platform::FindFiles(JoinName(source, "*.*"))) {
    if (entry.isFolder) continue;
    if (platform::CopyFileKeepExisting(JoinName(source, entry.name), JoinName(target, entry.name)))
      ++copied;
  }
  return copied;
}

bool PathExists(std::string_view path, bool wantFolder) { return platform::PathIs(path, wantFolder); }

bool MakeDirectory(std::string_view path) {
  if (platform::PathIs(path, true)) return true;
  return platform::MakeFolder(path);
}

LeftoverTempFiles RemoveLeftoverTempFiles(std::string_view userPath) {
  LeftoverTempFiles removed;
  for (const std::string_view sub : {"", "players\\", "save\\"}) {
    const std::string folder = std::string(userPath) + std::string(sub);
    for (const platform::FoundEntry& entry : platform::FindFiles(folder + "*.tmp")) {
      if (!entry.isRegular) continue;
      const std::string path = folder + entry.name;
      const bool held = sub == "save\\" && IsHeldSaveNumber(path);
      if (platform::RemoveFile(path)) (held ? removed.heldSaveNumbers : removed.cutWrites).push_back(path);
    }
  }
  return removed;
}

bool ReplaceFile(std::string_view source, std::string_view target) {
  return platform::MoveReplace(source, target);
}
