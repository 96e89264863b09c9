// Arbitrary bytes as a desk file and as a level file (which may name that
// desk, a shipped one or none), read into a board with the shipped monster
// catalogue. Every unit a level places stands on a square of the board
// that names it, no square names a unit that is not there, and the moves of
// both sides can be found. The target works in a scratch folder of its own:
// give it its corpus folders as whole paths.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "board/DeskFile.h"
#include "board/YTessor.h"
#include "board/YTessorLevelLoader.h"
#include "players/YMonsterReader.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

namespace fs = std::filesystem;

void CheckBoard(YTessorBoard& board) {
  int placed = 0;
  for (int side = 0; side < 2; ++side) {
    for (const YTessorUnit* unit : board.Units(side)) {
      if (!IsOnBoard(unit->x, unit->y) || board.Cell(unit->x, unit->y).occupant != unit) std::abort();
      ++placed;
    }
  }
  int named = 0;
  for (int i = 0; i < kCellCount; ++i)
    named += board.Cell(i % kBoardSize, i / kBoardSize).occupant != nullptr;
  if (named != placed) std::abort();
  std::vector<YTessorMove> moves;
  for (int side = 0; side < 2; ++side) board.GenerateMoves(side, moves);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  const fs::path& scratch = fuzz::ScratchFolder();
  std::error_code ec;
  fs::create_directories(scratch / "levels", ec);
  fs::copy(fs::path(QV_SOURCE_DIR) / "content" / "desks", scratch / "desks", fs::copy_options::recursive, ec);
  fs::current_path(scratch, ec);
  YMonsterReader().Load(std::string(QV_SOURCE_DIR) + "/content/ui/english/monsters.yml");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::WriteBytes("desks/fuzz.dsk", data, size);
  fuzz::WriteBytes("levels/fuzz.yml", data, size);
  YTessor tessor;
  LoadDeskFile("desks\\fuzz.dsk", tessor.Board());
  const std::int32_t base = size > 0 ? data[0] % 64 : 1;
  YTessorLevelLoader::Load(tessor, "levels\\fuzz.yml", 1, base, true);
  YTessorLevelLoader::Load(tessor, "levels\\fuzz.yml", 1, base, false);
  CheckBoard(tessor.Board());
  return 0;
}
