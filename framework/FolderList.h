// A sorted list of the entries matching a pattern, such as the interface
// folders "ui\*" (one per interface language), with their data names and the
// capitalised display names the options screen shows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class FolderList {
 public:
  FolderList() = default;
  // Lists `pattern` now; the prefix is the pattern up to and including its
  // last "\" ("ui\" for "ui\*"), empty when it has none.
  explicit FolderList(std::string_view pattern);

  int Count() const { return static_cast<int>(names_.size()); }
  // The prefix followed by entry i ("ui\english"); empty when i is out of range.
  std::string GetName(int i) const;
  // Entry i cut before its first "." and capitalised ("English"); empty when
  // i is out of range.
  std::string GetDisplayName(int i) const;
  std::vector<std::string> GetDisplayNames() const;
  // The first index whose display name equals Capitalize(name), so the match
  // ignores case; `fallback` when there is none.
  int IndexOf(std::string_view name, int fallback) const;

 private:
  std::string prefix_;
  std::vector<std::string> names_;
};

// The first byte upper-cased, the rest lower-cased ("eNGLISH" -> "English").
std::string Capitalize(std::string_view text);
