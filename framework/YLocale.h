// The texts of the chosen interface language, read from its "locale.yml":
// the text of each key ("str" entries) and the local form of texts that
// arrive in another form ("map" entries), with the way back.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "framework/DataFileReader.h"
#include "framework/YCriticalSection.h"

class YLocale : public DataFileReader {
 public:
  YLocale();
  YLocale(const YLocale&) = delete;
  YLocale& operator=(const YLocale&) = delete;

  // Forgets every text, then reads a locale file (data name); a missing file
  // leaves the locale empty, bad spots are logged ("Locale parser error,
  // ...") and skipped.
  void Load(std::string_view fileName);

  // The text of a key (keys are case-sensitive). A key no file defines is
  // added with an empty text, which is returned.
  std::string GetText(const std::string& key);
  // The local form of an incoming text, matched without regard to case; the
  // text itself when there is none.
  std::string Lookup(std::string_view text) const;
  // The incoming text (lower-cased, as stored) of the first entry, in incoming
  // order, whose local form matches `text` without regard to case; the text
  // itself when there is none.
  std::string ReverseLookup(std::string_view text) const;

 protected:
  void OnTagClose(int tagId) override;

 private:
  // Guards both maps: GetText adds keys, so even readers change them.
  mutable YCriticalSection lock_;
  std::map<std::string, std::string> texts_;
  std::map<std::string, std::string> translations_;  // by lower-cased incoming text
};

// The process's locale. Built on first use; Load it before asking for texts.
YLocale& GetLocale();

// A copy with every byte lower-cased (the process's C locale).
std::string ToLower(std::string_view text);
