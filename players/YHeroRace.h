// The hero catalogue's records: per race one description per gender, from
// which a new hero is built. The race table is replaced whole whenever the
// hero file is read; heroes copy what they need, so nothing points into it
// for long except the new-hero screen while it is shown.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct YHeroType {
  std::string face;  // portrait file under "textures\"
  std::array<std::int32_t, 5> start{};  // air, fire, earth, water, health
  std::int32_t moveKind = 0;
  std::int32_t way = 1;
  std::int32_t distance = 1;
  std::int32_t gold = 0;   // starting gold before the difficulty factor
  std::string artifactId;  // empty for none
  std::vector<std::uint32_t> spellKeys;  // in file order
};

struct YHeroRace {
  std::string name;
  std::unique_ptr<YHeroType> male;    // null while the file has not described it
  std::unique_ptr<YHeroType> female;
};
