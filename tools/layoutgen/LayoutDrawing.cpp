#include "tools/layoutgen/LayoutDrawing.h"

#include <algorithm>
#include <array>

namespace {

using tile_layout::Corner;
using tile_layout::kColumns;
using tile_layout::kLayers;
using tile_layout::kRows;

using Layer = std::array<std::string, kRows>;  // drawn lines, top (row 19) first

std::string Where(int lineNumber, const std::string& what) { return "line " + std::to_string(lineNumber) + ": " + what; }

char CellAt(const Layer& layer, int x, int y) {
  if (x < 0 || x >= kColumns || y < 0 || y >= kRows) return '.';
  return layer[static_cast<std::size_t>(kRows - 1 - y)][static_cast<std::size_t>(x)];
}

// Every footprint whole, every '+' inside exactly one footprint.
bool CheckLayer(const Layer& layer, int z, std::vector<Corner>& corners, std::string& error) {
  std::array<std::array<int, kColumns + 1>, kRows + 1> cover{};
  for (int y = 0; y < kRows; ++y) {
    for (int x = 0; x < kColumns; ++x) {
      if (CellAt(layer, x, y) != 'o') continue;
      if (CellAt(layer, x + 1, y) != '+' || CellAt(layer, x, y + 1) != '+' || CellAt(layer, x + 1, y + 1) != '+') {
        error = "layer " + std::to_string(z) + ": the tile at column " + std::to_string(x) + ", row " +
                std::to_string(y) + " needs '+' to its right, above and above right";
        return false;
      }
      for (int dy = 0; dy < 2; ++dy)
        for (int dx = 0; dx < 2; ++dx) ++cover[static_cast<std::size_t>(y + dy)][static_cast<std::size_t>(x + dx)];
    }
  }
  for (int y = 0; y < kRows; ++y) {
    for (int x = 0; x < kColumns; ++x) {
      const int n = cover[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
      const char c = CellAt(layer, x, y);
      if (n > 1 || (n == 0 && c == '+')) {
        error = "layer " + std::to_string(z) + ": column " + std::to_string(x) + ", row " + std::to_string(y) +
                (n > 1 ? " lies under two tiles" : " is '+' outside every tile");
        return false;
      }
    }
  }
  for (int y = kRows - 1; y >= 0; --y)
    for (int x = 0; x < kColumns; ++x)
      if (CellAt(layer, x, y) == 'o') corners.push_back(Corner{x, y, z});
  return true;
}

}  // namespace

bool ParseLayoutDrawing(std::string_view text, LayoutDrawing& drawing, std::string& error) {
  std::array<Layer, kLayers> layers;
  for (Layer& layer : layers) layer.fill(std::string(kColumns, '.'));
  int current = -1, row = kRows, lineNumber = 0;
  while (!text.empty()) {
    ++lineNumber;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty() && line.front() == ';') {
      const std::size_t start = line.find_first_not_of("; ");
      if (drawing.title.empty() && start != std::string_view::npos) drawing.title = std::string(line.substr(start));
      continue;
    }
    if (line.empty()) continue;
    if (line.substr(0, 6) == "layer ") {
      const std::string_view number = line.substr(6);
      current = number.size() == 1 && number[0] >= '0' && number[0] < '0' + kLayers ? number[0] - '0' : -1;
      if (current < 0) {
        error = Where(lineNumber, "layers run from 0 to 4");
        return false;
      }
      row = 0;
      continue;
    }
    if (current < 0 || row >= kRows) {
      error = Where(lineNumber, "a cell line outside a layer's 20 lines");
      return false;
    }
    if (line.size() != kColumns || line.find_first_not_of(".o+") != std::string_view::npos) {
      error = Where(lineNumber, "a layer line holds 34 of '.', 'o' and '+'");
      return false;
    }
    layers[static_cast<std::size_t>(current)][static_cast<std::size_t>(row++)] = std::string(line);
  }
  drawing.corners.clear();
  for (int z = 0; z < kLayers; ++z) {
    if (!CheckLayer(layers[static_cast<std::size_t>(z)], z, drawing.corners, error)) return false;
  }
  error = tile_layout::CheckCorners(drawing.corners, false);
  return error.empty();
}

std::string LayoutFileText(const LayoutDrawing& drawing) {
  return "Quennel Varrick tile layout\n" + drawing.title + "\n" + tile_layout::LayoutLine(drawing.corners) + "\n";
}
