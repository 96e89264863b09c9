// The artifact catalogue and its reader ("artifacts.yml" of the interface
// language). Loading again updates the records of ids met before, in place,
// and appends new ones, so pointers held by player records stay valid.
// Main thread only.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "framework/DataFileReader.h"
#include "players/YArtifact.h"

class YArtifactLoader : public DataFileReader {
 public:
  // Declares the schema and reads the file into the catalogue; a missing
  // file is logged and changes nothing. Mark-up errors are skipped silently.
  explicit YArtifactLoader(std::string_view fileName);

  // The record whose id equals `id` byte for byte; null when none.
  static YArtifact* FindArtifact(std::string_view id);

 protected:
  void OnTagOpen(int tagId) override;
};

// The catalogue in the order ids were first met.
const std::vector<std::unique_ptr<YArtifact>>& Artifacts();
// Empties the catalogue. Only where no record points at an artifact (tests).
void ClearArtifacts();
