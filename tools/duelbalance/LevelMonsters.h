// The monsters a campaign level file sets on its board: each entry's
// catalogue id and level text ("1", "0-1", "+1", "+0-2"), in file order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "framework/DataFileReader.h"

struct LevelMonster {
  std::string id;
  std::string level;
};

class LevelMonsters : public DataFileReader {
 public:
  // Reads the level file (a program-folder name); an unreadable file is
  // logged and gives no entry.
  explicit LevelMonsters(std::string_view fileName);
  const std::vector<LevelMonster>& Entries() const { return entries_; }

 protected:
  void OnTagOpen(int tagId) override;

 private:
  std::vector<LevelMonster> entries_;
};
