// The reader of the tile file ("tiles.yml"): "tile" elements describe the
// kinds, "spell" elements the spells that pairs of kinds cast. Kinds must
// come before the spells that name them. Mark-up errors are skipped silently.
#pragma once

#include <string_view>

#include "framework/DataFileReader.h"

class TileTables;

class YTileDescrReader : public DataFileReader {
 public:
  explicit YTileDescrReader(TileTables& tables);

  // Reads the file into the tables; a missing file is logged and changes
  // nothing.
  void Read(std::string_view fileName);

 protected:
  void OnTagOpen(int tagId) override;

 private:
  void ReadTile();
  void ReadSpell();

  TileTables& tables_;
};
