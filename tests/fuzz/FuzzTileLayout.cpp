// Arbitrary bytes as a tile layout, in its text form and in its compiled
// form, both parsed in memory and loaded from files as a battle loads them
// (a text layout alone, compiled on the way; its compiled file; a compiled
// file beside a text one): a layout either is refused, leaving the board
// empty, or gives tiles inside the layout's space, none overlapping, that
// deal fresh and shuffle without fault. The target works in a scratch
// folder of its own: give it its corpus folders as whole paths.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "framework/MemoryInStream.h"
#include "tiles/DuelState.h"
#include "tiles/TileDeal.h"
#include "tiles/TileLayout.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

void Kinds(DuelState& state) {
  state.kinds.resize(42);
  for (std::size_t i = 0; i < state.kinds.size(); ++i) state.kinds[i].id = static_cast<std::uint32_t>(0x10 + i);
}

void Shuffle(DuelState& state) {
  state.shuffleSeed = static_cast<std::int32_t>(state.board.tiles.size());
  ShuffleStep(state, 0);
  for (YTile& t : state.board.tiles)
    if (t.number % 3 == 0) t.state = YTile::kRemoved;
  ShuffleStep(state, 0);
}

void Play(const std::vector<tile_layout::Corner>& corners) {
  if (corners.empty()) return;
  DuelState state;
  Kinds(state);
  for (const tile_layout::Corner& c : corners) state.board.AddTile(c.x, c.y, c.z);
  if (!state.board.BuildGrid()) std::abort();  // checked layouts always fit
  Shuffle(state);
}

// Loads layouts/fuzz.lay (through its compiled file when there is one) as
// a battle does and plays what it gives; the number of tiles loaded.
std::size_t LoadAndPlay() {
  DuelState state;
  Kinds(state);
  const bool loaded = tile_layout::LoadLayout("layouts\\fuzz.lay", state.board);
  if (loaded != !state.board.tiles.empty() || (loaded && state.board.tiles.size() < 2)) std::abort();
  if (loaded) Shuffle(state);
  return state.board.tiles.size();
}

void WriteFile(const char* path, const std::string& bytes) {
  fuzz::WriteBytes(path, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::error_code ec;
  std::filesystem::create_directories(fuzz::ScratchFolder() / "layouts", ec);
  std::filesystem::current_path(fuzz::ScratchFolder(), ec);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::string error;
  Play(tile_layout::ParseText(bytes, error));
  MemoryInStream in(bytes);
  Play(tile_layout::ReadCompiled(in, error));
  // The files: the text alone (compiled when usable), then what it
  // compiled to, which must give as many tiles, then the bytes as a compiled file beside the text.
  std::error_code ec;
  std::filesystem::remove("layouts/fuzz.lyt", ec);
  WriteFile("layouts/fuzz.lay", bytes);
  if (LoadAndPlay() != LoadAndPlay()) std::abort();  // the compiled file holds what the text did
  WriteFile("layouts/fuzz.lyt", bytes);
  LoadAndPlay();
  // The bytes as the corners of a well-formed text: each byte places a
  // corner at the cell its value steps to.
  std::string line(tile_layout::kLineLength, '0');
  std::size_t cell = 0;
  for (std::uint8_t byte : bytes) {
    cell = (cell + byte) % line.size();
    line[cell] = '1';
  }
  Play(tile_layout::ParseText("fuzz\n\n" + line, error));
  return 0;
}
