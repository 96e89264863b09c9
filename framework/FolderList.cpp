#include "framework/FolderList.h"

#include <cctype>

#include "framework/FileUtils.h"

FolderList::FolderList(std::string_view pattern) : names_(ListDirectory(pattern)) {
  const std::size_t slash = pattern.rfind('\\');
  if (slash != std::string_view::npos) prefix_ = pattern.substr(0, slash + 1);
}

std::string FolderList::GetName(int i) const {
  if (i < 0 || i >= Count()) return {};
  return prefix_ + names_[static_cast<std::size_t>(i)];
}

std::string FolderList::GetDisplayName(int i) const {
  if (i < 0 || i >= Count()) return {};
  const std::string& name = names_[static_cast<std::size_t>(i)];
  return Capitalize(std::string_view(name).substr(0, name.find('.')));
}

std::vector<std::string> FolderList::GetDisplayNames() const {
  std::vector<std::string> names;
  names.reserve(names_.size());
  for (int i = 0; i < Count(); ++i) names.push_back(GetDisplayName(i));
  return names;
}

int FolderList::IndexOf(std::string_view name, int fallback) const {
  const std::string wanted = Capitalize(name);
  for (int i = 0; i < Count(); ++i) {
    if (GetDisplayName(i) == wanted) return i;
  }
  return fallback;
}

std::string Capitalize(std::string_view text) {
  std::string result(text);
  for (std::size_t i = 0; i < result.size(); ++i) {
    const auto c = static_cast<unsigned char>(result[i]);
    result[i] = static_cast<char>(i == 0 ? std::toupper(c) : std::tolower(c));
  }
  return result;
}
