#include "players/YPlayer.h"

YTextureBase* YPlayer::GetFace() { return face; }

bool YPlayer::UpdateLevel() { return false; }

std::int32_t YPlayer::ExperienceValue() const { return 0; }

void YPlayer::FreeLists() {
  name = std::string();
  spells = std::vector<YTileSpell*>();
}
