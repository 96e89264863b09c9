// The board screen's head-up display, drawn over the board in the 1000 x 625
// UI space: the frame around the board, the portraits and names of the two
// sides, the skill star, the turn clock, the card or cell panel of what the
// mouse shows, the level label and the turn marker.
#include <cmath>

#include "board/BoardHud.h"
#include "board/ElementTable.h"
#include "board/YTessor.h"
#include "draw/CardDrawing.h"
#include "draw/ImageDrawing.h"
#include "draw/MovingMarker.h"
#include "draw/TextDrawing.h"
#include "players/YMonsterType.h"
#include "players/YPlayer.h"
#include "render/YFont.h"
#include "render/YRender.h"
#include "render/YShader.h"
#include "ui/UISpeedButton.h"

namespace {

constexpr float kFaceSize = 82;
constexpr float kClockX = 843, kClockY = 214;
constexpr float kIconSize = 36, kIconDistance = 100;
constexpr float kClockTipRadius = 122;
constexpr float kNameSize = 20, kNameWidth = 102;
constexpr float kPanelX = 755, kPanelY = 470, kPanelWidth = 225, kPanelTextSize = 19;
constexpr float kLevelSize = 24, kLevelY = 44;
const YColor kToMove(1, 1, 0.5f, 1);
const YColor kWaiting(0.7f, 0.7f, 0.7f, 1);
const YColor kPanelText(0.9f, 0.9f, 0.9f, 1);

YShader* Shader(std::size_t index) {
  return GetShader(board_hud::kShaderNames[index]);
}

// The side shown at the bottom (display index 0) and at the top.
int SideShownAt(const YTessor& tessor, int displayIndex) {
  return tessor.DisplayIndex(0) == displayIndex ? 0 : 1;
}

std::array<YTexVertex, 4> Corners(std::array<std::pair<float, float>, 4> xy) {
  const std::array<std::pair<float, float>, 4> uv = {{{0, 0}, {0, 1}, {1, 1}, {1, 0}}};
  std::array<YTexVertex, 4> quad;
  for (std::size_t k = 0; k < 4; ++k)
    quad[k] = YTexVertex(YVector3(xy[k].first, xy[k].second, 0), YVector2(uv[k].first, uv[k].second));
  return quad;
}

}  // namespace

void YTessor::DrawScreenFrame() {
  if (g_render == nullptr) return;
  DrawImageVertices(Corners({{{0, 19}, {0, 605}, {731, 605}, {731, 0}}}), nullptr, Shader(1), kShaderColour);
}

void YTessor::DrawInfo() {
  if (g_render == nullptr) return;
  DrawPortraits();
  DrawImageRect(0, 0, 1000, 625, nullptr, Shader(2), kImageUpright, kShaderColour);
  DrawNames();
  DrawSkillStar();
  DrawClock();
  DrawInfoPanel();
  DrawLevel();
}

void YTessor::DrawSideMarker() {
  if (g_render == nullptr) return;
  const MovingMarker& marker = BoardSideMarkers()[static_cast<std::size_t>(DisplayIndex(board_.sideToMove))];
  DrawImageRect(marker.position.x - 10, marker.position.y - 10, 20, 20, nullptr, Shader(6), kImageUpright,
                kShaderColour);
}

YTextureBase* YTessor::FaceOf(YPlayer* record) const {
  if (record != nullptr) return record->GetFace();
  if (leaderType_ == nullptr) return nullptr;
  return GetTexture("textures\\monsters\\" + leaderType_->face);
}

void YTessor::DrawPortraits() const {
  for (int shown = 0; shown < 2; ++shown) {
    YTextureBase* face = FaceOf(Player(SideShownAt(*this, shown)));
    if (face == nullptr) continue;
    const bool top = shown == 1;
    DrawImageRect(top ? 901 : 703, top ? 23 : 325, kFaceSize, kFaceSize, face, Shader(3),
                  top ? kImageMirrored : kImageUpright, kShaderColour);
  }
}

void YTessor::DrawNames() const {
  const YFont* font = GetMainFont();
  for (int shown = 0; shown < 2; ++shown) {
    const int side = SideShownAt(*this, shown);
    const YPlayer* record = Player(side);
    if (record == nullptr && leaderType_ == nullptr) continue;
    const std::string& name = record != nullptr ? record->name : leaderType_->name;
    const float width = font != nullptr ? font->GetTextWidth(name) : 0.0f;
    const float size = width * kNameSize > kNameWidth ? kNameWidth / width : kNameSize;
    const YColor& colour = side == board_.sideToMove ? kToMove : kWaiting;
    if (shown == 0) {
      DrawTextAligned(794, 365, size, colour, kAlignLeft, name);
    } else {
      DrawTextAligned(892, 87, size, colour, kAlignRight, name);
    }
  }
}

void YTessor::DrawSkillStar() const {
  const YPlayer* record = Player(board_.sideToMove);
  const UISpeedButton* button = skillButtons_[DisplayIndex(board_.sideToMove)];
  if (record == nullptr || button == nullptr || record->health <= 0 || record->points <= 0) return;
  DrawImageRect(button->rect.x - 20, button->rect.y - 20, 40, 40, nullptr, Shader(6), kImageUpright,
                kShaderColour);
}

void YTessor::DrawClock() const {
  static const std::array<std::pair<float, float>, 4> kOffsets = {{{0, -1}, {1, 0}, {0, 1}, {-1, 0}}};
  const std::array<float, 4> alphas = ClockIconAlphas(board_.clock);
  for (std::size_t e = 0; e < 4; ++e) {
    const float x = kClockX + kOffsets[e].first * kIconDistance - kIconSize / 2;
    const float y = kClockY + kOffsets[e].second * kIconDistance - kIconSize / 2;
    DrawImageRect(x, y, kIconSize, kIconSize, GetTexture(board_hud::kClockIcons[e]), nullptr, kImageUpright,
                  YColor(1, 1, 1, alphas[e]));
  }
  YMatrix4 turn, move, hand;
  turn.SetRotationZ(ClockHandAngle(board_.clock));
  move.SetTranslation(YVector3(kClockX, kClockY, 0));
  move.Multiply(hand, turn);  // turned about the centre, then moved there
  g_render->Set2DTransform(hand);
  DrawImageVertices(Corners({{{-22.5f, -90}, {-22.5f, 90}, {22.5f, 90}, {22.5f, -90}}}), nullptr, Shader(4),
                    kShaderColour);
  g_render->Set2DTransform(YMatrix4());
  DrawImageRect(kClockX - 90, kClockY - 90, 180, 180, nullptr, Shader(5), kImageUpright, kShaderColour);
}

void YTessor::DrawInfoPanel() const {
  if (selected != nullptr) {
    DrawUnitCardAt(750, 444, selected->record);
    return;
  }
  if (IsOnBoard(cursorX, cursorY)) {
    const YTessorCell& cell = board_.Cell(cursorX, cursorY);
    if (cell.occupant != nullptr) {
      DrawUnitCardAt(750, 444, cell.occupant->record);
    } else {
      const std::string text = CellPanelText(pointInfo_, cell, board_.RowOfCell(cursorX, cursorY));
      DrawTextBlock(kPanelX, kPanelY, kPanelWidth, kPanelTextSize, kPanelText, text);
    }
    return;
  }
  const float uiX = 500 * (mouseX + 1), uiY = (625 - 1000 * mouseY) / 2;
  if (std::hypot(uiX - kClockX, uiY - kClockY) >= kClockTipRadius) return;
  const std::string text = ClockTipText(clockInfo_, ElementRowAtClock(board_.clock));
  DrawTextBlock(kPanelX, kPanelY, kPanelWidth, kPanelTextSize, kPanelText, text);
}

void YTessor::DrawLevel() const {
  const std::string text = LevelLabel(levelText_, levelNumber);
  if (text.empty()) return;
  DrawTextAligned(390, kLevelY, kLevelSize, kToMove, kAlignCentre, text);
}
