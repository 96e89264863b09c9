#include "board/YTessorLevelLoader.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <limits>

#include "board/BoardRandom.h"
#include "board/YTessor.h"
#include "framework/Log.h"
#include "platform/Random.h"
#include "players/PlayerRules.h"
#include "players/YPlayerMonster.h"

namespace {

enum Tag { kDesk, kMonster, kBonus };
enum MonsterAttr { kId, kLevel, kPosition };

constexpr int kRandomTries = 200;

struct Square {
  int x;
  int y;
};

// Side 1's start squares for "ordinal" placement, from the middle of its
// edge row outwards, each pair of edge squares followed by those in front.
constexpr std::array<Square, 18> kOrdinalSquares = {{{4, 8},
                                                     {3, 8},
                                                     {5, 8},
                                                     {4, 7},
                                                     {2, 8},
                                                     {6, 8},
                                                     {3, 7},
                                                     {5, 7},
                                                     {1, 8},
                                                     {7, 8},
                                                     {2, 7},
                                                     {6, 7},
                                                     {0, 8},
                                                     {8, 8},
                                                     {1, 7},
                                                     {7, 7},
                                                     {0, 7},
                                                     {8, 7}}};

// Reads a decimal integer as "%d" does (blanks, a sign, at least one digit),
// held to the int range. False, with `p` unmoved, when there is none.
bool ScanInt(const char*& p, std::int64_t& out) {
  const char* q = p;
  while (std::isspace(static_cast<unsigned char>(*q))) ++q;
  const bool negative = *q == '-';
  if (*q == '+' || *q == '-') ++q;
  if (!std::isdigit(static_cast<unsigned char>(*q))) return false;
  std::int64_t value = 0;
  for (; std::isdigit(static_cast<unsigned char>(*q)); ++q) {
    value = std::min<std::int64_t>(value * 10 + (*q - '0'), std::int64_t{1} << 32);
  }
  out = SaturatedInt32(negative ? -value : value);
  p = q;
  return true;
}

}  // namespace

bool YTessorLevelLoader::Load(YTessor& tessor, std::string_view fileName, std::int32_t levelNumber,
                              std::int32_t baseLevel, bool deskAndBonusOnly) {
  tessor.SetLevelBonus(std::string(), 0);
  tessor.levelNumber = levelNumber;
  if (!deskAndBonusOnly) tessor.ClearBoard();
  YTessorLevelLoader loader(tessor, baseLevel, deskAndBonusOnly);
  return loader.ParseDataFile(fileName) && loader.ErrorCount() == 0;
}

YTessorLevelLoader::YTessorLevelLoader(YTessor& tessor, std::int32_t baseLevel, bool deskAndBonusOnly)
    : DataFileReader({"Level load error, %s, file: %s, line: %d", true}),
      tessor_(tessor),
      baseLevel_(baseLevel),
      deskAndBonusOnly_(deskAndBonusOnly) {
  AddTag(MakeTag("desk", {{"name", "base.dsk"}}));
  AddTag(MakeTag("monster", {{"id", ""}, {"level", "1"}, {"position", "ordinal"}}));
  AddTag(MakeTag("bonus", {{"artifact", ""}, {"spell", ""}}));
}

std::int32_t YTessorLevelLoader::ParseLevel(std::string_view text, std::int32_t baseLevel) {
  const std::string owned(text);
  const char* p = owned.c_str();
  int sign = 0;
  if (*p == '+' || *p == '-') sign = *p++ == '+' ? 1 : -1;
  std::int64_t low = 0;
  std::int64_t high = 0;
  if (ScanInt(p, low) && *p == '-') {
    ++p;
    ScanInt(p, high);
  }
  std::int64_t level = low;
  if (low < high) level = low + platform::Random() % (high - low + 1);
  if (sign != 0) level = level * sign + baseLevel;
  return level < 1 ? 0 : SaturatedInt32(level);
}

void YTessorLevelLoader::OnTagOpen(int tagId) {
  switch (tagId) {
    case kDesk:
      ReadDesk();
      break;
    case kMonster:
      ReadMonster();
      break;
    case kBonus:
      ReadBonus();
      break;
    default:
      break;
  }
}

void YTessorLevelLoader::ReadDesk() {
  tessor_.LoadDesk("desks\\" + GetAttr(kDesk, 0).value);
  deskLoaded_ = true;
}

void YTessorLevelLoader::ReadBonus() {
  tessor_.SetLevelBonus(GetAttr(kBonus, 0).value, GetAttr(kBonus, 1).AsHex());
}

void YTessorLevelLoader::ReadMonster() {
  if (!deskLoaded_) {
    tessor_.LoadDesk("desks\\base.dsk");
    deskLoaded_ = true;
  }
  if (deskAndBonusOnly_) return;  // the units come from elsewhere (a save)
  const std::string id = GetAttr(kMonster, kId).value;
  const std::int32_t level = ParseLevel(GetAttr(kMonster, kLevel).value, baseLevel_);
  // An id the catalogue lacks is logged there; the level goes on without it.
  std::unique_ptr<YPlayerMonster> record = YPlayerMonster::MakeAtLevel(id, level, 1.0f);
  if (record == nullptr) return;
  ThreadRandom random;
  YTessorUnit* unit = tessor_.AddOwnedMonsterUnit(std::move(record), 1, random);
  if (unit != nullptr) Place(unit, id, GetAttr(kMonster, kPosition).value);
}

void YTessorLevelLoader::Place(YTessorUnit* unit, const std::string& id, const std::string& position) {
  bool placed = false;
  if (position == "ordinal") {
    placed = PlaceOrdinal(unit, id);
  } else if (position == "random") {
    placed = PlaceRandom(unit, id);
  } else {
    placed = PlaceAt(unit, id, position);
  }
  // A monster without a square would stand nowhere; it leaves the level.
  if (!placed) tessor_.Board().DeleteUnit(unit, true);
}

bool YTessorLevelLoader::PlaceOrdinal(YTessorUnit* unit, const std::string& id) {
  while (nextOrdinal_ < static_cast<std::int32_t>(kOrdinalSquares.size())) {
    const Square square = kOrdinalSquares[static_cast<std::size_t>(nextOrdinal_++)];
    if (tessor_.IsCellFree(unit, square.x, square.y)) return true;
  }
  Log::Printf("Can not init ordinal unit pos, id=%s", id.c_str());
  return false;
}

bool YTessorLevelLoader::PlaceRandom(YTessorUnit* unit, const std::string& id) {
  for (int attempt = 0; attempt < kRandomTries; ++attempt) {
    const int y = 5 + (platform::Random() & 3);
    const int x = platform::Random() % kBoardSize;
    if (tessor_.IsCellFree(unit, x, y)) return true;
  }
  Log::Printf("Can not init unit pos, id=%s", id.c_str());
  return false;
}

bool YTessorLevelLoader::PlaceAt(YTessorUnit* unit, const std::string& id, const std::string& position) {
  std::int64_t x = -1;
  std::int64_t y = -1;
  const char* p = position.c_str();
  if (*p == '[') {
    ++p;
    if (ScanInt(p, x) && *p == ',') {
      ++p;
      ScanInt(p, y);
    }
  }
  if (x < 0 || x >= kBoardSize || y < 0 || y >= kBoardSize) {
    Log::Printf("Can not init unit pos[%d, %d], id=%s", static_cast<int>(x), static_cast<int>(y), id.c_str());
    return false;
  }
  if (tessor_.IsCellFree(unit, static_cast<int>(x), static_cast<int>(y))) return true;
  return PlaceOrdinal(unit, id);
}
