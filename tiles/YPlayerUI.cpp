#include "tiles/YPlayerUI.h"

#include "tiles/YTileset.h"

std::int32_t YPlayerUI::Kind() const { return kUser; }

void YPlayerUI::Update() {
  YTileset* battle = Battle();
  if (battle == nullptr || !battle->TakePendingFlag()) return;
  battle->DoMove(battle->SelectedTile(), battle->PartnerTile());
}
