// Desk files: nine text lines of nine cell characters, the first line the
// far row (y = 8), giving the kinds of the 81 cells.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

class YTessorBoard;

// The cell type of a desk character; nothing for a character not in the table.
std::optional<std::uint32_t> DeskCellType(char c);

// Reads `fileName` into the board's cell kinds (occupants untouched). A
// missing file or a line that is not nine characters long logs its line
// number and changes nothing; an unknown character logs its cell and stops,
// leaving the rows read before it; either is reported as a needed file that
// failed (FileAlerts). True when the whole desk was read.
bool LoadDeskFile(std::string_view fileName, YTessorBoard& board);
