#include "players/YMonsterType.h"

namespace {

std::vector<std::unique_ptr<YMonsterType>>& Registry() {
  static std::vector<std::unique_ptr<YMonsterType>> registry;
  return registry;
}

}  // namespace

YMonsterType* FindMonsterType(std::string_view id) {
  for (const std::unique_ptr<YMonsterType>& type : Registry()) {
    if (type->id == id) return type.get();
  }
  return nullptr;
}

YMonsterType* FindOrAddMonsterType(std::string_view id) {
  if (YMonsterType* found = FindMonsterType(id)) return found;
  Registry().push_back(std::make_unique<YMonsterType>());
  Registry().back()->id = std::string(id);
  return Registry().back().get();
}

const std::vector<std::unique_ptr<YMonsterType>>& MonsterTypes() { return Registry(); }

void ClearMonsterTypes() { Registry().clear(); }
