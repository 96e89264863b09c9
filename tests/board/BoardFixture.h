// Shared set-up of the board tests: a temporary program folder as the
// working folder (desks, levels, the shipped unit meshes), a small monster
// catalogue with the breeding monsters, records and units made to measure,
// and recording stand-ins for the board's sounds, view and game mode.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "board/YTessor.h"
#include "board/YTessorBoard.h"
#include "board/YTessorSounds.h"
#include "board/YTessorView.h"
#include "players/YGameMaster.h"
#include "players/YPlayer.h"
#include "tests/support/TestSupport.h"

// How a made-to-measure record moves and what it holds.
struct UnitSpec {
  int moveKind = 0;  // 0 walk, 1 fly, 2 teleport
  int way = 1;       // 0 straight, 1 any direction
  int distance = 2;
  int health = 100;                         // base and current
  std::array<int, 4> mana{10, 10, 10, 10};  // base and current
};

// A plain record with the given values, maxima at the base values.
std::unique_ptr<YPlayer> MakeRecord(const UnitSpec& spec);
// A unit owning such a record, added to `board` and placed on (x, y).
YTessorUnit* AddUnit(YTessorBoard& board, int side, int x, int y, const UnitSpec& spec = {});
// A unit of a new catalogue monster (level `level`), owning its record, with
// its special drawn from the board's generator, placed on (x, y).
YTessorUnit* AddMonster(YTessorBoard& board, const char* id, int side, int x, int y, int level = 0);

// How big a random position is.
struct RandomPositionSpec {
  int minUnits = 3;  // tried per side; taken cells are skipped
  int maxUnits = 9;
  int maxDistance = 4;
};
// A random position: a random desk (walls, pits, power points, mutex cells),
// units of both sides, about a third of them monsters with specials
// (breeders and hydras) whose counters are about to run out; random clock,
// side to move and random state.
void RandomPosition(YTessorBoard& board, std::mt19937& rng, const RandomPositionSpec& spec);

// A desk text of nine rows, the first row y = 8.
std::string DeskText(const std::array<const char*, 9>& rows, const char* lineEnd = "\n");

class RecordingSounds : public YTessorSounds {
 public:
  struct Played {
    std::string name;
    YVector3 position;
    float volume;
  };
  void Play(std::string_view name, const YVector3& position, float volume) override {
    played.push_back({std::string(name), position, volume});
    names.emplace_back(name);
  }
  std::vector<Played> played;
  std::vector<std::string> names;
};

// Picks cells by rounding: a mouse position (x, y) is the cell (x, y).
class TestView : public YTessorView {
 public:
  bool PickCell(float mouseX, float mouseY, int& x, int& y) override;
  void LeaveCopy(const YTessorUnit&, const YVector3&, float lifetime, bool teleport) override {
    if (teleport) teleportLifetimes.push_back(lifetime);
  }
  std::vector<float> teleportLifetimes;
};

// A game mode that keeps the fights the board reports.
class TestMaster : public YGameMaster {
 public:
  void OnFight(YTessorUnit* attacker, YTessorUnit* defender) override {
    fights.push_back({attacker, defender});
  }
  std::vector<std::pair<YTessorUnit*, YTessorUnit*>> fights;
};

class BoardTest : public ::testing::Test {
 protected:
  BoardTest();
  ~BoardTest() override;

  // Writes a file under the temporary program folder ("desks/x.dsk").
  void WriteFile(const std::string& name, const std::string& text) const;
  // A desk file of one element everywhere, under desks/.
  void WritePlainDesk(const std::string& name, char cell = 'a') const;

  testing_support::ScopedTempDir dir;

 private:
  testing_support::ScopedCwd cwd_{dir.Path()};
};

extern const char* const kBoardMonsters;
