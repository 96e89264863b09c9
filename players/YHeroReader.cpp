#include "players/YHeroReader.h"

#include "players/MoveWords.h"

namespace {

enum Tag { kRace, kHero, kData, kArtifact, kSpell };
enum HeroAttr { kGender, kFace, kMove, kWay, kDistance, kGold };
enum DataAttr { kType, kAir };

}  // namespace

std::vector<YHeroRace>& HeroRaces() {
  static std::vector<YHeroRace> races;
  return races;
}

YHeroReader::YHeroReader(std::string_view fileName) {
  AddTag(MakeTag("race", {{"name", ""}}));
  AddTag(MakeTag("hero", {{"gender", "male"},
                          {"face", ".jpg"},
                          {"move", "walk"},
                          {"way", "any"},
                          {"distance", "2"},
                          {"gold", "100"}}));
  AddTag(MakeTag("data", {{"type", "start"}, {"air", "10"}, {"fire", "10"}, {"earth", "10"}, {"water", "10"},
                          {"health", "20"}}));
  AddTag(MakeTag("artifact", {{"id", ""}}));
  AddTag(MakeTag("spell", {{"id", "0"}}));
  HeroRaces().clear();
  ParseDataFile(fileName);
  current_ = nullptr;
}

void YHeroReader::OnTagOpen(int tagId) {
  if (tagId == kRace) return ReadRace();
  if (tagId == kHero) return ReadHero();
  if (current_ == nullptr) return;
  if (tagId == kData) {
    if (GetAttr(kData, kType).value != "start") return;
    for (int i = 0; i < 5; ++i) current_->start[static_cast<std::size_t>(i)] = GetAttr(kData, kAir + i).AsInt();
  } else if (tagId == kArtifact) {
    current_->artifactId = GetAttr(kArtifact, 0).value;
  } else if (tagId == kSpell) {
    current_->spellKeys.push_back(GetAttr(kSpell, 0).AsHex());
  }
}

void YHeroReader::OnTagClose(int tagId) {
  if (tagId == kRace) currentRace_ = -1;
  if (tagId == kHero) current_ = nullptr;
}

void YHeroReader::ReadRace() {
  const std::string& name = GetAttr(kRace, 0).value;
  std::vector<YHeroRace>& races = HeroRaces();
  for (std::size_t i = 0; i < races.size(); ++i) {
    if (races[i].name != name) continue;
    currentRace_ = static_cast<int>(i);
    return;
  }
  races.push_back(YHeroRace{name, nullptr, nullptr});
  currentRace_ = static_cast<int>(races.size() - 1);
}

// A second description of the same race and gender updates the first and
// starts its spells and artifact afresh; its start values stay until a new
// "data" element comes.
void YHeroReader::ReadHero() {
  if (currentRace_ < 0) throw XMLParseError("<hero> outside <race>");
  YHeroRace& race = HeroRaces()[static_cast<std::size_t>(currentRace_)];
  std::unique_ptr<YHeroType>& slot = GetAttr(kHero, kGender).value == "female" ? race.female : race.male;
  if (!slot) slot = std::make_unique<YHeroType>();
  current_ = slot.get();
  current_->spellKeys.clear();
  current_->artifactId.clear();
  current_->face = GetAttr(kHero, kFace).value;
  current_->moveKind = ParseMoveKind(GetAttr(kHero, kMove).value);
  current_->way = ParseWay(GetAttr(kHero, kWay).value);
  current_->distance = GetAttr(kHero, kDistance).AsInt();
  current_->gold = GetAttr(kHero, kGold).AsInt();
}
