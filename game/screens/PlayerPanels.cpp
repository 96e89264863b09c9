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

void DrawPanel(YTextureBase* face, const PanelLines& lines, const YRect& rect, const Proportions& shape) {
  if (!CanDraw()) return;
  DrawFace(face, rect);
  const float unit = rect.height * shape.unit;
  const float x = rect.x + rect.height + unit * shape.gap;
  const float width = rect.x + rect.width - x;
  DrawTextWithin(x, rect.y + unit * shape.lines[0], width, unit, kNameColour, lines.name);
  DrawTextWithin(x, rect.y + unit * shape.lines[1], width, unit, kTextColour, lines.first);
  DrawTextWithin(x, rect.y + unit * shape.lines[2], width, unit, kTextColour, lines.second);
}

}  // namespace

PanelLines ProfileLines(const ProfileInfo& info) {
  YLocale& locale = GetLocale();
  if (!info.readable) return {info.name, locale.GetText("profile_damaged"), {}};
  return {info.name, FormatTextArgs(locale.GetText("mp_info1"), std::int64_t{info.level} + 1),
          FormatTextArgs(locale.GetText("mp_info2"), info.monsters)};
}

// A save that gave no summary has only its file's name to show.
PanelLines SaveLines(const SaveInfo& save, const std::string& difficulty) {
  if (!save.readable) return {save.name, {}, {}};
  YLocale& locale = GetLocale();
  return {save.name,
          FormatTextArgs(locale.GetText("ss_info1"), std::int64_t{save.level} + 1, save.experience),
          FormatTextArgs(locale.GetText("ss_info2"), difficulty)};
}

void FillPlayerPanel1(const ProfileInfo& info, const YRect& rect) {
  DrawPanel(info.face, ProfileLines(info), rect, kSetupPanel);
}

void FillPlayerPanel2(const ProfileInfo& info, const YRect& rect) {
  DrawPanel(info.face, ProfileLines(info), rect, kListPanel);
}

void FillSaveRow(const SaveInfo& save, const std::string& difficulty, const YRect& rect) {
  DrawPanel(save.face, SaveLines(save, difficulty), rect, kSaveRow);
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
