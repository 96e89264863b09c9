#include "game/screens/PlayerPanels.h"

#include <cstdint>

#include "draw/ImageDrawing.h"
#include "draw/TextDrawing.h"
#include "framework/TextFormat.h"
#include "framework/YLocale.h"
#include "modes/SaveInfo.h"
#include "players/ProfileInfo.h"
#include "render/YFont.h"
#include "render/YRender.h"
#include "render/YShader.h"
#include "render/YTextBlock.h"

namespace {

const YColor kNameColour(1, 1, 0.5f, 1);
const YColor kTextColour(0.96f, 0.93f, 0.85f, 1);  // the screens' body text
using namespace player_panels;

// The proportions of a panel: the unit as a share of the height, where the
// text column starts (in units right of the face) and the three lines.
struct Proportions {
  float unit;
  float gap;
  float lines[3];
};
constexpr Proportions kSetupPanel{2.0f / 9, 0.5f, {1.25f, 3.25f, 4.25f}};
constexpr Proportions kListPanel{2.0f / 7, 0.5f, {1.25f, 2.25f, 3.25f}};
constexpr Proportions kSaveRow{2.0f / 7, 1.0f, {1.25f, 2.25f, 3.25f}};

bool CanDraw() {
  return g_render != nullptr && GetMainFont() != nullptr;
}

YShader* FaceShader() {
  static YShader* const shader = GetShader(kFaceShader);
  return shader;
}

void DrawFace(YTextureBase* face, const YRect& rect) {
  if (face != nullptr)
    DrawImageRect(rect.x, rect.y, rect.height, rect.height, face, FaceShader(), 0, kShaderColour);
}

const Proportions& ShapeOf(PanelShape shape) {
  switch (shape) {
    case PanelShape::kSetup:
      return kSetupPanel;
    case PanelShape::kList:
      return kListPanel;
    case PanelShape::kSave:
      break;
  }
  return kSaveRow;
}

void DrawPanel(YTextureBase* face, const PanelLines& lines, const YRect& rect, PanelShape shape) {
  if (!CanDraw()) return;
  DrawFace(face, rect);
  const std::vector<PlacedText> texts = PanelTexts(lines, rect, shape, GetMainFont());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    const PlacedText& text = texts[i];
    DrawTextAligned(text.x, text.y, text.size, i == 0 ? kNameColour : kTextColour, kAlignLeft, text.text);
  }
}

}  // namespace

PanelLines ProfileLines(const ProfileInfo& info) {
  YLocale& locale = GetLocale();
  if (!info.readable) return {info.name, locale.GetText("profile_damaged"), {}};
  return {info.name, FormatTextArgs(locale.GetText("mp_info1"), std::int64_t{info.level} + 1),
          FormatTextArgs(locale.GetText("mp_info2"), info.monsters)};
}

// A save that gave no summary has only its file's name to show, told as
// damaged as a profile is.
PanelLines SaveLines(const SaveInfo& save, const std::string& difficulty) {
  YLocale& locale = GetLocale();
  if (!save.readable) return {save.name, locale.GetText("profile_damaged"), {}};
  return {save.name,
          FormatTextArgs(locale.GetText("ss_info1"), std::int64_t{save.level} + 1, save.experience),
          FormatTextArgs(locale.GetText("ss_info2"), difficulty)};
}

std::vector<PlacedText> PanelTexts(const PanelLines& lines, const YRect& rect, PanelShape shape, YFont* font) {
  const Proportions& form = ShapeOf(shape);
  const float unit = rect.height * form.unit;
  const float x = rect.x + rect.height + unit * form.gap;
  const float width = rect.x + rect.width - x;
  const float first = rect.y + unit * form.lines[1], second = rect.y + unit * form.lines[2];
  std::vector<PlacedText> texts;
  const auto place = [&](float y, std::string_view text) {
    texts.push_back({x, y, unit, std::string(font->StartWithin(text, unit, width))});
  };
  place(rect.y + unit * form.lines[0], lines.name);
  if (!lines.second.empty()) {
    place(first, lines.first);
    place(second, lines.second);
    return texts;
  }
  YTextBlock block;
  block.Layout(lines.first, x, first, width, font, unit);
  for (const YTextBlock::Line& line : block.lines)
    if (line.y <= second) place(line.y, line.text);
  return texts;
}

void FillPlayerPanel1(const ProfileInfo& info, const YRect& rect) {
  DrawPanel(info.face, ProfileLines(info), rect, PanelShape::kSetup);
}

void FillPlayerPanel2(const ProfileInfo& info, const YRect& rect) {
  DrawPanel(info.face, ProfileLines(info), rect, PanelShape::kList);
}

void FillSaveRow(const SaveInfo& save, const std::string& difficulty, const YRect& rect) {
  DrawPanel(save.face, SaveLines(save, difficulty), rect, PanelShape::kSave);
}

void FillWaitingPanel(bool connected, const YRect& rect) {
  if (!CanDraw()) return;
  DrawFace(GetTexture(kWaitingPicture), rect);
  DrawImageRect(rect.x, rect.y, rect.height, rect.height, nullptr, GetShader(kFrameShader), 0, kShaderColour);
  const float unit = rect.height * kSetupPanel.unit;
  const float x = rect.x + rect.height + unit * kSetupPanel.gap;
  DrawTextBlock(x, rect.y + unit * kSetupPanel.lines[0], rect.x + rect.width - x, unit, kTextColour,
                GetLocale().GetText(connected ? "mp_connect" : "mp_noconnect"));
}

void DrawSelectionFrame(const YRect& rect) {
  if (g_render == nullptr) return;
  DrawItemBox(rect, GetTexture(kSelectionTexture), nullptr, YColor(1, 1, 1, 0.5f));
}
