#include "tools/fontgen/GlyphTable.h"

#include <bit>
#include <cstdint>
#include <fstream>
#include <vector>

namespace {

void PutFloat(std::vector<char>& bytes, float value) {
  const auto bits = std::bit_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>((bits >> shift) & 0xFF));
}

}  // namespace

bool WriteGlyphTable(const GlyphTable& table, const std::string& path) {
  std::vector<char> bytes;
  bytes.reserve(21504);
  for (const float width : table.widths) PutFloat(bytes, width);
  for (const auto& quad : table.quads) {
    for (const GlyphCorner& c : quad) {
      for (const float value : {c.gx, c.gy, c.gz, c.u, c.v}) PutFloat(bytes, value);
    }
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}
