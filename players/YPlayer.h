// A player record: the values one fighter carries through the board and the
// duel. The base class serves plain records (the board computer's private
// copies); heroes and monsters add their own data and rules.
#pragma once

#include "players/YPlayerData.h"

class YPlayer : public YPlayerData {
 public:
  YPlayer() = default;
  YPlayer(const YPlayer&) = default;
  YPlayer& operator=(const YPlayer&) = default;
  // Virtual, so that a holder may delete a hero or monster through this type.
  virtual ~YPlayer() = default;

  // The face texture; null when there is none.
  virtual YTextureBase* GetFace();
  // Raises the level as far as the experience allows; true when it changed.
  virtual bool UpdateLevel();
  // The experience that defeating this record is worth.
  virtual std::int32_t ExperienceValue() const;

  // Lets go of the record's lists (name and spells; a hero also its
  // artifacts and spare spells). Called before a holder deletes the record.
  virtual void FreeLists();
};
