// The user at this machine as a duel commander: the battle's click handling
// chooses the pair, and the commander makes the move once both tiles match.
#pragma once

#include "tiles/YPlayerCommander.h"

class YPlayerUI : public YPlayerCommander {
 public:
  using YPlayerCommander::YPlayerCommander;

  std::int32_t Kind() const override;
  // Takes the selected and the partner tile once the clicks have matched
  // them (YTileset::TakePendingFlag).
  void Update() override;
};
