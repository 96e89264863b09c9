// The summary of one player profile that the profile lists show.
#pragma once

#include <cstdint>
#include <string>

class YTextureBase;

struct ProfileInfo {
  std::string name;               // the hero's name; the file name when unreadable
  YTextureBase* face = nullptr;   // the registry's; null without one
  std::int32_t level = 0;         // the hero's level
  std::int32_t monsters = 0;      // monsters in the army
  bool readable = true;           // false: the file gave no hero
};
