#include "tiles/YPlayerCommander.h"

#include "tiles/YTileset.h"

std::int32_t YPlayerCommander::Kind() const { return kBase; }

void YPlayerCommander::HandleMessages() {}

void YPlayerCommander::Update() {}

void YPlayerCommander::OnStart(const std::string& layoutPath, std::uint32_t seed, std::int32_t firstSide) {
  if (battle_ != nullptr) battle_->NewBattle(layoutPath, seed, firstSide);
}

void YPlayerCommander::OnMove(std::int32_t, std::int32_t) {}
