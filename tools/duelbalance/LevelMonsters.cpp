#include "tools/duelbalance/LevelMonsters.h"

LevelMonsters::LevelMonsters(std::string_view fileName) {
  AddTag(MakeTag("monster", {{"id", ""}, {"level", "1"}, {"position", "ordinal"}}));
  ParseDataFile(fileName);
}

void LevelMonsters::OnTagOpen(int tagId) {
  if (tagId != 0) return;
  entries_.push_back(LevelMonster{GetAttr(0, 0).value, GetAttr(0, 1).value});
}
