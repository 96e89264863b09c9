#include "tiles/TileBattleScreen.h"

#include "draw/MovingMarker.h"
#include "players/YPlayer.h"
#include "players/YTileKind.h"
#include "sound/SoundEntry.h"
#include "sound/YMusicPlayer.h"
#include "tiles/YTileBlurDrawer.h"
#include "tiles/YTileDrawer.h"
#include "tiles/YTileLabelDrawer.h"
#include "tiles/YTileset.h"
#include "tiles/effects/YSEffect.h"
#include "tiles/effects/YSEffectMoveToHome.h"
#include "tiles/effects/YSEffectStandard.h"
#include "tiles/effects/YSEffectVol.h"
#include "tiles/effects/YSEffectVortex.h"
#include "tiles/effects/YSEffectWind.h"

namespace {

const YColor kSelectedStart(1, 0.6f, 0.2f, 0.15f);
const YColor kPartnerStart(1, 0.6f, 0.2f, 0.07f);
const YColor kOrangeEnd(1, 0.6f, 0.2f, 0.005f);
const YColor kHintStart(0.2f, 0.5f, 1, 0.07f);
const YColor kHintEnd(0.2f, 0.3f, 1, 0.005f);

}  // namespace

TileBattleScreen::TileBattleScreen(YTileset& battle) : battle_(battle) {
  YTileDrawer::Instance().SetBattle(&battle);
}

TileBattleScreen::~TileBattleScreen() {
  battle_.SetEvents(nullptr);
  if (YTileDrawer::Instance().Battle() == &battle_) YTileDrawer::Instance().SetBattle(nullptr);
}

// The drawn list starts empty each frame: the effects queue the tiles they
// move while they step.
bool TileBattleScreen::StepEffects(float dt) {
  YTileDrawer::Instance().ClearDrawn();
  return UpdateEffects(dt);
}

void TileBattleScreen::QueueDrawing(float dt) {
  AddSelectionTrails();
  QueueTiles();
  YTileDrawer::Instance().AddShadows();
  YTileBlurDrawer::Instance().Age(dt);
}

void TileBattleScreen::AddSelectionTrails() {
  YTileBlurDrawer& blur = YTileBlurDrawer::Instance();
  DuelBoard& board = battle_.Board();
  const auto tile = [&](int index) -> const YTile& { return board.tiles[static_cast<std::size_t>(index)]; };
  const auto trail = [&](int index, const YColor& start, const YColor& end) {
    blur.AddMark(tile(index), start, end);
  };
  const int selected = battle_.SelectedTile();
  if (selected >= 0) {
    trail(selected, kSelectedStart, kOrangeEnd);
  } else if (const DuelPair* hint = battle_.HintPair()) {
    trail(hint->a, kHintStart, kHintEnd);
    trail(hint->b, kHintStart, kHintEnd);
  }
  const int partner = battle_.PartnerTile();
  if (partner >= 0 && partner != selected) trail(partner, kPartnerStart, kOrangeEnd);
}

void TileBattleScreen::QueueTiles() {
  const DuelBoard& board = battle_.Board();
  for (std::size_t i = 0; i < board.tiles.size(); ++i) {
    const YTile& t = board.tiles[i];
    if (t.state == YTile::kRemoved) continue;
    YTileDrawer::Instance().Queue(t);
    if (LabelShows(static_cast<int>(i))) YTileLabelDrawer::Instance().Queue(t);
  }
}

bool TileBattleScreen::LabelShows(int tile) const {
  const YTileKind* kind = battle_.KindRecord(tile);
  if (kind == nullptr || kind->cost <= 0) return false;
  const DuelBoard& board = battle_.State().board;
  const YTile& t = board.tiles[static_cast<std::size_t>(tile)];
  const std::int32_t x = t.x + 1, y = t.y + 1, z = t.z + 1;
  if (x >= board.width || y >= board.height || z >= board.depth) return true;
  const int above = board.TileAt(x, y, z);
  return above < 0 || board.tiles[static_cast<std::size_t>(above)].state == YTile::kRemoved;
}

void TileBattleScreen::OnWaitingFor(int side, float dt) {
  DuelSideMarkers()[static_cast<std::size_t>(side & 1)].Update(dt);
}

// The effects and trails hold the tiles that are about to go.
void TileBattleScreen::OnTilesCleared() {
  DeleteAllEffects();
  YTileBlurDrawer::Instance().Clear();
  YTileDrawer::Instance().ClearDrawn();
}

void TileBattleScreen::OnFreshDeal(DuelBoard& board, const std::vector<int>& tiles) {
  for (int index : tiles) {
    YTile& t = board.tiles[static_cast<std::size_t>(index)];
    StartEffect<YSEffectMoveToHome>(t, YVector3(0, t.flyIn, t.flyIn));
  }
}

void TileBattleScreen::OnShuffleDeal(DuelBoard& board, const std::vector<int>& tiles, bool side0ToMove) {
  for (int index : tiles) {
    YTile& t = board.tiles[static_cast<std::size_t>(index)];
    StartEffect<YSEffectVortex>(board, t, board.HomePosition(t), side0ToMove);
  }
}

void TileBattleScreen::OnSwept(DuelBoard& board, const std::vector<int>& tiles) {
  const YVector3 wind(kSweepWind[0], kSweepWind[1], kSweepWind[2]);
  for (int index : tiles) StartEffect<YSEffectWind>(board.tiles[static_cast<std::size_t>(index)], wind);
}

void TileBattleScreen::OnPairTaken(DuelBoard& board, int a, int b, bool cast) {
  YTile& ta = board.tiles[static_cast<std::size_t>(a)];
  YTile& tb = board.tiles[static_cast<std::size_t>(b)];
  if (cast)
    StartEffect<YSEffectStandard>(ta, tb);
  else
    StartEffect<YSEffectBlankShot>(ta, tb);
}

void TileBattleScreen::OnCastPair(DuelBoard& board, int a, int b, const std::vector<int>& taken) {
  const YPlayer* target = battle_.Fighter(battle_.State().sideToMove + 1);
  const std::int32_t shown = target != nullptr ? target->shownHealth : 0;
  CastPairEffect(battle_.State(), board, a, b, taken, shown, *this);
}

void TileBattleScreen::StartFade(float& weight, float from, float to, float seconds) {
  StartEffect<YSEffectVol>(weight, from, to, seconds);
}

void TileBattleScreen::PlaySound(std::string_view name) {
  Play(FindSound(name), -1.0f);
}

void TileBattleScreen::Play(SoundEntry* entry, float volume) {
  if (entry != nullptr) entry->Play(YVector3(), volume, YVector3());
}

void TileBattleScreen::SelectMusic(int track, float fadeSeconds) {
  if (music_ != nullptr) music_->SelectTrack(track, fadeSeconds);
}

TileBattleScreen& GetTileBattleScreen() {
  static TileBattleScreen screen(GetTileset());
  return screen;
}
