#include "modes/YQuestSaver.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "framework/Log.h"
#include "modes/QuestSaveTags.h"
#include "players/DifficultyTable.h"
#include "players/MoveWords.h"
#include "players/PlayerRules.h"
#include "players/TileTables.h"
#include "players/YArtifactLoader.h"
#include "players/YMonsterShop.h"
#include "players/YMonsterType.h"
#include "players/YPlayerHero.h"
#include "render/YContainer.h"
#include "render/YTextureBase.h"

using namespace quest_save;

namespace {

constexpr std::size_t kActiveSpells = 5;
constexpr std::size_t kMaxTiles = 4096;  // far more than any layout holds
constexpr std::size_t kMaxEnemies = 81;  // one per cell

YTextureBase* TextureNamed(const std::string& name) {
  return name.empty() ? nullptr : YContainer<YTextureBase>::Get(name);
}

// A board cell read from a save; outside the board it is no cell at all.
QuestSaveData::Cell CellFrom(int x, int y) {
  if (x < 0 || x > 8 || y < 0 || y > 8) return {};
  return {x, y};
}

// A monster saved below the level its experience gives keeps that level,
// with the artifact and spells its type gives there.
void KeepSavedLevel(YPlayerMonster& monster, std::int32_t saved) {
  const YMonsterType* type = FindMonsterType(monster.typeId);
  if (saved < 0 || saved >= monster.level || type == nullptr) return;
  monster.level = saved;
  monster.SetupForLevel(SaturatedInt32(std::int64_t{type->startLevel} + saved));
}

}  // namespace

QuestSaveData::~QuestSaveData() {
  YPlayerHero::DeleteWithArmy(hero);
}

YPlayerHero* QuestSaveData::TakeHero() {
  return std::exchange(hero, nullptr);
}

YQuestSaver::YQuestSaver() : DataFileReader({"Game loader error, %s, line: %d", false}) {
  // "reward" 1: the level on the board is won and its reward box waits.
  AddTag(MakeTag("game", {{"state", ""}, {"level", "0"}, {"reward", "0"}}));
  AddTag(MakeTag("hero", {{"name", "player"},
                          {"face", ""},
                          {"move", "walk"},
                          {"way", "any"},
                          {"distance", "2"},
                          {"gold", "0"},
                          {"difficulty", "0"},
                          {"kill", "0"},
                          {"loss", "0"},
                          {"defeat", "0"},
                          {"goldall", "0"},
                          {"experienceall", "0"}}));
  AddTag(MakeTag("monster", {{"id", ""}}));
  // "level" only where the record's level lags what its experience gives
  // (a duel not yet ended, a fight lost): the level rises when a fight is won.
  AddTag(MakeTag("evol", {{"experience", "0"},
                          {"points", "0"},
                          {"slot", "0"},
                          {"pos_x", "-1"},
                          {"pos_y", "-1"},
                          {"level", "-1"}}));
  AddTag(MakeTag(
      "data", {{"type", ""}, {"air", "0"}, {"fire", "0"}, {"earth", "0"}, {"water", "0"}, {"health", ""}}));
  AddTag(MakeTag("artifact", {{"id", ""}, {"selected", "0"}}));
  AddTag(MakeTag("spell", {{"id", "0"}, {"selected", "0"}}));
  AddTag(MakeTag("desk", {{"turn", "0"}, {"manatime", "0"}, {"gold", "0"}}));
  AddTag(MakeTag("shop"));
  AddTag(MakeTag("battle", {{"layout", ""},
                            {"player1", "0"},
                            {"player2", "0"},
                            {"state", "0"},
                            {"turn", "0"},
                            {"gold", "0"},
                            {"experience", "0"}}));
  AddTag(MakeTag("tile", {{"id", ""}, {"x", "0"}, {"y", "0"}, {"z", "0"}}));
}

YQuestSaver::~YQuestSaver() = default;

void YQuestSaver::Reset(bool summary, std::int32_t levelCount) {
  summary_ = summary;
  levelCount_ = levelCount;
  data_ = std::make_unique<QuestSaveData>();
  info_.reset();
  section_ = Section::kStart;
  refused_ = closed_ = heroPlaced_ = inMonster_ = inBattle_ = false;
  monster_.reset();
  current_ = nullptr;
  refusal_.clear();
}

void YQuestSaver::Refuse(const std::string& why) {
  if (refused_) return;
  refused_ = true;
  refusal_ = why + ", line: " + std::to_string(LineNumber());
}

std::unique_ptr<QuestSaveData> YQuestSaver::Read(const std::string& text, std::string_view name,
                                                 std::int32_t levelCount) {
  Reset(false, levelCount);
  std::istringstream in(text);
  ParseNamedStream(in, name);
  monster_.reset();
  if (!refused_) CheckWhole();
  if (refused_) {
    Log::Printf("Save refused, %s: %s", std::string(name).c_str(), refusal_.c_str());
    data_.reset();
  }
  return std::move(data_);
}

std::optional<SaveInfo> YQuestSaver::ReadSummary(const std::string& text, std::string_view name) {
  Reset(true, 0);
  std::istringstream in(text);
  ParseNamedStream(in, name);
  data_.reset();
  return std::move(info_);
}

// What only the whole file can tell: it ended, and its state has what the
// state needs.
bool YQuestSaver::CheckWhole() {
  QuestSaveData& d = *data_;
  if (!closed_)
    Refuse("the game element does not close");
  else if (d.hero == nullptr || !heroPlaced_)
    Refuse("no hero in an army slot");
  else if (d.state > 0 && d.level >= 0 && !d.hasDesk)
    Refuse("a level without its desk");
  else if (d.state == 2 && !d.hasBattle)
    Refuse("a duel without its battle");
  else if (d.state == 2 && d.hero->slots[static_cast<std::size_t>(d.fighter0Slot)] == nullptr)
    Refuse("the duel's first fighter is not in the army");
  else if (d.state == 2 && d.level < 0 && d.hero->SlotMonster(0) == nullptr)
    Refuse("the door keeper's duel without the door keeper");
  else if (d.state == 2 && d.level >= 0 && static_cast<std::size_t>(d.fighter1Index) >= d.enemies.size())
    Refuse("the duel's second fighter is not in the enemy army");
  return !refused_;
}

// ---- Opening tags ---------------------------------------------------------

void YQuestSaver::OnTagOpen(int tagId) {
  if (refused_ || closed_) return;
  if (summary_) return SummaryTag(tagId);
  if (tagId == kGame) return ReadGame();
  if (section_ == Section::kStart) return Refuse("a record before the game element");
  if (tagId == kHero) return ReadHero();
  if (data_->hero == nullptr) return Refuse("a record before the hero");
  switch (tagId) {
    case kMonster:
      return ReadMonster();
    case kEvol:
      return ReadEvol();
    case kData:
      return ReadData();
    case kArtifact:
      return ReadArtifact();
    case kSpell:
      return ReadSpell();
    case kDesk:
      return ReadDesk();
    case kShop:
      section_ = Section::kShop;
      return;
    case kBattle:
      return ReadBattle();
    case kTile:
      return ReadTile();
    default:
      return;
  }
}

void YQuestSaver::ReadGame() {
  if (section_ != Section::kStart) return Refuse("a second game element");
  section_ = Section::kGame;
  const Attr& state = GetAttr(kGame, kGameState);
  data_->state = state.AsInt();
  data_->level = GetAttr(kGame, kGameLevel).AsInt();
  data_->rewardWaits = GetAttr(kGame, kGameReward).AsBool();
  if (state.value.empty() || data_->state < 0 || data_->state > 3) return Refuse("a state outside 0-3");
  if (data_->level < -1 || data_->level >= levelCount_) return Refuse("a level the campaign does not have");
}

// A name longer than the name boxes take (a file edited by hand) is cut
// to their length, so that no list or dialog draws more.
std::string YQuestSaver::HeroName() {
  const Attr& given = GetAttr(kHero, kName);
  std::string name = given.value;
  if (CutHeroName(name)) LogValueNotice(HeroNameCutNotice(), given);
  return name;
}

void YQuestSaver::ReadHero() {
  if (data_->hero != nullptr) return Refuse("a second hero");
  const auto attr = [this](int index) -> const Attr& { return GetAttr(kHero, index); };
  const std::int32_t difficulty = attr(kDifficulty).AsInt();
  if (difficulty < 0 || difficulty >= kDifficultyRows) return Refuse("a difficulty outside the table");
  auto* hero = new YPlayerHero();
  data_->hero = hero;
  hero->name = HeroName();
  hero->face = TextureNamed(attr(kFace).value);
  hero->moveKind = ParseMoveKind(attr(kMove).value);
  hero->way = ParseWay(attr(kWay).value);
  hero->distance = attr(kDistance).AsInt();
  hero->gold = attr(kGold).AsInt();
  hero->difficulty = difficulty;
  hero->strength = DifficultyRowAt(difficulty).heroFactor;
  hero->fightsWon = attr(kKill).AsInt();
  hero->fightsLost = attr(kLoss).AsInt();
  hero->levelsLost = attr(kDefeat).AsInt();
  hero->goldWon = attr(kGoldAll).AsInt();
  hero->experienceWon = attr(kExpAll).AsInt();
  section_ = Section::kHero;
}

// A monster whose id the catalogue lacks is logged there and left out; its
// elements are skipped.
void YQuestSaver::ReadMonster() {
  if (section_ != Section::kHero && section_ != Section::kDesk && section_ != Section::kShop)
    return Refuse("a monster outside the hero, the desk and the shop");
  monster_ = YPlayerMonster::MakeOfType(GetAttr(kMonster, kId).value);
  current_ = monster_.get();
  inMonster_ = true;
}

void YQuestSaver::ReadEvol() {
  const auto attr = [this](int index) -> const Attr& { return GetAttr(kEvol, index); };
  const std::int32_t slot = attr(kSlot).AsInt();
  const QuestSaveData::Cell cell = CellFrom(attr(kPosX).AsInt(), attr(kPosY).AsInt());
  if (!inMonster_) return ReadHeroEvol(slot, cell);
  if (current_ == nullptr || !monster_) return;
  current_->Init(attr(kExperience).AsInt(), attr(kPoints).AsInt(), false, 1.0f);
  KeepSavedLevel(*current_, attr(kEvolLevel).AsInt());
  ReadMonsterEvol(slot, cell);
}

void YQuestSaver::ReadHeroEvol(std::int32_t slot, QuestSaveData::Cell cell) {
  YPlayerHero& hero = *data_->hero;
  if (section_ != Section::kHero || heroPlaced_) return Refuse("a second place of the hero");
  if (slot < 0 || slot >= kArmySlots) return Refuse("an army slot outside 0-17");
  if (hero.slots[static_cast<std::size_t>(slot)] != nullptr) return Refuse("two records in one army slot");
  hero.experience = GetAttr(kEvol, kExperience).AsInt();
  hero.level = HeroLevelForExperience(hero.experience);
  const std::int32_t saved = GetAttr(kEvol, kEvolLevel).AsInt();
  if (saved >= 0 && saved < hero.level) hero.level = saved;
  hero.points = GetAttr(kEvol, kPoints).AsInt();
  hero.slots[static_cast<std::size_t>(slot)] = &hero;
  data_->heroCell = cell;
  heroPlaced_ = true;
}

void YQuestSaver::ReadMonsterEvol(std::int32_t slot, QuestSaveData::Cell cell) {
  QuestSaveData& d = *data_;
  if (section_ == Section::kHero) {
    if (slot < 0 || slot >= kArmySlots) return Refuse("an army slot outside 0-17");
    YPlayer*& place = d.hero->slots[static_cast<std::size_t>(slot)];
    if (place != nullptr) return Refuse("two records in one army slot");
    place = monster_.release();
    d.armyCells[static_cast<std::size_t>(slot)] = cell;
  } else if (section_ == Section::kDesk) {
    if (d.enemies.size() >= kMaxEnemies) return Refuse("more enemies than cells");
    d.enemies.push_back({std::move(monster_), slot, cell.x, cell.y});
  } else if (section_ == Section::kShop) {
    if (slot < 0 || slot >= YMonsterShop::kOfferSlots) return Refuse("a shop slot outside 0-17");
    d.shop.push_back({std::move(monster_), slot, -1, -1});
  }
}

void YQuestSaver::ReadData() {
  YPlayer* record = inMonster_ ? static_cast<YPlayer*>(current_) : data_->hero;
  if (record == nullptr) return;
  const std::string& type = GetAttr(kData, kType).value;
  std::array<std::int32_t, 5> v{};
  for (std::size_t i = 0; i < v.size(); ++i) v[i] = GetAttr(kData, kAir + static_cast<int>(i)).AsInt();
  if (type == "now") {
    std::copy_n(v.begin(), 4, record->mana.begin());
    record->health = v[4];
  } else if (type == "self") {
    std::copy_n(v.begin(), 4, record->baseMana.begin());
    record->baseHealth = v[4];
  } else if (!inMonster_ && type == "start") {
    data_->hero->startValues = v;
  } else if (!inMonster_ && type == "skill") {
    data_->hero->skillCosts = v;
  }
}

void YQuestSaver::ReadArtifact() {
  YPlayerHero& hero = *data_->hero;
  const YArtifact* artifact = YArtifactLoader::FindArtifact(GetAttr(kArtifact, kId).value);
  if (inMonster_ || artifact == nullptr || hero.HasArtifact(artifact)) return;
  if (hero.artifact == nullptr && GetAttr(kArtifact, kSelected).AsBool())
    hero.artifact = artifact;
  else
    hero.artifacts.push_back(artifact);
}

void YQuestSaver::ReadSpell() {
  YPlayerHero& hero = *data_->hero;
  YTileSpell* spell = GetTileTables().FindSpell(GetAttr(kSpell, kId).AsHex());
  if (inMonster_ || spell == nullptr || hero.KnowsSpell(spell)) return;
  if (hero.spells.size() < kActiveSpells && GetAttr(kSpell, kSelected).AsBool())
    hero.spells.push_back(spell);
  else
    hero.spareSpells.push_back(spell);
}

void YQuestSaver::ReadDesk() {
  QuestSaveData& d = *data_;
  if (d.hasDesk) return Refuse("a second desk");
  d.turn = GetAttr(kDesk, kTurn).AsInt();
  d.clock = GetAttr(kDesk, kManaTime).AsFloat();
  d.goldAtLevel = GetAttr(kDesk, kDeskGold).AsInt();
  if (d.turn != 0 && d.turn != 1) return Refuse("a side to move other than 0 or 1");
  if (!(d.clock >= 0.0f && d.clock < 1.0f)) return Refuse("a clock outside 0-1");
  d.hasDesk = true;
  section_ = Section::kDesk;
}

void YQuestSaver::ReadBattle() {
  QuestSaveData& d = *data_;
  const auto attr = [this](int index) -> const Attr& { return GetAttr(kBattle, index); };
  if (d.hasBattle) return Refuse("a second battle");
  d.layout = attr(kLayout).value;
  d.fighter0Slot = attr(kPlayer1).AsInt();
  d.fighter1Index = attr(kPlayer2).AsInt();
  d.battleFlags = static_cast<std::uint32_t>(attr(kBattleState).AsInt());
  d.battleTurn = attr(kBattleTurn).AsInt();
  d.goldAtFight = attr(kBattleGold).AsInt();
  d.experienceAtFight = attr(kBattleExp).AsInt();
  const bool layoutFolder = d.layout.rfind("layouts\\", 0) == 0 && d.layout.find("..") == std::string::npos;
  if (!layoutFolder) return Refuse("a layout outside the layouts folder");
  if (d.fighter0Slot < 0 || d.fighter0Slot >= kArmySlots) return Refuse("a fighter slot outside 0-17");
  if (d.fighter1Index < 0) return Refuse("a negative fighter index");
  if (d.battleTurn != 0 && d.battleTurn != 1) return Refuse("a side to move other than 0 or 1");
  d.hasBattle = true;
  inBattle_ = true;
}

void YQuestSaver::ReadTile() {
  if (!inBattle_) return Refuse("a tile outside the battle");
  if (data_->tiles.size() >= kMaxTiles) return Refuse("more tiles than a layout holds");
  data_->tiles.push_back({static_cast<std::uint32_t>(GetAttr(kTile, kTileId).AsInt()),
                          GetAttr(kTile, kTileX).AsInt(), GetAttr(kTile, kTileY).AsInt(),
                          GetAttr(kTile, kTileZ).AsInt()});
}

// ---- Closing tags ---------------------------------------------------------

void YQuestSaver::OnTagClose(int tagId) {
  if (refused_ || closed_ || summary_) return;
  switch (tagId) {
    case kMonster:
      return EndMonster();
    case kHero:
      return EndHero();
    case kDesk:
    case kShop:
      section_ = Section::kBetween;
      return;
    case kBattle:
      inBattle_ = false;
      return;
    case kGame:
      closed_ = section_ != Section::kStart;
      return;
    default:
      return;
  }
}

// A monster read without an "evol" never joined anything.
void YQuestSaver::EndMonster() {
  if (current_ != nullptr) SetCapsToBase(*current_);
  monster_.reset();
  current_ = nullptr;
  inMonster_ = false;
}

void YQuestSaver::EndHero() {
  if (section_ != Section::kHero) return;
  if (inMonster_) EndMonster();
  YPlayerHero& hero = *data_->hero;
  SetCapsToBase(hero);
  hero.shownMana = {};
  hero.shownHealth = 0;
  hero.shownExperience = hero.experience;
  section_ = Section::kBetween;
}

// ---- Summary mode ---------------------------------------------------------

// One summary per file, at the hero's own "evol"; nothing after it counts.
void YQuestSaver::SummaryTag(int tagId) {
  if (info_) return;
  if (tagId == kGame && section_ == Section::kStart) {
    section_ = Section::kGame;
    return;
  }
  if (section_ == Section::kStart) return;
  if (tagId == kHero) {
    section_ = Section::kHero;
    inMonster_ = false;
  } else if (tagId == kMonster) {
    inMonster_ = true;
  }
  if (tagId != kEvol || section_ != Section::kHero || inMonster_) return;
  const auto hero = [this](int index) { return GetAttr(kHero, index).AsInt(); };
  SaveInfo info;
  info.name = HeroName();
  info.face = TextureNamed(GetAttr(kHero, kFace).value);
  info.level = std::max(0, GetAttr(kGame, kGameLevel).AsInt());
  info.experience = GetAttr(kEvol, kExperience).AsInt();
  info.gold = hero(kGold);
  info.difficulty = hero(kDifficulty);
  info.kill = hero(kKill);
  info.loss = hero(kLoss);
  info.defeat = hero(kDefeat);
  info.goldall = hero(kGoldAll);
  info.experienceall = hero(kExpAll);
  info.finished = GetAttr(kGame, kGameState).AsInt() == 3;
  info_ = std::move(info);
}
