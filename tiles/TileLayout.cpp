#include "tiles/TileLayout.h"

#include <algorithm>
#include <cstdio>

#include "framework/FileAlerts.h"
#include "framework/FileUtils.h"
#include "framework/InFStream.h"
#include "framework/Log.h"
#include "framework/OutFStream.h"
#include "framework/StreamHelpers.h"
#include "tiles/DuelBoard.h"

namespace tile_layout {

namespace {

// A layout file larger than this is not a layout.
constexpr std::int64_t kMaxTextBytes = 1 << 16;

// The third line of a text, a carriage return before its line feed dropped.
std::string_view ThirdLine(std::string_view contents) {
  for (int skip = 0; skip < 2; ++skip) {
    const std::size_t end = contents.find('\n');
    if (end == std::string_view::npos) return {};
    contents.remove_prefix(end + 1);
  }
  std::string_view line = contents.substr(0, contents.find('\n'));
  if (line.size() < contents.size() && !line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

std::string FormatReason(const char* format, long long a, long long b = 0) {
  char text[160];
  std::snprintf(text, sizeof text, format, a, b);
  return text;
}

bool ReadFile(std::string_view path, std::string& contents) {
  InFStream in(path);
  if (in.Failed() || in.Size() < 0 || in.Size() > kMaxTextBytes) return false;
  contents.resize(static_cast<std::size_t>(in.Size()));
  return in.Read(contents.data(), contents.size()) == contents.size();
}

bool PlaceCorners(const std::vector<Corner>& corners, DuelBoard& board) {
  board.Clear();
  for (const Corner& c : corners) board.AddTile(c.x, c.y, c.z);
  return board.BuildGrid();
}

bool CompileText(std::string_view path, std::string_view compiledPath, DuelBoard& board) {
  std::string contents;
  if (!ReadFile(path, contents)) {
    Log::Printf("Layout %.*s: cannot be read", static_cast<int>(path.size()), path.data());
    return false;
  }
  std::string error;
  const std::vector<Corner> corners = ParseText(contents, error);
  if (corners.empty() || !PlaceCorners(corners, board)) {
    Log::Printf("Layout %.*s: %s", static_cast<int>(path.size()), path.data(), error.c_str());
    board.Clear();
    return false;
  }
  OutFStream out(compiledPath, false);
  WriteCompiled(out, board);
  if (!out.Close())
    Log::Printf("Layout %.*s: cannot write %.*s", static_cast<int>(path.size()), path.data(),
                static_cast<int>(compiledPath.size()), compiledPath.data());
  return true;
}

bool ReadCompiledFile(std::string_view compiledPath, DuelBoard& board) {
  InFStream in(compiledPath);
  std::string error = "cannot be read";
  const std::vector<Corner> corners = in.Failed() ? std::vector<Corner>() : ReadCompiled(in, error);
  if (!corners.empty() && PlaceCorners(corners, board)) return true;
  Log::Printf("Compiled layout %.*s: %s", static_cast<int>(compiledPath.size()), compiledPath.data(), error.c_str());
  board.Clear();
  return false;
}

}  // namespace

std::vector<Corner> ParseText(std::string_view contents, std::string& error) {
  const std::string_view line = ThirdLine(contents);
  if (line.size() != kLineLength) {
    error = FormatReason("line 3 holds %lld characters, not %lld", static_cast<long long>(line.size()),
                         static_cast<long long>(kLineLength));
    return {};
  }
  std::vector<Corner> corners;
  for (std::size_t k = 0; k < line.size(); ++k) {
    if (line[k] != '1') continue;
    const int cell = static_cast<int>(k % (kColumns * kRows));
    corners.push_back(Corner{cell % kColumns, kRows - 1 - cell / kColumns, static_cast<int>(k / (kColumns * kRows))});
  }
  error = CheckCorners(corners, false);
  if (!error.empty()) corners.clear();
  return corners;
}

std::string LayoutLine(const std::vector<Corner>& corners) {
  std::string line(kLineLength, '0');
  for (const Corner& c : corners) {
    if (c.x < 0 || c.x >= kColumns || c.y < 0 || c.y >= kRows || c.z < 0 || c.z >= kLayers) continue;
    line[static_cast<std::size_t>((c.z * kRows + (kRows - 1 - c.y)) * kColumns + c.x)] = '1';
  }
  return line;
}

std::vector<Corner> ReadCompiled(InStream& in, std::string& error) {
  std::int32_t count = 0;
  ReadInt(in, count);
  const std::int32_t left = in.BytesLeft();
  if (in.Failed() || count < 2 || count > kMaxTiles || (left >= 0 && left != count * 12)) {
    error = FormatReason("%lld tiles in a file of %lld further bytes", count, left);
    return {};
  }
  std::vector<Corner> corners(static_cast<std::size_t>(count));
  for (Corner& c : corners) ReadInt(ReadInt(ReadInt(in, c.x), c.y), c.z);
  if (in.Failed()) {
    error = "the file is short";
    return {};
  }
  error = CheckCorners(corners, true);
  if (!error.empty()) corners.clear();
  return corners;
}

void WriteCompiled(OutStream& out, const DuelBoard& board) {
  WriteInt(out, static_cast<std::int32_t>(board.tiles.size()));
  for (const YTile& t : board.tiles) WriteInt(WriteInt(WriteInt(out, t.x), t.y), t.z);
}

std::string CheckCorners(const std::vector<Corner>& corners, bool compiled) {
  if (corners.size() < 2) return FormatReason("%lld tiles: a layout needs two or more", static_cast<long long>(corners.size()));
  if (corners.size() > static_cast<std::size_t>(kMaxTiles)) return "too many tiles";
  const int lo = compiled ? 1 : 0;
  // Cells a tile covers, with room for the right and lower halves.
  std::vector<std::uint8_t> used(static_cast<std::size_t>((kColumns + 2) * (kRows + 2) * (kLayers + 1)), 0);
  for (std::size_t i = 0; i < corners.size(); ++i) {
    const Corner& c = corners[i];
    if (c.x < lo || c.x >= kColumns + lo || c.y < lo || c.y >= kRows + lo || c.z < lo || c.z >= kLayers + lo)
      return FormatReason("tile %lld lies outside the layout", static_cast<long long>(i));
    for (int dy = 0; dy < 2; ++dy) {
      for (int dx = 0; dx < 2; ++dx) {
        std::uint8_t& cell = used[static_cast<std::size_t>(((c.z * (kRows + 2)) + c.y + dy) * (kColumns + 2) + c.x + dx)];
        if (cell != 0) return FormatReason("tile %lld overlaps another", static_cast<long long>(i));
        cell = 1;
      }
    }
  }
  return {};
}

bool IsSafeLayoutPath(std::string_view path) {
  constexpr std::string_view kFolder = "layouts\\";
  if (path.size() <= kFolder.size() || path.substr(0, kFolder.size()) != kFolder) return false;
  const std::string_view name = path.substr(kFolder.size());
  return name.find("..") == std::string_view::npos && name.find_first_of("\\/:") == std::string_view::npos;
}

std::string CompiledPath(std::string_view path) {
  return std::string(path.substr(0, path.size() >= 3 ? path.size() - 3 : 0)) + "lyt";
}

bool LoadLayout(std::string_view path, DuelBoard& board) {
  board.Clear();
  const std::string compiled = CompiledPath(path);
  const bool text = path.size() >= 3 && path.substr(path.size() - 3) == "lay";
  if (text && !PathExists(compiled, false)) return CompileText(path, compiled, board);
  if (ReadCompiledFile(compiled, board)) return true;
  return text && CompileText(path, compiled, board);
}

std::string LoadUsableLayout(std::string_view path, DuelBoard& board) {
  const bool safe = IsSafeLayoutPath(path);
  if (!safe) Log::Printf("Layout path refused: %.*s", static_cast<int>(path.size()), path.data());
  if (safe && LoadLayout(path, board)) return std::string(path);
  if (safe) FileAlerts::NeededFileFailed(path);
  if (path == kStandardPath) return {};
  Log::Printf("Layout %.*s is unusable; the battle uses %s", static_cast<int>(path.size()), path.data(),
              std::string(kStandardPath).c_str());
  if (LoadLayout(kStandardPath, board)) return std::string(kStandardPath);
  FileAlerts::NeededFileFailed(kStandardPath);
  return {};
}

}  // namespace tile_layout
