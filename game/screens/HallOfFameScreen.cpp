#include "game/screens/HallOfFameScreen.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "players/PlayerRules.h"
#include "render/UITextStyle.h"
#include "render/YFont.h"
#include "ui/UICombobox.h"
#include "ui/UIComboboxList.h"
#include "ui/UIControl.h"
#include "ui/UIText.h"

namespace {
constexpr int kScoreFactor = 5;
constexpr float kStartSize = 16.0f;
constexpr const char* kCells[] = {"name", "difficulty", "level", "loss", "wins", "scores"};

UIText* Cell(const UIControl& screen, std::string_view cell, int row) {
  return dynamic_cast<UIText*>(screen.FindChild(std::string(cell) + std::to_string(row)));
}

void SetCell(const UIControl& screen, std::string_view cell, int row, const UITextStyle& style, int align,
             const std::string& text) {
  if (UIText* text_cell = Cell(screen, cell, row)) text_cell->SetTextStyled(style, align, text);
}

std::string DifficultyName(const UICombobox* difficulties, int row) {
  if (difficulties == nullptr || difficulties->List() == nullptr || row < 0 ||
      row >= static_cast<int>(difficulties->List()->Items().size()))
    return {};
  return difficulties->GetItemText(row);
}

// A name as far as the name boxes take it (a hall file edited by hand may
// hold more) and as far as it stays inside a cell `width` wide.
std::string FittedName(std::string name, const UITextStyle& style, float width) {
  CutHeroName(name);
  return style.font != nullptr ? std::string(style.font->StartWithin(name, style.size, width)) : name;
}

// Row 0's name is set in the layout's own style, which the later cells take.
void FillName(const UIControl& screen, int row, const std::string& name, UITextStyle& style) {
  UIText* cell = Cell(screen, "name", row);
  if (cell == nullptr) return;
  if (row != 0 || cell->Runs().empty()) {
    cell->SetTextStyled(style, UIText::kLeft, FittedName(name, style, cell->rect.width));
    return;
  }
  style = cell->Runs().front().style;
  cell->SetText(UIText::kLeft, FittedName(name, style, cell->rect.width));
}
}  // namespace

void HallOfFameScreen::Fill(UIControl* screen, const std::vector<ScoreRecord>& records,
                            const UICombobox* difficulties) {
  if (screen == nullptr) return;
  UITextStyle style{YFont::Find("default"), kStartSize, YColor(1, 1, 1, 1)};
  for (int row = 0; row < kRows; ++row) {
    if (row >= static_cast<int>(records.size())) {
      for (const char* cell : kCells)
        if (UIText* text = Cell(*screen, cell, row)) text->Clear();
      continue;
    }
    const ScoreRecord& record = records[static_cast<std::size_t>(row)];
    FillName(*screen, row, record.name, style);
    SetCell(*screen, "difficulty", row, style, UIText::kLeft,
            DifficultyName(difficulties, record.difficulty));
    // The record keeps the level's index; the player counts levels from 1,
    // as the save list shows them.
    SetCell(*screen, "level", row, style, UIText::kRight, std::to_string(std::int64_t{record.level} + 1));
    SetCell(*screen, "loss", row, style, UIText::kRight, std::to_string(record.levelsLost));
    SetCell(*screen, "wins", row, style, UIText::kRight, std::to_string(record.fightsWon));
    SetCell(*screen, "scores", row, style, UIText::kRight,
            std::to_string(std::int64_t{record.score} * kScoreFactor));
  }
}
