#include "tiles/YTileset.h"

#include <algorithm>

#include "draw/TileAtlas.h"
#include "framework/Log.h"
#include "framework/YLocale.h"
#include "platform/Clock.h"
#include "platform/Random.h"
#include "players/TileTables.h"
#include "players/YPlayer.h"
#include "tiles/DuelEvents.h"
#include "tiles/MoveEffects.h"
#include "tiles/PairRules.h"
#include "tiles/TileLayout.h"
#include "tiles/YArtifactHint.h"
#include "tiles/YManaHint.h"
#include "tiles/YPlayerHint.h"
#include "tiles/YSlotsHint.h"

namespace {

DuelEvents& SilentEvents() {
  static DuelEvents events;
  return events;
}

// Room the undo history starts with.
constexpr std::size_t kUndoReserve = 200;

}  // namespace

YTileset::YTileset() : events_(&SilentEvents()) {
  state_.undo.reserve(kUndoReserve);
}

YTileset::~YTileset() {
  DeleteCommanders();
  ClearTiles();
}

void YTileset::LoadTexture() {
  GetTileAtlas().Load();
  GetTileTables().Clear();
}

void YTileset::Load(std::string_view folder) {
  GetTileTables().Load(folder);
  hints_.clear();
  YLocale& locale = GetLocale();
  for (int side = 0; side < 2; ++side)
    hints_.push_back(std::make_unique<YArtifactHint>(YRect(side == 0 ? 97.0f : 862.0f, 231, 41, 41), side));
  for (int side = 0; side < 2; ++side)
    hints_.push_back(std::make_unique<YSlotsHint>(YRect(side == 0 ? 9.0f : 861.0f, 304, 130, 150), side));
  for (int side = 0; side < 2; ++side)
    hints_.push_back(std::make_unique<YPlayerHint>(YRect(side == 0 ? 8.0f : 859.0f, 161, 132, 44), side,
                                                   locale.GetText(kHintKeys[0])));
  for (int element = 0; element < 4; ++element) {
    const std::string format = locale.GetText(kHintKeys[element + 1]);
    for (int side = 0; side < 2; ++side) {
      const float x = static_cast<float>(side == 0 ? 10 + 20 * element : 912 + 20 * element);
      hints_.push_back(std::make_unique<YManaHint>(YRect(x, 210, 16, 64), side, element, format));
    }
  }
  for (std::unique_ptr<YRectHint>& hint : hints_) hint->battle = this;
}

void YTileset::SetEvents(DuelEvents* events) {
  events_ = events != nullptr ? events : &SilentEvents();
}

void YTileset::SetCommander(int side, std::unique_ptr<YPlayerCommander> commander) {
  std::unique_ptr<YPlayerCommander>& slot = commanders_[static_cast<std::size_t>(side & 1)];
  slot = std::move(commander);
  if (slot) slot->AttachTo(this);
}

YPlayerCommander* YTileset::Commander(int side) const {
  return commanders_[static_cast<std::size_t>(side & 1)].get();
}

void YTileset::DeleteCommanders() {
  commanders_[0].reset();
  commanders_[1].reset();
}

bool YTileset::BeginBattle(const std::string& layoutPath, YPlayer* side0, YPlayer* side1,
                           std::int32_t firstSide) {
  started_ = false;
  dealt_ = false;
  // The layout is settled here, before a commander hears of the battle, so
  // that both machines of a network duel start on the same usable one.
  DuelBoard probe;
  const std::string path = tile_layout::LoadUsableLayout(layoutPath, probe);
  if (path.empty()) {
    Log::Printf("The battle is not started: no usable layout for %s", layoutPath.c_str());
    ClearTiles();
    return false;
  }
  fighters_ = {side0, side1};
  PullSides();
  const std::uint32_t seed = seedSource_ ? seedSource_() : platform::TickCount();
  if (commanders_[1])
    commanders_[1]->OnStart(path, seed, firstSide);
  else
    NewBattle(path, seed, firstSide);
  return true;
}

void YTileset::StopBattle() {
  DeleteCommanders();
  ClearTiles();
  fighters_ = {};
  PullSides();
  started_ = false;
  dealt_ = false;
}

bool YTileset::NewBattle(const std::string& layoutPath, std::uint32_t seed, std::int32_t firstSide) {
  if (!LoadLayout(layoutPath)) return false;
  state_.shuffleSeed = static_cast<std::int32_t>(seed);
  PullSides();
  Shuffle(0);
  state_.sideToMove = firstSide & 1;
  ApplyTurnUpkeep(state_);
  PushSides();
  // The pairs were found for side 0 while dealing; find them for the side
  // that really moves first.
  FindMoves();
  started_ = true;
  dealt_ = true;
  return true;
}

bool YTileset::ResumeBattle(const std::string& layoutPath, YPlayer* side0, YPlayer* side1,
                            std::uint32_t flags, std::int32_t sideToMove,
                            const std::vector<SavedTile>& tiles) {
  started_ = false;
  dealt_ = false;
  if (!LoadLayout(layoutPath)) return false;
  DuelBoard& board = state_.board;
  for (YTile& tile : board.tiles) tile.state = YTile::kRemoved;
  std::int32_t number = 0;
  for (const SavedTile& saved : tiles) {
    const int kind = GetTileTables().FindKindIndex(saved.id);
    const auto found = std::find_if(board.tiles.begin(), board.tiles.end(), [&saved](const YTile& t) {
      return t.x == saved.x && t.y == saved.y && t.z == saved.z && t.state == YTile::kRemoved;
    });
    if (kind < 0 || found == board.tiles.end()) {
      Log::Printf("The saved duel names a tile the layout or the table lacks: %u", saved.id);
      ClearTiles();
      return false;
    }
    found->kind = kind;
    found->state = YTile::kLive;
  }
  for (YTile& tile : board.tiles) {
    if (tile.IsLive()) tile.number = number++;
    tile.world = board.TileMatrix(tile);
  }
  board.UpdateAllBlocked();
  fighters_ = {side0, side1};
  PullSides();
  state_.flags = flags & ~DuelFlag::kOver;
  state_.sideToMove = sideToMove & 1;
  FindMoves();
  started_ = true;
  dealt_ = true;
  return true;
}

bool YTileset::LoadLayout(const std::string& layoutPath) {
  layoutPath_ = layoutPath;
  ResetBattle();
  state_.kinds = DuelKindsOf(GetTileTables().Kinds());
  if (!tile_layout::LoadUsableLayout(layoutPath, state_.board).empty()) return true;
  Log::Printf("No usable layout for %s: the battle has no tiles", layoutPath.c_str());
  return false;
}

void YTileset::ResetBattle() {
  state_.flags = 0;
  state_.sideToMove = 0;
  countdown_ = -1.0f;
  overlays_ = {};
  passCounter_ = 0;
  pending_ = false;
  messages_.Reset();
  state_.undo.clear();
  state_.undoTiles.clear();
  state_.shuffleSeed = platform::Random();
  ClearTiles();
}

void YTileset::ClearTiles() {
  events_->OnTilesCleared();
  ClearSelection();
  state_.board.Clear();
  freeTiles_.clear();
  pairs_.clear();
}

void YTileset::ClearSelection() {
  selected_ = partner_ = underMouse_ = -1;
  spellPreview_ = nullptr;
}

void YTileset::PullSides() {
  for (std::size_t s = 0; s < 2; ++s) {
    if (fighters_[s] != nullptr)
      state_.sides[s].LoadFrom(*fighters_[s]);
    else
      state_.sides[s] = DuelSide();
  }
}

void YTileset::PushSides() {
  for (std::size_t s = 0; s < 2; ++s) {
    if (fighters_[s] != nullptr) state_.sides[s].StoreTo(*fighters_[s]);
  }
}

std::array<const YPlayerData*, 2> YTileset::FighterData() const {
  return {fighters_[0], fighters_[1]};
}

YPlayerCommander* YTileset::CommanderToMove() const {
  return Commander(state_.sideToMove);
}

bool YTileset::UserToMove() const {
  const YPlayerCommander* commander = CommanderToMove();
  return commander != nullptr && commander->Kind() == YPlayerCommander::kUser;
}

const YTileKind* YTileset::KindRecord(int tile) const {
  if (tile < 0 || static_cast<std::size_t>(tile) >= state_.board.tiles.size()) return nullptr;
  const std::int32_t kind = state_.Tile(tile).kind;
  const std::vector<YTileKind>& table = GetTileTables().Kinds();
  if (kind < 0 || static_cast<std::size_t>(kind) >= table.size()) return nullptr;
  return &table[static_cast<std::size_t>(kind)];
}

const DuelPair* YTileset::HintPair() const {
  if (selected_ >= 0 || countdown_ != 0.0f || !UserToMove() || pairs_.empty()) return nullptr;
  return &pairs_.front();
}

YTileset& GetTileset() {
  static YTileset tileset;
  return tileset;
}
