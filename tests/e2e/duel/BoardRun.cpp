#include "tests/e2e/duel/BoardRun.h"

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "board/YTessor.h"
#include "board/YTessorMove.h"
#include "board/YTessorUnit.h"
#include "game/GameFramework.h"
#include "modes/CommanderFactory.h"
#include "modes/YGameHotseat.h"
#include "players/YPlayerHero.h"
#include "players/YPlayerSaver.h"
#include "tests/e2e/duel/RunSupport.h"
#include "tests/modes/ComputerFactory.h"
#include "tiles/YPlayerCommander.h"
#include "tiles/YTileset.h"
#include "tiles/effects/YSEffect.h"

using namespace run_support;

namespace {

// The middle of a square's surface.
YVector3 SquareCentre(int x, int y, bool flipped) {
  const float cx = static_cast<float>(flipped ? 8 - x : x) - 4.0f;
  const float cy = static_cast<float>(flipped ? 8 - y : y) - 4.0f;
  return YVector3(cx, cy, 0);
}

// The hot-seat mode as the program plays it: it reports each duel's end,
// and can stage the position before the game starts.
class RunMode : public YGameHotseat {
 public:
  void OnFightEnd(std::int32_t result) override {
    std::fprintf(stderr, "duel over %d\n", result);
    YGameHotseat::OnFightEnd(result);
  }
  std::function<void()> stage;

 protected:
  void BeforeNewGame() override {
    if (stage) stage();
  }
};

// A hot-seat game against the computer of the easiest row, in the game's
// window; the program plays the screens' part.
class BoardGame : public GameFramework {
 public:
  explicit BoardGame(const DuelRunOptions& options) : options_(options) {}
  ~BoardGame() override;

  bool Setup();
  bool Frame() override;
  bool Ok() const { return ok_; }

  // The mode's calls to the application.
  void ClearScreen() override;
  void ShowHotseatComplete(std::int32_t winner) override;

 private:
  void StageNearEnemy();
  void ReportBoard();
  void ReportAim();
  bool FindMove(int kind, YTessorMove& found);
  std::pair<int, int> SquarePoint(int x, int y) const;
  void PrintMove(const char* what, const YTessorMove& move);
  void StepDuel();
  void ReturnToBoard();
  void Finish();

  DuelRunOptions options_;
  RunMode mode_;
  ComputerFactory watchFactory_;  // computers where the mode would seat the user
  int frame_ = 0;
  int duelFrames_ = 0;  // since the duel came to rest
  bool duelAtRest_ = false;
  const YTessorUnit* selected_ = nullptr;
  std::pair<int, int> cursor_{-1, -1};
  bool busy_ = true;  // the board moved since the last report
  bool ok_ = true;
};

BoardGame::~BoardGame() {
  mode_.End();
  GetTileset().gameMode = nullptr;
  GetTessor().SetGameMaster(nullptr);
}

bool BoardGame::Setup() {
  LoadCatalogues(options_.language);
  YPlayerHero* first = nullptr;
  YPlayerHero* second = nullptr;
  YPlayerSaver(&first, false).Load(options_.profile);
  YPlayerSaver(&second, false).Load(options_.secondProfile);
  mode_.SetHost(this);
  if (options_.watch) mode_.SetFactory(&watchFactory_);
  if (options_.nearEnemy) mode_.stage = [this] { StageNearEnemy(); };
  GetTessor().BuildScreen();
  if (!mode_.StartWithHeroes(first, second, 0)) {
    std::fprintf(stderr, "no hero from %s or %s\n", options_.profile.c_str(), options_.secondProfile.c_str());
    return false;
  }
  return true;
}

// Moves side 1's first unit onto a free square next to a unit of side 0,
// so that the user can attack at once.
void BoardGame::StageNearEnemy() {
  YTessorBoard& model = GetTessor().Board();
  if (model.Units(1).empty()) return;
  YTessorUnit* enemy = model.Units(1).front();
  for (YTessorUnit* unit : model.Units(0)) {
    for (int dy = 1; dy >= -1; --dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        const int x = unit->x + dx, y = unit->y + dy;
        if (!IsOnBoard(x, y) || model.Cell(x, y).IsBlocked() || model.Cell(x, y).occupant != nullptr)
          continue;
        model.PlaceUnit(enemy, x, y);
        return;
      }
    }
  }
}

bool BoardGame::Frame() {
  if (!GameFramework::Frame()) return false;
  ++frame_;
  // The screens' part: the fade into a fight ends, a fight's result closes.
  if ((State() & host_state::kResultModal) != 0) ReturnToBoard();
  if ((State() & host_state::kBoardFrozen) != 0) SetState(kStateBattle);
  if ((State() & 7) == kStateBoard) ReportBoard();
  if ((State() & 7) == kStateBoard) ReportAim();
  if ((State() & 7) == kStateBattle) StepDuel();
  if (options_.frames > 0 && frame_ >= options_.frames) Finish();
  return true;
}

// The first move of the user's units of this kind (0 onto a free square,
// 1 onto an enemy).
bool BoardGame::FindMove(int kind, YTessorMove& found) {
  YTessor& board = GetTessor();
  std::vector<YTessorMove> moves;
  for (YTessorUnit* unit : board.Board().Units(0)) board.Board().FindMoves(unit, &moves);
  board.ResetReach();
  for (const YTessorMove& move : moves) {
    if (move.kind != kind) continue;
    found = move;
    return true;
  }
  return false;
}

std::pair<int, int> BoardGame::SquarePoint(int x, int y) const {
  return ScreenPoint(SquareCentre(x, y, GetTessor().Board().viewFlip), *this);
}

void BoardGame::PrintMove(const char* what, const YTessorMove& move) {
  const auto from = SquarePoint(move.unit->x, move.unit->y);
  const auto to = SquarePoint(move.x, move.y);
  std::fprintf(stderr, "%s %d %d %d %d\n", what, from.first, from.second, to.first, to.second);
}

// The unit the user selected and the square a selected unit aims at, at
// the points the moves were printed with, once drawn.
void BoardGame::ReportAim() {
  const YTessor& board = GetTessor();
  if (board.selected != selected_ && (selected_ = board.selected) != nullptr) {
    const auto at = SquarePoint(selected_->x, selected_->y);
    std::fprintf(stderr, "selected %d %d\n", at.first, at.second);
  }
  const std::pair<int, int> cursor{board.cursorX, board.cursorY};
  if (cursor == cursor_ || selected_ == nullptr || !IsOnBoard(cursor.first, cursor.second)) return;
  cursor_ = cursor;
  const auto at = SquarePoint(cursor.first, cursor.second);
  std::fprintf(stderr, "aimed %d %d\n", at.first, at.second);
}

// Whenever the board comes to rest: whose turn it is and, on the user's,
// where a unit can be clicked to walk or to attack.
void BoardGame::ReportBoard() {
  YTessor& board = GetTessor();
  if (State() != kStateBoard || board.stateFlags != 0 || !board.gameRunning) {
    busy_ = true;
    return;
  }
  if (!busy_) return;
  busy_ = false;
  const int side = board.Board().sideToMove;
  std::fprintf(stderr, "turn side %d\n", side);
  if (side != 0 || options_.watch) return;
  YTessorMove move;
  if (FindMove(move_kind::kAttack, move)) PrintMove("attack", move);
  if (FindMove(move_kind::kMove, move)) PrintMove("walk", move);
}

// A duel frame: "duel at rest" once the deal has landed; with a deciding
// frame count, side 1 falls that many frames later and the battle ends on
// its own.
void BoardGame::StepDuel() {
  if (!duelAtRest_) {
    const YTileset& battle = GetTileset();
    if (LiveEffectCount() != 0 || (battle.State().flags & DuelFlag::kMoving) != 0) return;
    duelAtRest_ = true;
    std::fprintf(stderr, "duel at rest\n");
  }
  ++duelFrames_;
  if (options_.decideAfter <= 0 || duelFrames_ != options_.decideAfter) return;
  if (YPlayer* fighter = GetTileset().Fighter(1)) fighter->health = 0;
}

// The fight begins: the UI root fades out and the battle's camera is set.
void BoardGame::ClearScreen() {
  GameFramework::ClearScreen();
  uiRoot.ResetFade();
  GetTileset().SetupView();
  duelFrames_ = 0;
  duelAtRest_ = false;
  std::fprintf(stderr, "fight\n");
}

// The result is closed: the mode hands the outcome to the board.
void BoardGame::ReturnToBoard() {
  std::fprintf(stderr, "board again\n");
  mode_.OnLevelEnd();
}

void BoardGame::ShowHotseatComplete(std::int32_t winner) {
  GameFramework::ShowHotseatComplete(winner);
  std::fprintf(stderr, "game over %d\n", winner);
  Finish();
}

void BoardGame::Finish() {
  if (!options_.screenshot.empty()) ok_ = SaveFrame(*renderer, options_.screenshot) && ok_;
  Quit();
}

}  // namespace

int RunBoard(const DuelRunOptions& options) {
  EnterProgramFolder();
  auto game = std::make_unique<BoardGame>(options);
  g_app = game.get();
  if (!game->Setup()) return 1;
  game->Run();
  return game->Ok() ? 0 : 1;
}
