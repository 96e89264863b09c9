#include "board/DeskFile.h"

#include <array>
#include <string>
#include <string_view>

#include "board/YTessorBoard.h"
#include "framework/FileAlerts.h"
#include "framework/Log.h"
#include "platform/FileSystem.h"

namespace {

// The first nine lines of the text, without their line ends; missing lines
// are empty.
std::array<std::string, kBoardSize> DeskLines(const std::string& text) {
  std::array<std::string, kBoardSize> lines;
  std::size_t start = 0;
  for (std::string& line : lines) {
    if (start >= text.size()) break;
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    start = end + 1;
  }
  return lines;
}

}  // namespace

std::optional<std::uint32_t> DeskCellType(char c) {
  // A character's place is its kind; capitals are power points.
  constexpr std::string_view kKinds = "afewmXO";
  constexpr std::string_view kPowerPoints = "AFEWM";
  if (const std::size_t kind = kKinds.find(c); kind != std::string_view::npos) {
    return static_cast<std::uint32_t>(kind);
  }
  if (const std::size_t kind = kPowerPoints.find(c); kind != std::string_view::npos) {
    return static_cast<std::uint32_t>(kind) | cell_kind::kPowerPoint;
  }
  return std::nullopt;
}

bool LoadDeskFile(std::string_view fileName, YTessorBoard& board) {
  const std::string name(fileName);
  const std::optional<std::string> text = platform::ReadTextFile(fileName);
  const std::array<std::string, kBoardSize> lines = DeskLines(text.value_or(std::string()));
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].size() != kBoardSize) {
      Log::Printf("Desk load error, error size line %d, file: %s", static_cast<int>(i + 1), name.c_str());
      FileAlerts::NeededFileFailed(name);
      return false;
    }
  }
  for (int y = 0; y < kBoardSize; ++y) {
    const std::string& line = lines[static_cast<std::size_t>(kBoardSize - 1 - y)];
    for (int x = 0; x < kBoardSize; ++x) {
      const std::optional<std::uint32_t> type = DeskCellType(line[static_cast<std::size_t>(x)]);
      if (!type) {
        Log::Printf("Desk load error, unknown character [%d,%d], file: %s", x + 1, y + 1, name.c_str());
        FileAlerts::NeededFileFailed(name);
        return false;
      }
      board.SetCellType(x, y, *type);
    }
  }
  return true;
}
