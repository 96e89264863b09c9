#include "framework/YLocale.h"

#include <cctype>

#include "framework/YLock.h"

namespace {

enum LocaleTag : int { kLocale = 0, kStr = 1, kMap = 2 };
constexpr int kStrName = 0;
constexpr int kMapIncoming = 0;

}  // namespace

YLocale::YLocale() : DataFileReader({"Locale parser error, %s, file: %s, line: %d", true}) {
  AddTag(MakeTag("locale"));
  AddTag(MakeTag("str", {{"name", ""}}));
  AddTag(MakeTag("map", {{"incoming", ""}}));
}

void YLocale::Load(std::string_view fileName) {
  YLock lock(lock_);
  texts_.clear();
  translations_.clear();
  ParseDataFile(fileName);
}

std::string YLocale::GetText(const std::string& key) {
  YLock lock(lock_);
  return texts_[key];
}

std::string YLocale::Lookup(std::string_view text) const {
  YLock lock(lock_);
  const auto found = translations_.find(ToLower(text));
  return found != translations_.end() ? found->second : std::string(text);
}

std::string YLocale::ReverseLookup(std::string_view text) const {
  const std::string wanted = ToLower(text);
  YLock lock(lock_);
  for (const auto& [incoming, local] : translations_) {
    if (ToLower(local) == wanted) return incoming;
  }
  return std::string(text);
}

void YLocale::OnTagClose(int tagId) {
  // Runs inside Load, which holds the lock.
  if (tagId == kStr) {
    texts_[GetAttr(kStr, kStrName).value] = Text();
  } else if (tagId == kMap) {
    translations_[ToLower(GetAttr(kMap, kMapIncoming).value)] = Text();
  }
}


YLocale& GetLocale() {
  static YLocale locale;
  return locale;
}

std::string ToLower(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return result;
}
