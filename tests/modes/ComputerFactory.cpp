#include "tests/modes/ComputerFactory.h"

#include "players/YPlayer.h"
#include "tiles/YTileset.h"

namespace {

// Takes the side to move's first turn by striking the other fighter down.
class StrikingCommander : public YPlayerCommander {
 public:
  using YPlayerCommander::YPlayerCommander;
  std::int32_t Kind() const override { return kComputer; }
  void Update() override {
    if (YPlayer* other = Battle()->Fighter(side ^ 1)) other->health = 0;
  }
};

}  // namespace

std::unique_ptr<YPlayerCommander> MakeStrikingCommander(std::int32_t side) {
  return std::make_unique<StrikingCommander>(side);
}

std::unique_ptr<YPlayerCommander> ComputerFactory::DuelComputer(std::int32_t side, std::int32_t row) {
  if (decide_) return MakeStrikingCommander(side);
  return CommanderFactory::DuelComputer(side, row);
}
