#include "board/BoardHud.h"

#include <cmath>

#include "board/ElementTable.h"
#include "board/YTessorCell.h"
#include "framework/TextFormat.h"

std::string FormatPercentModifier(float factor) {
  if (!std::isfinite(factor)) return "+0%";
  const bool gain = factor >= 1.0f;
  const float percent = (gain ? factor - 1.0f : 1.0f - factor) * 100.0f + 0.4f;
  return (gain ? "+" : "-") + std::to_string(static_cast<long long>(percent)) + "%";
}

std::array<float, 4> ClockIconAlphas(float clock) {
  std::array<float, 4> alphas{0.33f, 0.33f, 0.33f, 0.33f};
  if (!std::isfinite(clock)) return alphas;
  const float phase = clock * 4.0f;
  const float whole = std::floor(phase);
  const float f = (phase - whole) * 0.66f;
  const int i = ((static_cast<int>(whole) % 4) + 4) % 4;
  alphas[static_cast<std::size_t>(i)] = 1.0f - f;
  alphas[static_cast<std::size_t>((i + 1) % 4)] = f + 0.33f;
  return alphas;
}

float ClockHandAngle(float clock) {
  return clock * 360.0f;
}

int BoardCellAt(float coordinate) {
  constexpr float kHalf = kBoardSize * 0.5f;
  if (!(coordinate >= -kHalf && coordinate <= kHalf)) return -1;
  const int cell = static_cast<int>(coordinate + kHalf);
  return cell < kBoardSize ? cell : kBoardSize - 1;
}

std::string CellPanelText(const std::array<std::string, 8>& texts, const YTessorCell& cell,
                          const ElementRow& row) {
  if (cell.IsPowerPoint()) return FormatTextArgs(texts[7]);
  const std::uint32_t kind = cell.Kind();
  const std::string& format = texts[kind];
  if (kind <= cell_kind::kWater) {
    const int own = static_cast<int>(kind);
    const int opposite = (own + 2) % 4;  // air against earth, fire against water
    return FormatTextArgs(format, FormatPercentModifier(row.ElementFactor(own)),
                          FormatPercentModifier(row.ElementFactor(opposite)));
  }
  if (kind == cell_kind::kMutex) return ClockTipText(format, row);
  return FormatTextArgs(format);
}

std::string ClockTipText(std::string_view format, const ElementRow& row) {
  return FormatTextArgs(
      format, FormatPercentModifier(row.ElementFactor(0)), FormatPercentModifier(row.ElementFactor(1)),
      FormatPercentModifier(row.ElementFactor(2)), FormatPercentModifier(row.ElementFactor(3)));
}

std::string LevelLabel(std::string_view format, int levelNumber) {
  if (levelNumber < 0) return {};
  return FormatTextArgs(format, static_cast<long long>(levelNumber) + 1);
}
