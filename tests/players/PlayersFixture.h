// A small catalogue of monsters, heroes, artifacts and tiles written to a
// temporary folder and loaded into the process-wide tables, and a user
// folder under the same temporary folder, for the players' tests.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "players/YPlayerHero.h"
#include "tests/support/TestSupport.h"

// A hero owned by a test, freed with its army.
struct HeroDeleter {
  void operator()(YPlayerHero* hero) const { YPlayerHero::DeleteWithArmy(hero); }
};
using Hero = std::unique_ptr<YPlayerHero, HeroDeleter>;

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
