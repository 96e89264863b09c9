// A monster's player record: an army unit, a shop offer or an opponent made
// from a type of the monster catalogue. It keeps only the type's id and
// looks the type up whenever it needs it; a record whose id the catalogue
// lacks logs "Unknown monster id: %s" and keeps its values as they are.
// Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "players/YPlayer.h"

struct YMonsterType;

class YPlayerMonster : public YPlayer {
 public:
  // A monster of type `id` at the wanted level (held to the type's start
  // and maximum level), with random experience within that level and its
  // points spent at random.
  YPlayerMonster(std::string_view id, std::int32_t wantedLevel, float strength);
  // A record of type `id` with every value zero until Init or a copy fills it.
  explicit YPlayerMonster(std::string_view id);
  // A record at the type's start values: name, move values, base, current
  // and shown values; no artifact or spells.
  explicit YPlayerMonster(const YMonsterType& type);

  // The same constructors for callers that must go on without the monster
  // when its id is unknown: null (after the log line) in that case.
  static std::unique_ptr<YPlayerMonster> MakeAtLevel(std::string_view id, std::int32_t wantedLevel, float strength);
  static std::unique_ptr<YPlayerMonster> MakeOfType(std::string_view id);

  // Loads "textures\monsters\" + the type's face on the first call.
  YTextureBase* GetFace() override;
  bool UpdateLevel() override;
  std::int32_t ExperienceValue() const override;

  // The record's type; null (after the log line) when the catalogue lacks it.
  const YMonsterType* GetType() const;
  // Sets level, name, base values, move values, artifact and spells from
  // the type and the experience; with `distribute` the points are spent at
  // random. Current and shown values follow the base values; caps are left.
  void Init(std::int32_t experience, std::int32_t points, bool distribute, float strength);
  // The artifact and spells the type gives at this absolute level.
  void SetupForLevel(std::int32_t absoluteLevel);
  // The level (above the type's start level) that Init gives for the
  // record's experience; 0 when the type is unknown.
  std::int32_t LevelOfExperience() const;

  std::string typeId;
};

// A new record of the same type with the same values, artifact and spells.
std::unique_ptr<YPlayerMonster> CloneMonster(const YPlayerMonster& monster);
