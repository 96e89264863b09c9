#include "players/YPlayerSaver.h"

#include <algorithm>
#include <sstream>
#include <utility>

#include "framework/OutFStream.h"
#include "players/MoveWords.h"
#include "players/PlayerRules.h"
#include "players/TileTables.h"
#include "players/YArtifactLoader.h"
#include "players/YPlayerHero.h"
#include "players/YPlayerMonster.h"
#include "render/YContainer.h"
#include "render/YTextureBase.h"

namespace {

enum Tag { kHero, kMonster, kEvol, kData, kArtifact, kSpell };
enum HeroAttr { kName, kFace, kMove, kWay, kDistance, kGold };
enum EvolAttr { kExperience, kPoints, kSlot };
enum DataAttr { kType, kAir, kFire, kEarth, kWater, kHealth };
enum ItemAttr { kId, kSelected };

constexpr std::size_t kActiveSpells = 5;

YTextureBase* TextureNamed(const std::string& name) {
  return name.empty() ? nullptr : YContainer<YTextureBase>::Get(name);
}

}  // namespace

YPlayerSaver::YPlayerSaver(YPlayerHero** target, bool summary)
    : DataFileReader({"Player loader error, %s, line: %d", false, true}), target_(target), summaryMode_(summary) {
  SetWriteAll(true);
  AddTag(MakeTag("hero", {{"name", "player"},
                          {"face", ""},
                          {"move", "walk"},
                          {"way", "any"},
                          {"distance", "2"},
                          {"gold", "0"}}));
  AddTag(MakeTag("monster", {{"id", ""}}));
  AddTag(MakeTag("evol", {{"experience", "0"}, {"points", "0"}, {"slot", "0"}}));
  AddTag(MakeTag("data", {{"type", ""}, {"air", "0"}, {"fire", "0"}, {"earth", "0"}, {"water", "0"}, {"health", ""}}));
  AddTag(MakeTag("artifact", {{"id", ""}, {"selected", "0"}}));
  AddTag(MakeTag("spell", {{"id", "0"}, {"selected", "0"}}));
}

YPlayerSaver::~YPlayerSaver() {
  FreeOpenHero();
}

void YPlayerSaver::FreeOpenHero() {
  monster_ = nullptr;
  unplaced_.reset();
  YPlayerHero::DeleteWithArmy(hero_);
  hero_ = nullptr;
}

void YPlayerSaver::Reset() {
  FreeOpenHero();
  heroOpen_ = false;
  heroDone_ = false;
  refused_ = false;
  inMonster_ = false;
  monsterCount_ = 0;
  experience_ = 0;
  experienceRead_ = false;
  summary_.reset();
}

void YPlayerSaver::Load(std::string_view fileName) {
  Reset();
  ParseDataFile(fileName);
  FinishRead();
}

void YPlayerSaver::LoadText(const std::string& text, std::string_view name) {
  Reset();
  std::istringstream in(text);
  ParseNamedStream(in, name);
  FinishRead();
}

// A hero record cut short has its values unset and part of its army
// missing: it is refused, by both reads alike, so that nothing saves it.
void YPlayerSaver::FinishRead() {
  if (heroOpen_ && !refused_) OnError("The hero element does not close.");
  heroOpen_ = false;
  FreeOpenHero();
}

// A record the reader cannot take whole (its elements nested in a way the
// writer never writes) is refused as a cut one is: reading it would drop
// what it holds, and saving it back would lose that for good.
void YPlayerSaver::Refuse(const std::string& why) {
  OnError(why);
  refused_ = true;
}

// Only the first hero record that closes is read, in both modes.
void YPlayerSaver::OnTagOpen(int tagId) {
  if (heroDone_ || refused_) return;
  if (heroOpen_ && tagId == kHero) return Refuse("A hero element inside the hero.");
  if (inMonster_ && tagId == kMonster) return Refuse("A monster element inside a monster.");
  if (tagId == kHero) heroOpen_ = true;
  if (tagId == kMonster && heroOpen_) inMonster_ = true;
  if (summaryMode_) return OpenSummary(tagId);
  if (tagId == kHero) return ReadHero();
  if (hero_ == nullptr) return;  // nothing belongs to a hero before one is read
  switch (tagId) {
    case kMonster: return ReadMonster();
    case kEvol: return ReadEvol();
    case kData: return ReadData();
    case kArtifact: return ReadArtifact();
    case kSpell: return ReadSpell();
    default: return;
  }
}

void YPlayerSaver::OnTagClose(int tagId) {
  if (heroDone_ || refused_) return;
  if (tagId == kHero && heroOpen_) {
    heroOpen_ = false;
    heroDone_ = true;
  }
  if (summaryMode_) {
    if (tagId == kMonster) inMonster_ = false;
    return CloseSummary(tagId);
  }
  if (hero_ == nullptr) return;
  if (tagId == kMonster) EndMonster();
  if (tagId == kHero) EndHero();
}

// A name longer than the name boxes take (a file edited by hand) is cut
// to their length, so that no list or dialog draws more.
std::string YPlayerSaver::HeroName() {
  const Attr& given = GetAttr(kHero, kName);
  std::string name = given.value;
  if (CutHeroName(name)) LogValueNotice(HeroNameCutNotice(), given);
  return name;
}

// ---- Summary mode ------------------------------------------------------

void YPlayerSaver::OpenSummary(int tagId) {
  if (tagId == kHero) {
    monsterCount_ = 0;
    experience_ = 0;
    experienceRead_ = false;
  } else if (tagId == kMonster) {
    ++monsterCount_;
  } else if (tagId == kEvol && monsterCount_ == 0 && !experienceRead_) {
    experience_ = GetAttr(kEvol, kExperience).AsInt();
    experienceRead_ = true;
  }
}

// One summary per file: the first hero that closes.
void YPlayerSaver::CloseSummary(int tagId) {
  if (tagId != kHero || !heroDone_) return;
  ProfileInfo info;
  info.name = HeroName();
  info.face = TextureNamed(GetAttr(kHero, kFace).value);
  info.level = HeroLevelForExperience(experience_);
  info.monsters = monsterCount_;
  summary_ = std::move(info);
}

// ---- Full read ---------------------------------------------------------

// The hero is the reader's own until its element closes.
void YPlayerSaver::ReadHero() {
  if (target_ == nullptr) return;
  hero_ = new YPlayerHero();
  const auto attr = [this](int index) -> const Attr& { return GetAttr(kHero, index); };
  hero_->name = HeroName();
  hero_->face = TextureNamed(attr(kFace).value);
  hero_->moveKind = ParseMoveKind(attr(kMove).value);
  hero_->way = ParseWay(attr(kWay).value);
  hero_->distance = attr(kDistance).AsInt();
  hero_->gold = attr(kGold).AsInt();
  hero_->strength = 1.0f;
  monsterCount_ = 0;
}

// A monster whose id the catalogue lacks is logged and left out, and its
// elements are skipped rather than given to the hero.
void YPlayerSaver::ReadMonster() {
  unplaced_ = YPlayerMonster::MakeOfType(GetAttr(kMonster, kId).value);
  monster_ = unplaced_.get();
  inMonster_ = true;
  ++monsterCount_;
}

void YPlayerSaver::ReadEvol() {
  const auto attr = [this](int index) -> const Attr& { return GetAttr(kEvol, index); };
  const int slot = std::clamp(attr(kSlot).AsInt(), 0, kArmySlots - 1);
  if (!inMonster_) {
    hero_->experience = attr(kExperience).AsInt();
    hero_->level = HeroLevelForExperience(hero_->experience);
    hero_->points = attr(kPoints).AsInt();
    PlaceHero(slot);
    return;
  }
  if (monster_ == nullptr) return;
  monster_->Init(attr(kExperience).AsInt(), attr(kPoints).AsInt(), false, 1.0f);
  PlaceMonster(slot);
}

void YPlayerSaver::ReadData() {
  const std::string& type = GetAttr(kData, kType).value;
  std::array<std::int32_t, 5> values{};
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = GetAttr(kData, kAir + static_cast<int>(i)).AsInt();
  if (inMonster_) {
    if (monster_ == nullptr || type != "self") return;
    std::copy_n(values.begin(), 4, monster_->baseMana.begin());
    monster_->baseHealth = values[4];
  } else if (type == "self") {
    std::copy_n(values.begin(), 4, hero_->baseMana.begin());
    hero_->baseHealth = values[4];
  } else if (type == "start") {
    hero_->startValues = values;
  } else if (type == "skill") {
    hero_->skillCosts = values;
  }
}

void YPlayerSaver::ReadArtifact() {
  const YArtifact* artifact = YArtifactLoader::FindArtifact(GetAttr(kArtifact, kId).value);
  if (artifact == nullptr || hero_->HasArtifact(artifact)) return;
  if (hero_->artifact == nullptr && GetAttr(kArtifact, kSelected).AsBool())
    hero_->artifact = artifact;
  else
    hero_->artifacts.push_back(artifact);
}

void YPlayerSaver::ReadSpell() {
  YTileSpell* spell = GetTileTables().FindSpell(GetAttr(kSpell, kId).AsHex());
  if (spell == nullptr || hero_->KnowsSpell(spell)) return;
  if (hero_->spells.size() < kActiveSpells && GetAttr(kSpell, kSelected).AsBool())
    hero_->spells.push_back(spell);
  else
    hero_->spareSpells.push_back(spell);
}

void YPlayerSaver::EndMonster() {
  if (monster_ != nullptr) SetCapsToBase(*monster_);
  unplaced_.reset();  // a monster without an "evol" never joined the army
  monster_ = nullptr;
  inMonster_ = false;
}

// The whole hero takes the target's place, freeing the hero there.
void YPlayerSaver::EndHero() {
  if (inMonster_) EndMonster();
  SetCapsToBase(*hero_);
  hero_->mana = hero_->baseMana;
  hero_->health = hero_->baseHealth;
  hero_->shownMana = {};
  hero_->shownHealth = 0;
  hero_->shownExperience = hero_->experience;
  YPlayerHero::DeleteWithArmy(*target_);
  *target_ = std::exchange(hero_, nullptr);
}

void YPlayerSaver::FreeSlot(int slot) {
  YPlayer*& record = hero_->slots[static_cast<std::size_t>(slot)];
  if (record == nullptr || record == hero_) return;
  record->FreeLists();
  delete record;
  record = nullptr;
}

void YPlayerSaver::PlaceHero(int slot) {
  FreeSlot(slot);
  hero_->slots[static_cast<std::size_t>(slot)] = hero_;
}

// A monster replaces a monster in its slot, never the hero: then it takes
// the first free slot, and is left out when the army is full. A monster
// placed twice moves to its last slot.
void YPlayerSaver::PlaceMonster(int slot) {
  if (!unplaced_) {
    for (YPlayer*& record : hero_->slots) {
      if (record == monster_) record = nullptr;
    }
    unplaced_.reset(monster_);
  }
  if (hero_->slots[static_cast<std::size_t>(slot)] == hero_) slot = hero_->FirstFreeSlot();
  if (slot < 0) {
    unplaced_.reset();
    monster_ = nullptr;
    return;
  }
  FreeSlot(slot);
  hero_->slots[static_cast<std::size_t>(slot)] = unplaced_.release();  // the hero owns it now
}

// ---- Writing -----------------------------------------------------------

namespace {

class ProfileWriter {
 public:
  ProfileWriter(XMLParser& parser, std::ostream& out) : parser_(parser), out_(out) {}

  void Open(int tagId, std::initializer_list<std::string> values) {
    XMLParser::Tag& tag = parser_.GetTag(tagId);
    std::size_t i = 0;
    for (const std::string& value : values) tag.attrs.at(i++).value = value;
    parser_.WriteOpenTag(out_, tagId);
    out_ << '\n';
  }
  void Close(int tagId) {
    parser_.WriteCloseTag(out_, tagId);
    out_ << '\n';
  }
  void Values(const char* type, const std::array<std::int32_t, 5>& v) {
    Open(kData, {type, Int(v[0]), Int(v[1]), Int(v[2]), Int(v[3]), Int(v[4])});
  }
  void Evol(const YPlayer& record, int slot) {
    Open(kEvol, {Int(record.experience), Int(record.points), Int(slot)});
  }
  void Item(int tagId, const std::string& id, bool selected) { Open(tagId, {id, selected ? "1" : "0"}); }

  static std::string Int(std::int64_t value) { return std::to_string(value); }
  static std::string Hex(std::uint32_t value) {
    std::ostringstream text;
    text << std::hex << value;
    return text.str();
  }
  static std::array<std::int32_t, 5> Self(const YPlayer& record) {
    return {record.baseMana[0], record.baseMana[1], record.baseMana[2], record.baseMana[3], record.baseHealth};
  }

 private:
  XMLParser& parser_;
  std::ostream& out_;
};

void WriteHeroItems(ProfileWriter& writer, const YPlayerHero& hero) {
  if (hero.artifact != nullptr) writer.Item(kArtifact, hero.artifact->id, true);
  for (const YArtifact* artifact : hero.artifacts) writer.Item(kArtifact, artifact->id, false);
  for (const YTileSpell* spell : hero.spells) writer.Item(kSpell, ProfileWriter::Hex(spell->key), true);
  for (const YTileSpell* spell : hero.spareSpells) writer.Item(kSpell, ProfileWriter::Hex(spell->key), false);
}

void WriteArmy(ProfileWriter& writer, const YPlayerHero& hero) {
  for (int slot = 0; slot < kArmySlots; ++slot) {
    const YPlayerMonster* monster = hero.SlotMonster(slot);
    if (monster == nullptr) continue;
    writer.Open(kMonster, {monster->typeId});
    writer.Evol(*monster, slot);
    writer.Values("self", ProfileWriter::Self(*monster));
    writer.Close(kMonster);
  }
}

}  // namespace

std::string YPlayerSaver::ProfileText() {
  const YPlayerHero* hero = target_ != nullptr ? *target_ : nullptr;
  if (hero == nullptr) return {};
  std::ostringstream out;
  ProfileWriter writer(*this, out);
  using W = ProfileWriter;
  writer.Open(kHero, {hero->name, hero->face != nullptr ? hero->face->name() : std::string(),
                      MoveKindName(hero->moveKind), WayName(hero->way), W::Int(hero->distance), W::Int(hero->gold)});
  for (int slot = 0; slot < kArmySlots; ++slot) {
    if (hero->slots[static_cast<std::size_t>(slot)] == hero) writer.Evol(*hero, slot);
  }
  writer.Values("start", hero->startValues);
  writer.Values("self", W::Self(*hero));
  writer.Values("skill", hero->skillCosts);
  WriteHeroItems(writer, *hero);
  WriteArmy(writer, *hero);
  writer.Close(kHero);
  return out.str();
}

bool YPlayerSaver::Save(std::string_view fileName) {
  if (target_ == nullptr || *target_ == nullptr) return false;
  const std::string text = ProfileText();
  OutFStream out(fileName, true);
  out.Write(text.data(), text.size());
  return out.Close();
}
