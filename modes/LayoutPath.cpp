#include "modes/LayoutPath.h"

#include "platform/Random.h"
#include "players/YMonsterType.h"
#include "players/YPlayerMonster.h"

std::string GetLayoutPath(const YPlayer* first, const YPlayer* second) {
  (void)second;
  const auto* monster = dynamic_cast<const YPlayerMonster*>(first);
  const YMonsterType* type = monster != nullptr ? monster->GetType() : nullptr;
  if (type == nullptr || type->layouts.empty()) return kStandardLayout;
  const auto pick = static_cast<std::size_t>(platform::Random()) % type->layouts.size();
  return "layouts\\" + type->layouts[pick];
}
