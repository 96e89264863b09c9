// The network commander's "a_unit" message: one unit of the sending
// machine's side written out, and a peer's unit read back, every value
// checked, into a new unit of this commander's side.
#include <algorithm>
#include <limits>
#include <memory>

#include "board/YTessor.h"
#include "board/YTessorPlayerNetwork.h"
#include "framework/Log.h"
#include "net/PeerChannel.h"
#include "net/PeerTextReader.h"
#include "players/PlayerRules.h"
#include "players/TileTables.h"
#include "players/YArtifact.h"
#include "players/YArtifactLoader.h"
#include "players/YMonsterType.h"
#include "players/YPlayerHero.h"
#include "players/YPlayerMonster.h"
#include "players/YTileSpell.h"
#include "render/YContainer.h"
#include "render/YTextureBase.h"

namespace {

constexpr std::int32_t kAny = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMaxDistance = 2 * kCellCount;
// More spells than any record learns; a message holds fewer anyway.
constexpr std::int32_t kMaxSpells = 64;

std::string FaceName(YPlayer& record) {
  const YTextureBase* face = record.GetFace();
  return face != nullptr && IsMessageWord(face->name()) ? face->name() : std::string("0");
}

// The values in the order the message carries them.
struct UnitValues {
  std::int32_t level = 0;
  std::int32_t experience = 0;
  std::int32_t moveKind = 0;
  std::int32_t way = 0;
  std::int32_t distance = 0;
  std::int32_t health = 0;
  std::int32_t baseHealth = 0;
  std::array<std::int32_t, 4> mana{};
  std::array<std::int32_t, 4> baseMana{};
  std::string face;
  std::string artifact;
  std::vector<std::uint32_t> spells;
};

void ReadValues(PeerTextReader& reader, UnitValues& v) {
  reader.Int(v.level, 0, kAny);
  reader.Int(v.experience, 0, kAny);
  reader.Int(v.moveKind, 0, 2);
  reader.Int(v.way, 0, 1);
  reader.Int(v.distance, 0, kMaxDistance);
  reader.Int(v.health, 0, kAny);
  reader.Int(v.baseHealth, 0, kAny);
  for (std::size_t e = 0; e < 4; ++e) {
    reader.Int(v.mana[e], 0, kAny);
    reader.Int(v.baseMana[e], 0, kAny);
  }
  reader.DataName(v.face);
  reader.Word(v.artifact);
  reader.UnsignedList(v.spells, kMaxSpells);
}

void ApplyValues(const UnitValues& v, YPlayer& record) {
  record.level = v.level;
  record.experience = v.experience;
  record.shownExperience = v.experience;
  record.moveKind = v.moveKind;
  record.way = v.way;
  record.distance = v.distance;
  record.health = v.health;
  record.baseHealth = v.baseHealth;
  record.maxValues[5] = v.baseHealth;
  record.mana = v.mana;
  record.baseMana = v.baseMana;
  for (std::size_t e = 0; e < 4; ++e) record.maxValues[1 + e] = v.baseMana[e];
  record.shownMana = {};
  record.shownHealth = 0;
  record.face = v.face == "0" ? nullptr : YContainer<YTextureBase>::Get(v.face);
  record.artifact = v.artifact == "0" ? nullptr : YArtifactLoader::FindArtifact(v.artifact);
  record.spells.clear();
  for (std::uint32_t key : v.spells) {
    if (YTileSpell* spell = GetTileTables().FindSpell(key)) record.spells.push_back(spell);
  }
}

// The record a unit message names: a new hero, or a monster of a known id.
std::unique_ptr<YPlayer> NewRecord(bool hero, const std::string& nameOrId) {
  if (hero) {
    auto record = std::make_unique<YPlayerHero>();
    record->name = nameOrId;
    return record;
  }
  std::unique_ptr<YPlayerMonster> monster = YPlayerMonster::MakeOfType(nameOrId);
  if (monster == nullptr) return nullptr;
  monster->name = FindMonsterType(nameOrId)->name;
  return monster;
}

}  // namespace

bool YTessorPlayerNetwork::SendUnit(YTessorUnit& unit) {
  YTessor* tessor = Board();
  if (tessor == nullptr || unit.record == nullptr || failed_) return !failed_;
  YPlayer& record = *unit.record;
  const bool hero = &record == tessor->Player(unit.side);
  const auto* monster = dynamic_cast<const YPlayerMonster*>(&record);
  if (!hero && monster == nullptr) return true;
  std::string text =
      "a_unit " + std::to_string(unit.x) + " " + std::to_string(unit.y) + (hero ? " 1\n" : " 0\n");
  text += (hero ? record.name : monster->typeId) + "\n";
  for (std::int32_t value : {record.level, record.experience, record.moveKind, record.way, record.distance,
                             record.health, record.baseHealth}) {
    text += std::to_string(value) + " ";
  }
  for (std::size_t e = 0; e < 4; ++e) {
    text += std::to_string(record.mana[e]) + " " + std::to_string(record.baseMana[e]) + " ";
  }
  text += FaceName(record) + " " +
          (record.artifact != nullptr && IsMessageWord(record.artifact->id) ? record.artifact->id : "0");
  text += " " + std::to_string(record.spells.size());
  for (const YTileSpell* spell : record.spells) text += " " + std::to_string(spell->key);
  // A cut message would arrive as a different unit: it is never sent.
  if (text.size() > PeerChannel::kMaxBody) {
    Log::Printf("Board unit message of %zu characters is over the link's %zu, the game ends: %s", text.size(),
                PeerChannel::kMaxBody, (hero ? record.name : monster->typeId).c_str());
    Fail();
    return false;
  }
  return Send(text);
}

bool YTessorPlayerNetwork::CellFreeForPeer(int x, int y) const {
  const YTessorBoard& board = Board()->Board();
  if (board.Cell(x, y).IsBlocked() || board.Cell(x, y).occupant != nullptr) return false;
  const std::vector<YTessorUnit*>& peers = board.Units(side);
  return std::none_of(peers.begin(), peers.end(),
                      [x, y](const YTessorUnit* u) { return u->x == x && u->y == y; });
}

void YTessorPlayerNetwork::HandleUnit(PeerTextReader& reader) {
  if (phase_ != Phase::kUnits) return Refuse("a unit out of turn");
  if (unitsReceived_ >= kArmySlots) return Refuse("more units than an army holds");
  std::int32_t x = 0, y = 0, hero = 0;
  std::string nameOrId;
  UnitValues values;
  reader.Int(x, 0, kBoardSize - 1);
  reader.Int(y, 0, kBoardSize - 1);
  reader.Int(hero, 0, 1);
  reader.Line(nameOrId);
  ReadValues(reader, values);
  if (!reader.Ok()) return Refuse("bad unit values");
  if (side == 1) {
    x = kBoardSize - 1 - x;
    y = kBoardSize - 1 - y;
  }
  if (!CellFreeForPeer(x, y)) return Refuse("a cell that is taken or blocked");
  if (hero == 1 && heroReceived_) return Refuse("a second hero");
  std::unique_ptr<YPlayer> record = NewRecord(hero == 1, nameOrId);
  if (record == nullptr) return Refuse("an unknown monster");
  ApplyValues(values, *record);
  YTessor& tessor = *Board();
  YPlayer* kept = record.get();
  YTessorUnit* unit = tessor.Board().AddUnit(
      MakeUnit(hero == 1 ? UnitClass::kHero : UnitClass::kPlain, std::move(record), side));
  unit->x = x;
  unit->y = y;
  if (hero == 1) {
    tessor.SetPlayer(side, kept);
    heroReceived_ = true;
  }
  ++unitsReceived_;
  Consume();
}
