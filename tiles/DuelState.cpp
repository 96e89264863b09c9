#include "tiles/DuelState.h"

#include <cstring>

#include "tiles/MoveEffects.h"

namespace {

const DuelKind kNoKind{};

// FNV-1a over the bytes of plain values.
class Fnv {
 public:
  template <typename T>
  void Add(const T& value) {
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    for (unsigned char byte : bytes) hash_ = (hash_ ^ byte) * 0x100000001b3ull;
  }
  void AddValues(const YPlayerUndo& values) {
    Add(values.experience);
    for (std::int32_t v : values.mana) Add(v);
    Add(values.health);
  }
  std::uint64_t Value() const { return hash_; }

 private:
  std::uint64_t hash_ = 0xcbf29ce484222325ull;
};

}  // namespace

const DuelKind& DuelState::KindOf(int tile) const {
  const std::int32_t kind = Tile(tile).kind;
  if (kind < 0 || static_cast<std::size_t>(kind) >= kinds.size()) return kNoKind;
  return kinds[static_cast<std::size_t>(kind)];
}

void DuelState::PushUndo(int a, int b) {
  YTileUndoRecord record;
  record.sides = {sides[0], sides[1]};
  record.flags = flags;
  record.sideToMove = sideToMove;
  record.shuffleSeed = shuffleSeed;
  record.random = random.State();
  record.firstTile = static_cast<std::uint32_t>(undoTiles.size());
  record.tileCount = 2;
  undoTiles.push_back(static_cast<std::int16_t>(a));
  undoTiles.push_back(static_cast<std::int16_t>(b));
  undo.push_back(record);
}

void DuelState::TakeTile(int tile) {
  undoTiles.push_back(static_cast<std::int16_t>(tile));
  ++undo.back().tileCount;
  Tile(tile).state = YTile::kSetAside;
  board.UpdateNeighbours(tile, 1);
}

bool DuelState::Undo() {
  if (undo.empty() || (undo.back().flags & DuelFlag::kShuffle) != 0) return false;
  const YTileUndoRecord record = undo.back();
  for (int s = 0; s < 2; ++s) static_cast<YPlayerUndo&>(sides[static_cast<std::size_t>(s)]) = record.sides[static_cast<std::size_t>(s)];
  flags = record.flags;
  sideToMove = record.sideToMove;
  shuffleSeed = record.shuffleSeed;
  random.SetState(record.random);
  for (std::uint32_t i = record.tileCount; i-- > 0;) {
    const int tile = undoTiles[record.firstTile + i];
    YTile& t = Tile(tile);
    if (t.state == YTile::kRemoved) t.world = board.TileMatrix(t);
    t.state = YTile::kLive;
    board.UpdateNeighbours(tile, 0);
  }
  undoTiles.resize(record.firstTile);
  undo.pop_back();
  return true;
}

bool DuelState::PlayPair(int a, int b, std::uint8_t removed) {
  PushUndo(a, b);
  Tile(a).state = removed;
  Tile(b).state = removed;
  board.UpdateNeighbours(a, 1);
  board.UpdateNeighbours(b, 1);
  return SimulateMoveEffects(*this, a, b);
}

DuelState DuelState::SearchCopy() const {
  DuelState copy;
  copy.board = board;
  copy.kinds = kinds;
  copy.sides = sides;
  copy.flags = flags;
  copy.sideToMove = sideToMove;
  copy.shuffleSeed = shuffleSeed;
  copy.random = random;
  const std::size_t keep = std::min<std::size_t>(undo.size(), 2);
  for (std::size_t i = undo.size() - keep; i < undo.size(); ++i) {
    YTileUndoRecord record = undo[i];
    const std::int16_t* first = RecordTiles(record);
    record.firstTile = static_cast<std::uint32_t>(copy.undoTiles.size());
    copy.undoTiles.insert(copy.undoTiles.end(), first, first + record.tileCount);
    copy.undo.push_back(record);
  }
  return copy;
}

std::uint64_t DuelState::Hash() const {
  Fnv fnv;
  for (const YTile& t : board.tiles) {
    fnv.Add(t.kind);
    fnv.Add(t.x);
    fnv.Add(t.y);
    fnv.Add(t.z);
    fnv.Add(t.blocked);
    fnv.Add(static_cast<std::uint8_t>(t.IsLive() ? 0 : 1));
  }
  for (const DuelSide& side : sides) fnv.AddValues(side);
  fnv.Add(flags);
  fnv.Add(sideToMove);
  fnv.Add(shuffleSeed);
  fnv.Add(random.State());
  fnv.Add(undo.size());
  for (const YTileUndoRecord& record : undo) {
    for (const YPlayerUndo& values : record.sides) fnv.AddValues(values);
    fnv.Add(record.flags);
    fnv.Add(record.sideToMove);
  }
  for (std::int16_t tile : undoTiles) fnv.Add(tile);
  return fnv.Value();
}
