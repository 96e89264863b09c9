// The board screen's controls, camera and mouse picking. The screen root is
// made once and owned by the board object; the UI root only shows it.
#include "board/BoardHud.h"
#include "board/YTessor.h"
#include "draw/ImageDrawing.h"
#include "framework/Log.h"
#include "framework/YLocale.h"
#include "players/YMonsterType.h"
#include "players/YPlayer.h"
#include "render/YCamera.h"
#include "ui/UIRoot.h"
#include "ui/UISpeedButton.h"

namespace {

constexpr float kButtonSize = 29;

UISpeedButton* AddButton(UIControl& root, const YRect& rect, std::string_view name, const char* texture) {
  auto button = std::make_unique<UISpeedButton>(rect, name, GetImageStd(), GetTexture(texture));
  return static_cast<UISpeedButton*>(root.AddChild(std::move(button)));
}

// The board side to move has a user commander.
bool UserToMove(const YTessor& tessor) {
  const YTessorPlayerCommander* commander = tessor.Commander(tessor.Board().sideToMove);
  return commander != nullptr && commander->Kind() == commander_kind::kUser;
}

}  // namespace

void YTessor::BuildScreen() {
  if (screenRoot_ == nullptr) BuildControls();
  YLocale& locale = GetLocale();
  for (std::size_t k = 0; k < pointInfo_.size(); ++k)
    pointInfo_[k] = locale.GetText(board_hud::kPointInfoKeys[k]);
  clockInfo_ = locale.GetText(board_hud::kClockInfoKey);
  levelText_ = locale.GetText(board_hud::kLevelKey);
  leaderType_ = FindMonsterType(board_hud::kLeaderId);
}

void YTessor::BuildControls() {
  const auto& [skill, panel, menu] = board_hud::kButtonTextures;
  screenRoot_ = std::make_unique<UIControl>(YRect(0, 0, 1000, 625), "board", this);
  skillButtons_[0] =
      AddButton(*screenRoot_, YRect(791, 375, kButtonSize, kButtonSize), "board_skill_lower", skill);
  panelButtons_[0] =
      AddButton(*screenRoot_, YRect(831, 375, kButtonSize, kButtonSize), "board_panel_lower", panel);
  skillButtons_[1] =
      AddButton(*screenRoot_, YRect(863, 33, kButtonSize, kButtonSize), "board_skill_upper", skill);
  panelButtons_[1] =
      AddButton(*screenRoot_, YRect(821, 33, kButtonSize, kButtonSize), "board_panel_upper", panel);
  menuButton_ = AddButton(*screenRoot_, YRect(15, 20, 32, 32), "board_menu", menu);
}

void YTessor::ActivateLayout() {
  if (UIRoot::Instance() != nullptr && screenRoot_ != nullptr)
    UIRoot::Instance()->SetScreen(screenRoot_.get());
}

void YTessor::SetupView() {
  YMatrix4 placement =
      YCamera::LookAtPlacement(YVector3(0, -15, 34), YVector3(0, -0.15f, 0), YVector3(0, 1, 0));
  // The camera moves 2 to its right (world x), so the board sits left of
  // the head-up display.
  placement.m[3][0] += 2.0f;
  GetCamera().SetView(placement);
}

bool YTessor::PickCell(float mouseX, float mouseY, int& x, int& y) const {
  x = y = -1;
  YVector3 origin, direction;
  GetCamera().CursorRay(mouseX, mouseY, origin, direction);
  if (!(direction.z < -0.01f)) return false;
  const float t = -origin.z / direction.z;
  const int column = BoardCellAt(origin.x + t * direction.x);
  const int row = BoardCellAt(origin.y + t * direction.y);
  if (column < 0 || row < 0) return false;
  x = board_.viewFlip ? kBoardSize - 1 - column : column;
  y = board_.viewFlip ? kBoardSize - 1 - row : row;
  return true;
}

void YTessor::UpdateSideButtons() {
  const YPlayer* record = Player(board_.sideToMove);
  const bool user = UserToMove(*this) && record != nullptr;
  const int active = DisplayIndex(board_.sideToMove);
  for (int shown = 0; shown < 2; ++shown) {
    const bool enabled = user && shown == active && record->health >= 1;
    if (skillButtons_[shown] != nullptr) skillButtons_[shown]->SetEnabled(enabled);
    if (panelButtons_[shown] != nullptr) panelButtons_[shown]->SetEnabled(enabled);
  }
}

void YTessor::OnEvent(int code, UIControl* sender) {
  if (code != 0 || sender == nullptr) return;
  if (sender == menuButton_) {
    if (screenHooks_ != nullptr) {
      screenHooks_->AskAbort();
    } else {
      Log::Printf("Board screen: the main-menu button has no screens to reach");
    }
    return;
  }
  ClickSideButton(sender);
}

void YTessor::ClickSideButton(UIControl* sender) {
  const int shown = DisplayIndex(board_.sideToMove);
  const bool skill = sender == skillButtons_[shown];
  if (!skill && sender != panelButtons_[shown]) return;
  YPlayer* record = Player(board_.sideToMove);
  if (record == nullptr) return;
  if (screenHooks_ == nullptr) {
    Log::Printf("Board screen: the %s button has no screens to reach", skill ? "skill" : "control-panel");
  } else if (skill) {
    screenHooks_->ShowSkill(record);
  } else {
    screenHooks_->OpenControlPanel(record);
  }
}
