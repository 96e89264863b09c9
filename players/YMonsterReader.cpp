#include "players/YMonsterReader.h"

#include "players/MoveWords.h"
#include "players/YMonsterType.h"

namespace {

enum Tag { kMonster, kData, kLevel, kArtifact, kSpell, kLayout };
enum MonsterAttr { kId, kName, kFace, kStartLevel, kMaxLevel, kMove, kWay, kDistance, kBoss, kSpecial };
enum DataAttr { kType, kAir, kFire, kEarth, kWater, kHealth };

}  // namespace

YMonsterReader::YMonsterReader() {
  AddTag(MakeTag("monster", {{"id", ""},
                             {"name", "MonsterName"},
                             {"face", ".jpg"},
                             {"startLevel", "1"},
                             {"maxlevel", "100000"},
                             {"move", "walk"},
                             {"way", "any"},
                             {"distance", "2"},
                             {"boss", "0"},
                             {"special", ""}}));
  AddTag(MakeTag("data", {{"type", "start"}, {"air", "10"}, {"fire", "10"}, {"earth", "10"}, {"water", "10"},
                          {"health", "20"}}));
  AddTag(MakeTag("level", {{"number", "1"}}));
  AddTag(MakeTag("artifact", {{"id", "0"}}));
  AddTag(MakeTag("spell", {{"id", "0"}}));
  AddTag(MakeTag("layout", {{"name", ""}}));
}

void YMonsterReader::Load(std::string_view fileName) {
  current_ = nullptr;
  currentLevel_ = -1;
  seenThisLoad_.clear();
  ParseDataFile(fileName);
  current_ = nullptr;
}

void YMonsterReader::OnTagOpen(int tagId) {
  if (tagId == kMonster) {
    ReadMonster();
    return;
  }
  if (current_ == nullptr) return;
  switch (tagId) {
    case kData:
      ReadData();
      break;
    case kLevel:
      currentLevel_ = GetAttr(kLevel, 0).AsInt();
      break;
    case kArtifact:
      if (currentLevel_ >= 0) current_->artifactsByLevel.push_back({currentLevel_, GetAttr(kArtifact, 0).value});
      break;
    case kSpell:
      if (currentLevel_ >= 0) current_->spellsByLevel.push_back({currentLevel_, GetAttr(kSpell, 0).AsHex()});
      break;
    case kLayout:
      current_->layouts.push_back(GetAttr(kLayout, 0).value);
      break;
    default:
      break;
  }
}

void YMonsterReader::OnTagClose(int tagId) {
  if (tagId == kMonster) current_ = nullptr;
  if (tagId == kLevel) currentLevel_ = -1;
}

// The first element of an id in this load starts its lists afresh, so a
// second load does not append every list again; later elements of the same
// id in the same file add to them.
void YMonsterReader::ReadMonster() {
  const auto attr = [this](int index) -> const Attr& { return GetAttr(kMonster, index); };
  current_ = FindOrAddMonsterType(attr(kId).value);
  if (seenThisLoad_.insert(current_->id).second) {
    current_->artifactsByLevel.clear();
    current_->spellsByLevel.clear();
    current_->layouts.clear();
  }
  current_->name = attr(kName).value;
  current_->face = attr(kFace).value;
  current_->startLevel = attr(kStartLevel).AsInt();
  current_->maxLevel = attr(kMaxLevel).AsInt();
  current_->moveKind = ParseMoveKind(attr(kMove).value);
  current_->way = ParseWay(attr(kWay).value);
  current_->distance = attr(kDistance).AsInt();
  current_->boss = attr(kBoss).AsBool();
}

void YMonsterReader::ReadData() {
  const std::string& type = GetAttr(kData, kType).value;
  std::array<std::int32_t, 5>* target = type == "start" ? &current_->start : type == "skill" ? &current_->skill : nullptr;
  if (target == nullptr) return;
  for (int i = 0; i < 5; ++i) (*target)[static_cast<std::size_t>(i)] = GetAttr(kData, kAir + i).AsInt();
}
