// A small catalogue of monsters, heroes, artifacts and tiles written to a
// temporary folder and loaded into the process-wide tables, and a user
// folder under the same temporary folder, for the players' tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/support/TestSupport.h"

class PlayersTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Writes a file under the temporary folder and returns its path.
  std::string Write(const std::string& name, const std::string& text) const;
  // The user folder's "players" folder.
  std::string PlayersFolder() const;

  testing_support::ScopedTempDir dir;

 private:
  std::string oldAppData_;
};

// The fixture's texts, for tests that read them again.
extern const char* const kTestTiles;
extern const char* const kTestArtifacts;
extern const char* const kTestMonsters;
extern const char* const kTestHeroes;
