// The reader of the hero file ("heroes.yml" of the interface language) into
// the race table. Each construction empties the table and reads it anew.
// Mark-up errors are skipped silently. Main thread only.
#pragma once

#include <string_view>
#include <vector>

#include "framework/DataFileReader.h"
#include "players/YHeroRace.h"

class YHeroReader : public DataFileReader {
 public:
  // Declares the schema, empties the race table, then reads the file (a
  // missing file is logged and leaves the table empty).
  explicit YHeroReader(std::string_view fileName);

 protected:
  void OnTagOpen(int tagId) override;
  void OnTagClose(int tagId) override;

 private:
  void ReadRace();
  void ReadHero();

  int currentRace_ = -1;
  YHeroType* current_ = nullptr;
};

// The races in the order their names were first met; an index is the race
// number CreateHero takes.
std::vector<YHeroRace>& HeroRaces();
