#include "tiles/TileDeal.h"

#include <algorithm>
#include <utility>

#include "tiles/PairRules.h"

namespace {

template <typename T>
void Transpose(std::vector<T>& list, int times, DuelRandom& random) {
  const int n = static_cast<int>(list.size());
  for (int k = 0; k < times; ++k) {
    const int i = random.Below(n);
    const int j = random.Below(n);
    std::swap(list[static_cast<std::size_t>(i)], list[static_cast<std::size_t>(j)]);
  }
}

// The kinds of a deal of `pairs` pairs: every kind pairs / 42 times, then a
// random choice of the last block's kinds once more, in random order.
std::vector<std::int32_t> DealtKinds(int pairs, DuelRandom& random) {
  const int k = kDealtKindCount;
  std::vector<std::int32_t> kinds(static_cast<std::size_t>((pairs + k - 1) / k * k));
  for (std::size_t i = 0; i < kinds.size(); ++i) kinds[i] = static_cast<std::int32_t>(i % k);
  const int full = pairs / k * k;
  while (static_cast<int>(kinds.size()) > pairs) {
    const int index = full + random.Below(static_cast<int>(kinds.size()) - full);
    kinds[static_cast<std::size_t>(index)] = kinds.back();
    kinds.pop_back();
  }
  Transpose(kinds, 4 * pairs, random);
  return kinds;
}

std::vector<int> OpenTiles(const DuelBoard& board, const std::vector<int>& among) {
  std::vector<int> open;
  for (int tile : among) {
    if (board.IsOpen(tile)) open.push_back(tile);
  }
  return open;
}

std::vector<int> AllTiles(const DuelBoard& board) {
  std::vector<int> all(board.tiles.size());
  for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<int>(i);
  return all;
}

void UpdateBlockedOf(DuelBoard& board, const std::vector<int>& tiles) {
  for (int tile : tiles) board.UpdateBlocked(tile);
}

struct Placement {
  int tile;
  std::int32_t x, y, z;
};

Placement PlaceAt(const DuelBoard& board, int tile, int place) {
  const YTile& p = board.tiles[static_cast<std::size_t>(place)];
  return Placement{tile, p.x, p.y, p.z};
}

// Splits the live tiles, sorted by kind, into neighbouring pairs the side
// to move can take and single tiles.
void SplitPairs(const DuelState& state, std::vector<int> live, std::vector<std::pair<int, int>>& pairs,
                std::vector<int>& singles) {
  std::stable_sort(live.begin(), live.end(), [&](int a, int b) { return state.Tile(a).kind < state.Tile(b).kind; });
  std::size_t i = 0;
  while (i < live.size()) {
    if (i + 1 < live.size() && CanMatch(state, state.Mover(), live[i], live[i + 1])) {
      pairs.emplace_back(live[i], live[i + 1]);
      i += 2;
    } else {
      singles.push_back(live[i]);
      i += 1;
    }
  }
}

// Places the pairs on free places, two by two, as the board opens up.
void PlacePairs(DuelState& state, const std::vector<int>& places, std::vector<std::pair<int, int>>& pairs,
                std::vector<Placement>& placed) {
  DuelBoard& board = state.board;
  while (!pairs.empty()) {
    std::vector<int> open = OpenTiles(board, places);
    const int count = static_cast<int>(open.size());
    if (count < 2) return;
    Transpose(open, 2 * count, state.random);
    for (int i = 0; i < count - 1 && !pairs.empty(); i += 2) {
      placed.push_back(PlaceAt(board, pairs.back().first, open[static_cast<std::size_t>(i)]));
      placed.push_back(PlaceAt(board, pairs.back().second, open[static_cast<std::size_t>(i) + 1]));
      board.tiles[static_cast<std::size_t>(open[static_cast<std::size_t>(i)])].state = YTile::kSetAside;
      board.tiles[static_cast<std::size_t>(open[static_cast<std::size_t>(i) + 1])].state = YTile::kSetAside;
      pairs.pop_back();
    }
    UpdateBlockedOf(board, places);
  }
}

void PlaceSingles(DuelState& state, const std::vector<int>& places, std::vector<int>& singles,
                  std::vector<Placement>& placed) {
  DuelBoard& board = state.board;
  while (!singles.empty()) {
    std::vector<int> open = OpenTiles(board, places);
    if (open.empty()) return;
    Transpose(open, 2 * static_cast<int>(open.size()), state.random);
    for (std::size_t i = 0; i < open.size() && !singles.empty(); ++i) {
      placed.push_back(PlaceAt(board, singles.back(), open[i]));
      board.tiles[static_cast<std::size_t>(open[i])].state = YTile::kSetAside;
      singles.pop_back();
    }
    UpdateBlockedOf(board, places);
  }
}

}  // namespace

void DealFresh(DuelState& state) {
  DuelBoard& board = state.board;
  for (YTile& t : board.tiles) {
    t.state = YTile::kLive;
    t.world = board.TileMatrix(t);
  }
  board.UpdateAllBlocked();
  std::vector<std::int32_t> kinds = DealtKinds(static_cast<int>(board.tiles.size() / 2), state.random);
  const std::vector<int> all = AllTiles(board);
  for (;;) {
    std::vector<int> open = OpenTiles(board, all);
    const int count = static_cast<int>(open.size());
    if (count < 2 || kinds.empty()) break;
    Transpose(open, 2 * count, state.random);
    for (int i = 0; i < count - 1 && !kinds.empty(); i += 2) {
      for (int tile : {open[static_cast<std::size_t>(i) + 1], open[static_cast<std::size_t>(i)]}) {
        board.tiles[static_cast<std::size_t>(tile)].kind = kinds.back();
        board.tiles[static_cast<std::size_t>(tile)].state = YTile::kSetAside;
      }
      kinds.pop_back();
    }
    board.UpdateAllBlocked();
  }
  for (std::size_t i = 0; i < board.tiles.size(); ++i) {
    board.tiles[i].state = YTile::kLive;
    board.tiles[i].number = static_cast<std::int32_t>(i);
  }
  board.UpdateAllBlocked();
}

bool ShuffleDeal(DuelState& state, std::vector<int>& moved) {
  DuelBoard& board = state.board;
  std::vector<int> live;
  for (std::size_t i = 0; i < board.tiles.size(); ++i) {
    if (board.tiles[i].IsLive()) live.push_back(static_cast<int>(i));
  }
  if (live.size() < 2) return false;
  std::vector<std::pair<int, int>> pairs;
  std::vector<int> singles;
  SplitPairs(state, live, pairs, singles);
  if (pairs.empty()) return false;
  Transpose(pairs, 4 * static_cast<int>(pairs.size()), state.random);
  Transpose(singles, 4 * static_cast<int>(singles.size()), state.random);
  std::vector<Placement> placed;
  PlacePairs(state, live, pairs, placed);
  PlaceSingles(state, live, singles, placed);
  if (placed.size() != live.size()) return false;
  for (const Placement& p : placed) {
    YTile& t = board.tiles[static_cast<std::size_t>(p.tile)];
    t.state = YTile::kLive;
    t.x = p.x;
    t.y = p.y;
    t.z = p.z;
    board.PlaceTile(p.tile);
  }
  moved.clear();
  for (const Placement& p : placed) {
    board.UpdateBlocked(p.tile);
    moved.push_back(p.tile);
  }
  return true;
}

ShuffleResult ShuffleStep(DuelState& state, std::int32_t seed) {
  if (seed != 0) {
    state.random.Seed(static_cast<std::uint32_t>(seed));
  } else {
    state.random.Seed(static_cast<std::uint32_t>(state.shuffleSeed));
    state.shuffleSeed = state.random.Next();
  }
  ShuffleResult result;
  if (!ShuffleDeal(state, result.tiles)) {
    result.tiles.clear();
    if (state.board.LiveCount() > 0) {
      result.kind = ShuffleResult::kSwept;
      for (std::size_t i = 0; i < state.board.tiles.size(); ++i) {
        YTile& t = state.board.tiles[i];
        if (t.state == YTile::kRemoved) continue;
        t.state = YTile::kRemoved;
        result.tiles.push_back(static_cast<int>(i));
      }
      state.flags |= DuelFlag::kShuffle;
      return result;
    }
    result.kind = ShuffleResult::kFresh;
    DealFresh(state);
    for (std::size_t i = 0; i < state.board.tiles.size(); ++i) {
      YTile& t = state.board.tiles[i];
      t.world = state.board.TileMatrix(t);
      t.flyIn = (static_cast<float>(state.random.Next()) / 16383.5f - 1.0f) * 0.5f + 10.0f;
      result.tiles.push_back(static_cast<int>(i));
    }
  } else {
    result.kind = ShuffleResult::kShuffled;
  }
  state.flags = 0;
  if (!state.undo.empty()) state.undo.back().flags |= DuelFlag::kShuffle;
  return result;
}
