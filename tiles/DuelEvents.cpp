#include "tiles/DuelEvents.h"

#include "tiles/DuelBoard.h"

bool DuelEvents::StepEffects(float) { return false; }
void DuelEvents::QueueDrawing(float) {}
void DuelEvents::OnWaitingFor(int, float) {}
void DuelEvents::OnTilesCleared() {}
void DuelEvents::OnFreshDeal(DuelBoard&, const std::vector<int>&) {}

void DuelEvents::OnShuffleDeal(DuelBoard& board, const std::vector<int>& tiles, bool) {
  for (int tile : tiles) {
    YTile& t = board.tiles[static_cast<std::size_t>(tile)];
    t.world = board.TileMatrix(t);
  }
}

void DuelEvents::OnSwept(DuelBoard&, const std::vector<int>&) {}
void DuelEvents::OnPairTaken(DuelBoard&, int, int, bool) {}
void DuelEvents::OnCastPair(DuelBoard&, int, int, const std::vector<int>&) {}
void DuelEvents::StartFade(float& weight, float, float to, float) { weight = to; }
void DuelEvents::PlaySound(std::string_view) {}
void DuelEvents::SelectMusic(int, float) {}
