// Arbitrary bytes as a tile layout, in its text form and in its compiled
// form: a layout either is refused or gives tiles inside the layout's
// space, none overlapping, that deal fresh and shuffle without fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/MemoryInStream.h"
#include "tiles/DuelState.h"
#include "tiles/TileDeal.h"
#include "tiles/TileLayout.h"

namespace {

void Play(const std::vector<tile_layout::Corner>& corners) {
  if (corners.empty()) return;
  DuelState state;
  state.kinds.resize(42);
  for (std::size_t i = 0; i < state.kinds.size(); ++i) state.kinds[i].id = static_cast<std::uint32_t>(0x10 + i);
  for (const tile_layout::Corner& c : corners) state.board.AddTile(c.x, c.y, c.z);
  if (!state.board.BuildGrid()) std::abort();  // checked layouts always fit
  state.shuffleSeed = static_cast<std::int32_t>(corners.size());
  ShuffleStep(state, 0);
  for (YTile& t : state.board.tiles)
    if (t.number % 3 == 0) t.state = YTile::kRemoved;
  ShuffleStep(state, 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::string error;
  Play(tile_layout::ParseText(bytes, error));
  MemoryInStream in(bytes);
  Play(tile_layout::ReadCompiled(in, error));
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
