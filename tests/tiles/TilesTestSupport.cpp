#include "tests/tiles/TilesTestSupport.h"

#include <algorithm>
#include <filesystem>

#include "players/TileTables.h"
#include "tests/support/TestSupport.h"
#include "tiles/TileDeal.h"

namespace tiles_test {

namespace {

std::filesystem::path LayoutsFolder() { return std::filesystem::path(QV_SOURCE_DIR) / "content" / "layouts"; }

}  // namespace

void LoadShippedTiles() {
  TileTables& tables = GetTileTables();
  if (tables.Kinds().size() >= 42) return;
  tables.Clear();
  tables.Load(std::string(QV_SOURCE_DIR) + "/content/ui/english/");
}

int KindIndex(std::uint32_t id) {
  LoadShippedTiles();
  return GetTileTables().FindKindIndex(id);
}

const YTileSpell* Spell(std::uint32_t key) {
  LoadShippedTiles();
  return GetTileTables().FindSpell(key);
}

std::vector<tile_layout::Corner> ShippedLayout(const std::string& name) {
  std::string error;
  const std::string text = testing_support::ReadFile(LayoutsFolder() / (name + ".lay"));
  return tile_layout::ParseText(text, error);
}

std::vector<std::string> ShippedLayoutNames() {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(LayoutsFolder())) {
    if (entry.path().extension() == ".lay") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

DuelState StateOn(const std::vector<tile_layout::Corner>& corners) {
  LoadShippedTiles();
  DuelState state;
  state.kinds = DuelKindsOf(GetTileTables().Kinds());
  for (const tile_layout::Corner& c : corners) state.board.AddTile(c.x, c.y, c.z);
  state.board.BuildGrid();
  return state;
}

DuelState DealtState(const std::vector<tile_layout::Corner>& corners, std::int32_t seed) {
  DuelState state = StateOn(corners);
  state.shuffleSeed = seed;
  ShuffleStep(state, 0);
  return state;
}

std::vector<DuelKind> TestKinds(std::int32_t cost) {
  std::vector<DuelKind> kinds;
  for (std::uint32_t element = 0; element < 4; ++element) {
    for (std::uint32_t tileClass = 1; tileClass <= 11; ++tileClass) {
      const std::int32_t c = tileClass <= 2 ? 0 : cost;
      kinds.push_back(DuelKind{(element << 4) | tileClass, c, 60 - static_cast<std::int32_t>(tileClass)});
    }
  }
  return kinds;
}

int TestKind(std::uint32_t id) { return static_cast<int>(((id >> 4) & 3) * 11 + (id & 0xF) - 1); }

DuelState SpreadState(const std::vector<std::uint32_t>& ids) {
  DuelState state;
  state.kinds = TestKinds();
  for (std::size_t i = 0; i < ids.size(); ++i) state.board.AddTile(static_cast<std::int32_t>(4 * i), 0, 0);
  state.board.BuildGrid();
  for (std::size_t i = 0; i < ids.size(); ++i) {
    state.board.tiles[i].kind = TestKind(ids[i]);
    state.board.tiles[i].state = YTile::kLive;
    state.board.tiles[i].number = static_cast<std::int32_t>(i);
  }
  state.board.UpdateAllBlocked();
  return state;
}

DuelSide Side(std::int32_t value, std::int32_t cap) {
  DuelSide side;
  side.mana = {value, value, value, value};
  side.health = value;
  side.maxMana = {cap, cap, cap, cap};
  side.maxHealth = cap;
  return side;
}

void SetFighter(YPlayer& fighter, const std::string& name, std::int32_t value, std::int32_t cap) {
  fighter.name = name;
  fighter.mana = {value, value, value, value};
  fighter.health = value;
  fighter.maxValues = {0, cap, cap, cap, cap, cap};
  fighter.shownMana = fighter.mana;
  fighter.shownHealth = value;
  fighter.shownExperience = fighter.experience;
}

ShippedLayoutsFolder::ShippedLayoutsFolder() : cwd_(dir_.Path()) {
  std::filesystem::create_directories(dir_.Path() / "layouts");
  for (const std::string& name : ShippedLayoutNames())
    std::filesystem::copy_file(LayoutsFolder() / (name + ".lay"), dir_.Path() / "layouts" / (name + ".lay"));
  LoadShippedTiles();
}

void RecordingEvents::OnFreshDeal(DuelBoard&, const std::vector<int>& tiles) {
  events.push_back("fresh " + std::to_string(tiles.size()));
}
void RecordingEvents::OnShuffleDeal(DuelBoard& board, const std::vector<int>& tiles, bool side0ToMove) {
  DuelEvents::OnShuffleDeal(board, tiles, side0ToMove);
  events.push_back("shuffled " + std::to_string(tiles.size()) + (side0ToMove ? " by 0" : " by 1"));
}
void RecordingEvents::OnSwept(DuelBoard&, const std::vector<int>& tiles) {
  events.push_back("swept " + std::to_string(tiles.size()));
}
void RecordingEvents::OnPairTaken(DuelBoard&, int a, int b, bool cast) {
  events.push_back("pair " + std::to_string(a) + " " + std::to_string(b) + (cast ? " cast" : " blank"));
}
void RecordingEvents::OnCastPair(DuelBoard&, int a, int b, const std::vector<int>& taken) {
  events.push_back("show " + std::to_string(a) + " " + std::to_string(b) + " +" + std::to_string(taken.size()));
}
void RecordingEvents::StartFade(float& weight, float from, float to, float seconds) {
  DuelEvents::StartFade(weight, from, to, seconds);
  events.push_back("fade to " + std::to_string(static_cast<int>(to)));
}
void RecordingEvents::PlaySound(std::string_view name) { events.push_back("sound " + std::string(name)); }
void RecordingEvents::SelectMusic(int track, float) { events.push_back("music " + std::to_string(track)); }
bool RecordingEvents::StepEffects(float) {
  if (effectFrames <= 0) return false;
  --effectFrames;
  return true;
}

}  // namespace tiles_test
