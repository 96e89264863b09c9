#include "tests/board/BoardFixture.h"

#include <cmath>
#include <filesystem>

#include "players/YMonsterReader.h"
#include "players/YMonsterType.h"
#include "players/YPlayerMonster.h"

const char* const kBoardMonsters = R"(
<monster id="imp" startLevel="0" maxlevel="20" move="fly" way="any" distance="3">
  <data type="start" air="5" fire="8" earth="2" water="1" health="60"/></monster>
<monster id="golem" startLevel="0" maxlevel="20" move="walk" way="straight" distance="1">
  <data type="start" air="0" fire="2" earth="12" water="4" health="80"/></monster>
<monster id="lord" startLevel="0" maxlevel="50" boss="1">
  <data type="start" air="20" fire="20" earth="20" water="20" health="200"/></monster>
<monster id="sand_king" startLevel="0" maxlevel="60" distance="1" boss="1">
  <data type="start" air="8" fire="10" earth="20" water="8" health="110"/></monster>
<monster id="sand_larva" startLevel="0" maxlevel="20" distance="1">
  <data type="start" air="2" fire="3" earth="8" water="2" health="36"/></monster>
<monster id="bloodsucker" startLevel="0" maxlevel="25" move="fly" distance="3">
  <data type="start" air="10" fire="4" earth="5" water="3" health="38"/></monster>
<monster id="midworm" startLevel="0" maxlevel="30" distance="2">
  <data type="start" air="3" fire="5" earth="12" water="4" health="52"/></monster>
<monster id="grim_worm" startLevel="0" maxlevel="40" way="straight" distance="3">
  <data type="start" air="4" fire="8" earth="15" water="5" health="64"/></monster>
<monster id="hydra_body" startLevel="0" maxlevel="60" distance="1" boss="1">
  <data type="start" air="10" fire="8" earth="12" water="22" health="130"/></monster>
<monster id="hydra_air" startLevel="0" maxlevel="60" distance="1" boss="1">
  <data type="start" air="14" fire="4" earth="4" water="6" health="40"/></monster>
<monster id="hydra_fire" startLevel="0" maxlevel="60" distance="1" boss="1">
  <data type="start" air="4" fire="14" earth="4" water="6" health="41"/></monster>
<monster id="hydra_earth" startLevel="0" maxlevel="60" distance="1" boss="1">
  <data type="start" air="4" fire="4" earth="14" water="6" health="42"/></monster>
<monster id="hydra_water" startLevel="0" maxlevel="60" distance="1" boss="1">
  <data type="start" air="4" fire="4" earth="6" water="14" health="43"/></monster>
)";

std::unique_ptr<YPlayer> MakeRecord(const UnitSpec& spec) {
  auto record = std::make_unique<YPlayer>();
  record->moveKind = spec.moveKind;
  record->way = spec.way;
  record->distance = spec.distance;
  record->baseHealth = record->health = record->maxValues[5] = spec.health;
  for (std::size_t e = 0; e < 4; ++e) {
    record->baseMana[e] = record->mana[e] = record->maxValues[1 + e] = spec.mana[e];
  }
  return record;
}

YTessorUnit* AddUnit(YTessorBoard& board, int side, int x, int y, const UnitSpec& spec) {
  YTessorUnit* unit = board.AddUnit(MakeUnit(UnitClass::kPlain, MakeRecord(spec), side));
  return board.PlaceUnit(unit, x, y);
}

YTessorUnit* AddMonster(YTessorBoard& board, const char* id, int side, int x, int y, int level) {
  auto record = std::make_unique<YPlayerMonster>(id, level, 1.0f);
  const UnitClass unitClass = FindMonsterType(id)->boss ? UnitClass::kBoss : UnitClass::kPlain;
  YTessorUnit* unit = board.AddUnit(MakeUnit(unitClass, std::unique_ptr<YPlayer>(std::move(record)), side));
  unit->CreateSpecial(board, board.Random());
  return board.PlaceUnit(unit, x, y);
}

namespace {

const char* const kMonsterIds[] = {"sand_king",   "sand_larva", "hydra_body", "hydra_air",
                                   "hydra_earth", "imp",        "golem"};

void RandomDesk(YTessorBoard& board, std::mt19937& rng) {
  std::uniform_int_distribution<int> percent(0, 99);
  for (int y = 0; y < kBoardSize; ++y) {
    for (int x = 0; x < kBoardSize; ++x) {
      const int roll = percent(rng);
      std::uint32_t type = static_cast<std::uint32_t>(roll % 5);
      if (roll >= 90) type = roll >= 95 ? cell_kind::kWall : cell_kind::kPit;
      if (type < cell_kind::kWall && percent(rng) < 10) type |= cell_kind::kPowerPoint;
      board.SetCellType(x, y, type);
    }
  }
}

}  // namespace

void RandomPosition(YTessorBoard& board, std::mt19937& rng, const RandomPositionSpec& spec) {
  std::uniform_int_distribution<int> percent(0, 99);
  RandomDesk(board, rng);
  const unsigned spread = static_cast<unsigned>(spec.maxUnits - spec.minUnits + 1);
  for (int side = 0; side < 2; ++side) {
    const int count = spec.minUnits + static_cast<int>(rng() % spread);
    for (int i = 0; i < count; ++i) {
      const int x = static_cast<int>(rng() % 9);
      const int y = static_cast<int>(rng() % 9);
      if (board.Cell(x, y).occupant != nullptr || board.Cell(x, y).IsBlocked()) continue;
      YTessorUnit* unit;
      if (percent(rng) < 35) {
        unit = AddMonster(board, kMonsterIds[rng() % std::size(kMonsterIds)], side, x, y,
                          static_cast<int>(rng() % 4));
        unit->record->specialCounter = static_cast<int>(rng() % 3);
      } else {
        UnitSpec unitSpec;
        unitSpec.moveKind = static_cast<int>(rng() % 3);
        unitSpec.way = static_cast<int>(rng() % 2);
        unitSpec.distance = static_cast<int>(rng() % static_cast<unsigned>(spec.maxDistance + 1));
        unitSpec.health = 5 + static_cast<int>(rng() % 150);
        for (int& m : unitSpec.mana) m = static_cast<int>(rng() % 25);
        unit = AddUnit(board, side, x, y, unitSpec);
      }
      unit->record->health =
          1 + static_cast<int>(rng() % static_cast<unsigned>(unit->record->baseHealth + 20));
    }
  }
  board.clock = static_cast<float>(rng() % 12) * 0.083333336f;
  board.sideToMove = static_cast<int>(rng() % 2);
  board.Random().SetState(static_cast<std::uint32_t>(rng()));
  board.RefreshCellEffects();
}

std::string DeskText(const std::array<const char*, 9>& rows, const char* lineEnd) {
  std::string text;
  for (const char* row : rows) text += std::string(row) + lineEnd;
  return text;
}

bool TestView::PickCell(float mouseX, float mouseY, int& x, int& y) {
  x = static_cast<int>(std::lround(mouseX));
  y = static_cast<int>(std::lround(mouseY));
  return IsOnBoard(x, y);
}

BoardTest::BoardTest() {
  ClearMonsterTypes();
  WriteFile("monsters.yml", kBoardMonsters);
  YMonsterReader().Load(dir.File("monsters.yml"));
  std::filesystem::create_directories(dir.Path() / "desks");
  std::filesystem::create_directories(dir.Path() / "levels");
  // The process's mesh cache keeps the first load of each unit mesh, also a
  // failed one: whichever test draws a unit first finds the shipped meshes.
  const std::filesystem::path meshes = dir.Path() / "mesh";
  std::filesystem::create_directories(meshes);
  for (const char* name : {"piece.mes", "pieceboss.mes", "piecehero.mes"})
    std::filesystem::copy_file(std::filesystem::path(QV_GAME_DIR) / "mesh" / name, meshes / name);
}

BoardTest::~BoardTest() {
  ClearMonsterTypes();
}

void BoardTest::WriteFile(const std::string& name, const std::string& text) const {
  testing_support::WriteFile(dir.Path() / name, text);
}

void BoardTest::WritePlainDesk(const std::string& name, char cell) const {
  const std::string row(9, cell);
  const char* r = row.c_str();
  WriteFile("desks/" + name, DeskText({r, r, r, r, r, r, r, r, r}));
}
