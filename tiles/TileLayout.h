// Tile layouts: where the tiles of a battle stand. The text form (".lay")
// holds on its third line one character per cell of 5 layers of 20 rows of
// 34 columns, layer 0 first, each layer from row 19 down to row 0, each row
// from column 0 on; a '1' marks the top-left cell of a tile. The compiled
// form (".lyt", written beside the text the first time it is read) holds
// the tile count and each tile's x, y and layer as little-endian 32-bit
// values, shifted so that each axis starts at 1. Both are checked when read:
// at least two tiles, all inside the layout's space, none overlapping.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class DuelBoard;
class InStream;
class OutStream;

namespace tile_layout {

inline constexpr int kColumns = 34;
inline constexpr int kRows = 20;
inline constexpr int kLayers = 5;
inline constexpr std::size_t kLineLength = static_cast<std::size_t>(kColumns) * kRows * kLayers;
// The most tiles that fit without overlapping.
inline constexpr int kMaxTiles = (kColumns / 2) * (kRows / 2) * kLayers;
// Where a battle's layout comes from when the chosen one is unusable.
inline constexpr std::string_view kStandardPath = "layouts\\standard.lay";

struct Corner {
  std::int32_t x = 0, y = 0, z = 0;
  bool operator==(const Corner&) const = default;
};

// The corners of a text layout's contents, in text order; empty with a
// reason in `error` when its third line is not kLineLength characters
// long (a carriage return before a line feed belongs to the line end) or
// the tiles are unusable.
std::vector<Corner> ParseText(std::string_view contents, std::string& error);
// The third line for the corners: what ParseText reads back.
std::string LayoutLine(const std::vector<Corner>& corners);

// Reads a compiled layout; empty with a reason when it is short, long, or
// its tiles are unusable.
std::vector<Corner> ReadCompiled(InStream& in, std::string& error);
// Writes the board's tiles in compiled form.
void WriteCompiled(OutStream& out, const DuelBoard& board);

// Empty when the corners make a usable layout, else the reason.
std::string CheckCorners(const std::vector<Corner>& corners, bool compiled);

// "layouts\" + a name without a folder, "..", ":" or "/": what a battle may
// load (and beside which it may write the compiled file).
bool IsSafeLayoutPath(std::string_view path);
// The path without its last three characters, followed by "lyt".
std::string CompiledPath(std::string_view path);

// Loads a layout into the board (tiles set aside, grid built), through the
// compiled file when there is a good one. A text layout without a good
// compiled file is parsed and compiled. Logs what is wrong and returns
// false, leaving the board empty, when nothing usable is found.
bool LoadLayout(std::string_view path, DuelBoard& board);
// What a battle loads for `path`: the layout itself when its path is safe
// and it loads, else the standard layout (the refusal and the fallback are
// logged; a safe path that does not load is reported to FileAlerts, as is
// the standard layout). The path whose tiles the board then holds; empty,
// with the board empty, when neither is usable.
std::string LoadUsableLayout(std::string_view path, DuelBoard& board);

}  // namespace tile_layout
