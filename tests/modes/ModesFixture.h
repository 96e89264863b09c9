// Shared set-up of the game modes' tests: the shipped catalogues of the
// English interface read from the program folder (the working folder while
// a test runs), a user folder holding the seed profiles, a host that
// records what the modes show, and commander factories that put computers
// where users would sit.
#pragma once

#include <gtest/gtest.h>

#include "tests/modes/ComputerFactory.h"
#include "tests/modes/RecordingHost.h"
#include "tests/modes/ShippedCatalogues.h"

class ShippedGameTest : public ::testing::Test {
 private:
  ShippedCatalogues shipped_{QV_GAME_DIR};
};
