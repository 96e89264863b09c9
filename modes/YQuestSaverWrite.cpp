// Writing a campaign save: the quest's hero and army, the level on the
// board, the duel in progress and the shop, each element on a line of its
// own with only the attributes that differ from their defaults.
#include <sstream>

#include "board/YTessor.h"
#include "modes/QuestSaveTags.h"
#include "modes/YQuestSaver.h"
#include "players/MoveWords.h"
#include "players/PlayerRules.h"
#include "players/YArtifact.h"
#include "players/YMonsterShop.h"
#include "players/YPlayerHero.h"
#include "players/YPlayerMonster.h"
#include "players/YTileSpell.h"
#include "render/YTextureBase.h"
#include "tiles/YTileset.h"

using namespace quest_save;

namespace {

class SaveWriter {
 public:
  SaveWriter(XMLParser& parser, std::ostream& out) : parser_(parser), out_(out) {}

  void Open(int tagId, std::initializer_list<std::string> values) {
    XMLParser::Tag& tag = parser_.GetTag(tagId);
    std::size_t i = 0;
    for (const std::string& value : values) tag.attrs.at(i++).value = value;
    for (; i < tag.attrs.size(); ++i) tag.attrs[i].value = tag.attrs[i].defaultValue;
    parser_.WriteOpenTag(out_, tagId);
    out_ << '\n';
  }
  void Close(int tagId) {
    parser_.WriteCloseTag(out_, tagId);
    out_ << '\n';
  }
  // `experienceLevel` is the level the record's experience gives; a record
  // still below it keeps its own level in the file.
  void Evol(const YPlayer& record, std::int32_t experienceLevel, int slot, QuestSaveData::Cell cell) {
    const std::string level = record.level < experienceLevel ? Int(record.level) : "-1";
    Open(kEvol, {Int(record.experience), Int(record.points), Int(slot), Int(cell.x), Int(cell.y), level});
  }
  void Evol(const YPlayerMonster& monster, int slot, QuestSaveData::Cell cell) {
    Evol(monster, monster.LevelOfExperience(), slot, cell);
  }
  void Values(const char* type, const std::array<std::int32_t, 5>& v) {
    Open(kData, {type, Int(v[0]), Int(v[1]), Int(v[2]), Int(v[3]), Int(v[4])});
  }
  void Now(const YPlayer& r) { Values("now", {r.mana[0], r.mana[1], r.mana[2], r.mana[3], r.health}); }
  void Self(const YPlayer& r) {
    Values("self", {r.baseMana[0], r.baseMana[1], r.baseMana[2], r.baseMana[3], r.baseHealth});
  }

  static std::string Int(std::int64_t value) { return std::to_string(value); }
  static std::string Hex(std::uint32_t value) {
    std::ostringstream text;
    text << std::hex << value;
    return text.str();
  }
  static std::string Float(float value) {
    XMLParser::Attr attr;
    attr.SetFloat(value);
    return attr.value;
  }

 private:
  XMLParser& parser_;
  std::ostream& out_;
};

// The cell of the unit of `side` whose record is `record`, when the state
// has a board and the unit stands on it.
QuestSaveData::Cell CellOf(const QuestSnapshot& q, const YPlayer* record, int side) {
  if (q.state <= 0 || q.board == nullptr) return {};
  for (const YTessorUnit* unit : q.board->Board().Units(side)) {
    if (unit->record == record && unit->x >= 0 && unit->y >= 0) return {unit->x, unit->y};
  }
  return {};
}

void WriteHeroBody(SaveWriter& w, const QuestSnapshot& q) {
  const YPlayerHero& hero = *q.hero;
  for (int slot = 0; slot < kArmySlots; ++slot) {
    if (hero.slots[static_cast<std::size_t>(slot)] == &hero)
      w.Evol(hero, HeroLevelForExperience(hero.experience), slot, CellOf(q, &hero, 0));
  }
  w.Now(hero);
  w.Values("start", hero.startValues);
  w.Self(hero);
  w.Values("skill", hero.skillCosts);
  if (hero.artifact != nullptr) w.Open(kArtifact, {hero.artifact->id, "1"});
  for (const YArtifact* artifact : hero.artifacts) w.Open(kArtifact, {artifact->id, "0"});
  for (const YTileSpell* spell : hero.spells) w.Open(kSpell, {SaveWriter::Hex(spell->key), "1"});
  for (const YTileSpell* spell : hero.spareSpells) w.Open(kSpell, {SaveWriter::Hex(spell->key), "0"});
  for (int slot = 0; slot < kArmySlots; ++slot) {
    const YPlayerMonster* monster = hero.SlotMonster(slot);
    if (monster == nullptr) continue;
    w.Open(kMonster, {monster->typeId});
    w.Evol(*monster, slot, CellOf(q, monster, 0));
    w.Now(*monster);
    w.Self(*monster);
    w.Close(kMonster);
  }
}

void WriteDesk(SaveWriter& w, const QuestSnapshot& q) {
  const YTessorBoard& board = q.board->Board();
  w.Open(kDesk,
         {SaveWriter::Int(board.sideToMove), SaveWriter::Float(board.clock), SaveWriter::Int(q.goldAtLevel)});
  const auto& units = board.Units(1);
  for (std::size_t i = 0; i < units.size(); ++i) {
    const auto* monster = dynamic_cast<const YPlayerMonster*>(units[i]->record);
    if (monster == nullptr) continue;
    w.Open(kMonster, {monster->typeId});
    w.Evol(*monster, static_cast<int>(i), CellOf(q, monster, 1));
    w.Now(*monster);
    w.Self(*monster);
    w.Close(kMonster);
  }
  w.Close(kDesk);
}

void WriteBattle(SaveWriter& w, const QuestSnapshot& q) {
  const YTileset& battle = *q.battle;
  std::string player1 = "0", player2 = "0";
  for (int slot = 0; slot < kArmySlots; ++slot) {
    if (q.hero->slots[static_cast<std::size_t>(slot)] == battle.Fighter(0) && battle.Fighter(0) != nullptr)
      player1 = SaveWriter::Int(slot);
  }
  if (q.board != nullptr) {
    const auto& units = q.board->Board().Units(1);
    for (std::size_t i = 0; i < units.size(); ++i) {
      if (units[i]->record == battle.Fighter(1)) player2 = SaveWriter::Int(static_cast<std::int64_t>(i));
    }
  }
  const DuelState& state = battle.State();
  w.Open(kBattle, {battle.LayoutPath(), player1, player2, SaveWriter::Int(state.flags),
                   SaveWriter::Int(state.sideToMove), SaveWriter::Int(q.goldAtFight),
                   SaveWriter::Int(q.experienceAtFight)});
  for (std::size_t i = 0; i < state.board.tiles.size(); ++i) {
    const YTile& tile = state.board.tiles[i];
    if (!tile.IsLive()) continue;
    w.Open(kTile, {SaveWriter::Int(state.KindOf(static_cast<int>(i)).id), SaveWriter::Int(tile.x),
                   SaveWriter::Int(tile.y), SaveWriter::Int(tile.z)});
  }
  w.Close(kBattle);
}

void WriteShop(SaveWriter& w, const QuestSnapshot& q) {
  w.Open(kShop, {});
  for (int slot = 0; q.shop != nullptr && slot < YMonsterShop::kOfferSlots; ++slot) {
    const YPlayerMonster* offer = q.shop->Offer(slot);
    if (offer == nullptr) continue;
    w.Open(kMonster, {offer->typeId});
    w.Evol(*offer, slot, {});
    w.Self(*offer);
    w.Close(kMonster);
  }
  w.Close(kShop);
}

}  // namespace

std::string YQuestSaver::Write(const QuestSnapshot& q) {
  if (q.hero == nullptr) return {};
  std::ostringstream out;
  SaveWriter w(*this, out);
  using W = SaveWriter;
  const YPlayerHero& hero = *q.hero;
  w.Open(kGame, {W::Int(q.state), W::Int(q.level), q.state == 1 && q.rewardWaits ? "1" : "0"});
  w.Open(kHero, {hero.name, hero.face != nullptr ? hero.face->name() : std::string(),
                 MoveKindName(hero.moveKind), WayName(hero.way), W::Int(hero.distance), W::Int(hero.gold),
                 W::Int(hero.difficulty), W::Int(hero.fightsWon), W::Int(hero.fightsLost),
                 W::Int(hero.levelsLost), W::Int(hero.goldWon), W::Int(hero.experienceWon)});
  WriteHeroBody(w, q);
  w.Close(kHero);
  if (q.state > 0 && q.level >= 0 && q.board != nullptr) WriteDesk(w, q);
  if (q.state == 2 && q.battle != nullptr) WriteBattle(w, q);
  WriteShop(w, q);
  w.Close(kGame);
  return out.str();
}
