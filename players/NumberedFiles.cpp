#include "players/NumberedFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <set>

#include "framework/FileUtils.h"
#include "platform/FileSystem.h"

namespace {

constexpr int kDigits = 5;
constexpr int kLastNumber = 99999;

std::string NameOf(int number) {
  char text[16];
  std::snprintf(text, sizeof text, "%05d.yml", number);
  return text;
}

int NumberOf(std::string_view name) {
  int number = 0;
  for (int i = 0; i < kDigits; ++i) number = number * 10 + (name[static_cast<std::size_t>(i)] - '0');
  return number;
}

}  // namespace

bool IsNumberedFileName(std::string_view name) {
  if (name.size() != kDigits + 4 || name.substr(kDigits) != ".yml") return false;
  return std::all_of(name.begin(), name.begin() + kDigits, [](char c) { return c >= '0' && c <= '9'; });
}

std::string NextNumberedFileName(std::string_view name) {
  if (name.size() < kDigits ||
      !std::all_of(name.begin(), name.begin() + kDigits, [](char c) { return c >= '0' && c <= '9'; }))
    return {};
  const int next = NumberOf(name) + 1;
  return next > kLastNumber ? std::string() : NameOf(next);
}

std::vector<std::string> ListNumberedFiles(std::string_view folder) {
  std::vector<std::string> names;
  for (std::string& name : ListDirectory(std::string(folder) + "\\*")) {
    if (IsNumberedFileName(name)) names.push_back(std::move(name));
  }
  std::reverse(names.begin(), names.end());
  return names;
}

std::string NewNumberedFileName(const std::vector<std::string>& names) {
  if (names.empty()) return NameOf(0);
  std::string next = NextNumberedFileName(*std::max_element(names.begin(), names.end()));
  if (!next.empty()) return next;
  const std::set<std::string> taken(names.begin(), names.end());
  for (int number = 0; number <= kLastNumber; ++number) {
    if (taken.count(NameOf(number)) == 0) return NameOf(number);
  }
  return {};
}

// The ".tmp" is made before the file's own name is looked at: a copy that
// finds no file might otherwise pass its check just before another copy's
// first write is moved into place.
std::string ReserveNumberedFileName(std::string_view folder) {
  std::vector<std::string> taken = ListNumberedFiles(folder);
  for (;;) {
    std::string name = NewNumberedFileName(taken);
    if (name.empty()) return name;
    const std::string path = std::string(folder) + "\\" + name;
    if (platform::CreateNewFile(path + ".tmp")) {
      if (!platform::PathIs(path, false) && !platform::PathIs(path, true)) return name;
      platform::RemoveFile(path + ".tmp");
    } else if (errno != EEXIST) {
      return name;
    }
    taken.push_back(std::move(name));
  }
}
