// The hero: the user's own side, one per profile or campaign. Adds the
// start and skill values, carried artifacts and spare spells, the 18 army
// slots, gold, difficulty, the campaign counters and the difficulty factor.
// Main thread only.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "players/PlayerRules.h"
#include "players/YPlayer.h"

class YPlayerMonster;

class YPlayerHero : public YPlayer {
 public:
  // Empty lists and slots, no artifact or face, walking straight 3 steps,
  // strength 1.0, every other value 0.
  YPlayerHero();
  // Frees the hero's own lists only. The slot monsters are not deleted here:
  // a board that holds the army deletes them one by one; whoever frees a
  // hero no board holds uses DeleteWithArmy.
  ~YPlayerHero() override;

  bool UpdateLevel() override;
  std::int32_t ExperienceValue() const override;
  void FreeLists() override;

  // Deletes the hero together with the monsters of its slots. Null does nothing.
  static void DeleteWithArmy(YPlayerHero* hero);

  // The catalogue artifact of this id becomes the one in use when there is
  // none, else joins `artifacts`; nothing when the hero has it already or
  // the catalogue has no such id.
  void AddArtifact(std::string_view id);
  // The spell of this key (either byte order) joins the active spells while
  // fewer than 5 are active, else the spare spells; nothing when the hero
  // knows it already or the spell table has no such key.
  void AddSpell(std::uint32_t key);
  // AddSpell for a spell record; false when it is null or already known.
  bool LearnSpell(YTileSpell* spell);
  bool KnowsSpell(const YTileSpell* spell) const;
  bool HasArtifact(const YArtifact* artifact) const;

  // Frees every slot monster (not the hero) whose health is below 1.
  void RemoveDeadMonsters();
  // The monster of an army slot, emptied, with `refund` added to the gold;
  // the caller owns it. Null (and no change) for an empty slot, the hero's
  // own slot or a number outside 0-17.
  YPlayerMonster* TakeFromSlot(int slot, std::int32_t refund);
  // Takes ownership of `monster` into the first free slot of the army order
  // and pays `price`. False without a change when the price exceeds the
  // gold, no slot is free or the monster is null.
  bool BuyIntoFreeSlot(YPlayerMonster* monster, std::int32_t price);
  // The first free slot of the army order; -1 when the army is full.
  int FirstFreeSlot() const;
  // The monster in a slot; null for an empty slot, the hero itself or a
  // number outside 0-17.
  YPlayerMonster* SlotMonster(int slot) const;
  // Health and element values of the hero and every slot monster back to
  // their base values.
  void RestoreAll();
  // What a unit costs this hero: UnitStrengthSum less trunc(strength x 50 -
  // 50); never below 0.
  std::int32_t ItemValue(const YPlayer& unit) const;
  // Half the ItemValue, truncated.
  std::int32_t SellValue(const YPlayer& unit) const;

  std::array<std::int32_t, 5> startValues{};  // air, fire, earth, water, health at creation
  std::array<std::int32_t, 5> skillCosts{};   // point price per element; health: the health divisor
  std::vector<const YArtifact*> artifacts;    // carried, not in use; the catalogue's
  std::vector<YTileSpell*> spareSpells;       // learnt beyond the five active ones
  std::array<YPlayer*, kArmySlots> slots{};   // null, an owned monster, or this hero
  std::int32_t gold = 0;
  std::int32_t difficulty = 0;  // campaign difficulty row; 0 for profile heroes
  std::int32_t fightsWon = 0;
  std::int32_t fightsLost = 0;
  std::int32_t levelsLost = 0;
  std::int32_t goldWon = 0;
  std::int32_t experienceWon = 0;  // the hall of fame's score
  float strength = 1.0f;           // the difficulty factor the hero was made with
};

// A new hero from the hero catalogue: race index, gender (0 male, 1 female),
// origin element (0-3), difficulty row and strength factor. Null when the
// race, gender or origin is outside the catalogue or the race has no
// description for that gender.
std::unique_ptr<YPlayerHero> CreateHero(std::string_view name, int race, int gender, int origin,
                                        std::int32_t difficulty, float strength);
