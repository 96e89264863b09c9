#include "players/YTileDescrReader.h"

#include "players/TileTables.h"
#include "sound/SoundEntry.h"

namespace {

enum Tag { kTile, kSpell };
enum TileAttr { kTileId, kTileName, kCost, kTex, kTileDescr, kPriority, kTileSound };
enum SpellAttr { kSpellId, kSpellName, kSpellDescr, kLevel, kSpellSound };

SoundEntry* SoundNamed(const std::string& name) { return name.empty() ? nullptr : FindSound(name); }

}  // namespace

YTileDescrReader::YTileDescrReader(TileTables& tables) : tables_(tables) {
  AddTag(MakeTag("tile", {{"id", ""},
                          {"name", "noname"},
                          {"cost", "0"},
                          {"tex", "0"},
                          {"descr", ""},
                          {"priority", "50"},
                          {"sound", ""}}));
  AddTag(MakeTag("spell", {{"id", "0"}, {"name", ""}, {"descr", ""}, {"level", "0"}, {"sound", ""}}));
}

void YTileDescrReader::Read(std::string_view fileName) { ParseDataFile(fileName); }

void YTileDescrReader::OnTagOpen(int tagId) {
  if (tagId == kTile) ReadTile();
  if (tagId == kSpell) ReadSpell();
}

void YTileDescrReader::ReadTile() {
  const std::uint32_t id = GetAttr(kTile, kTileId).AsHex();
  const int index = tables_.FindKindIndex(id);
  std::vector<YTileKind>& kinds = tables_.Kinds();
  if (index < 0) kinds.emplace_back();
  YTileKind& kind = index < 0 ? kinds.back() : kinds[static_cast<std::size_t>(index)];
  kind.id = id;
  kind.name = GetAttr(kTile, kTileName).value;
  kind.cost = GetAttr(kTile, kCost).AsInt();
  kind.tex = GetAttr(kTile, kTex).AsInt();
  kind.descr = GetAttr(kTile, kTileDescr).value;
  kind.priority = GetAttr(kTile, kPriority).AsInt();
  kind.sound = SoundNamed(GetAttr(kTile, kTileSound).value);
}

void YTileDescrReader::ReadSpell() {
  const std::uint32_t key = GetAttr(kSpell, kSpellId).AsHex();
  YTileSpell* spell = tables_.FindSpell(key);
  if (spell == nullptr) spell = &tables_.AddSpell();
  spell->key = key;
  spell->first = tables_.FindKindIndex((key >> 8) & 0xFF);
  spell->second = tables_.FindKindIndex(key & 0xFF);
  spell->name = GetAttr(kSpell, kSpellName).value;
  spell->descr = GetAttr(kSpell, kSpellDescr).value;
  spell->level = GetAttr(kSpell, kLevel).AsInt();
  spell->sound = SoundNamed(GetAttr(kSpell, kSpellSound).value);
}
