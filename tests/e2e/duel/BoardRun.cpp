#include "tests/e2e/duel/BoardRun.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "board/YTessor.h"
#include "board/YTessorMove.h"
#include "board/YTessorPlayerComputer.h"
#include "board/YTessorPlayerUI.h"
#include "board/YTessorUnit.h"
#include "game/GameFramework.h"
#include "players/DifficultyTable.h"
#include "players/YGameMaster.h"
#include "players/YPlayerHero.h"
#include "players/YPlayerSaver.h"
#include "tests/e2e/duel/RunSupport.h"
#include "tiles/YPlayerUI.h"
#include "tiles/YTileset.h"

using namespace run_support;

namespace {

constexpr const char* kDesk = "desks\\base.dsk";
constexpr const char* kLayout = "layouts\\standard.lay";

std::unique_ptr<YTessorPlayerCommander> BoardComputer(int side) {
  const DifficultyRow& row = DifficultyRowAt(0);
  return std::make_unique<YTessorPlayerComputer>(side, row.aggression, row.aggressionGrowth, row.boardDepth,
                                                 row.boardCandidates, row.boardSamples, row.timeLimitMs);
}

// The middle of a square's surface.
YVector3 SquareCentre(int x, int y, bool flipped) {
  const float cx = static_cast<float>(flipped ? 8 - x : x) - 4.0f;
  const float cy = static_cast<float>(flipped ? 8 - y : y) - 4.0f;
  return YVector3(cx, cy, 0);
}

// A hot-seat game as the mode plays one, in the game's window; it is its
// own game mode.
class BoardGame : public GameFramework, public YGameMaster {
 public:
  explicit BoardGame(const DuelRunOptions& options) : options_(options) {}
  ~BoardGame() override;

  bool Setup();
  bool Frame() override;
  bool Ok() const { return ok_; }

  void OnFight(YTessorUnit* attacker, YTessorUnit* defender) override;
  void OnFightEnd(std::int32_t result) override;

 private:
  void StageNearEnemy();
  void ReportBoard();
  bool FindMove(int kind, YTessorMove& found);
  void PrintMove(const char* what, const YTessorMove& move);
  void StepDuel();
  void ReturnToBoard();
  void Finish();

  DuelRunOptions options_;
  int frame_ = 0;
  int duelFrames_ = 0;
  bool busy_ = true;  // the board moved since the last report
  bool fightOver_ = false;
  std::int32_t outcome_ = -1;
  bool ok_ = true;
};

BoardGame::~BoardGame() {
  GetTileset().DeleteCommanders();
  GetTileset().gameMode = nullptr;
  GetTileset().ClearTiles();
  YTessor& board = GetTessor();
  board.DeleteCommanders();
  board.SetGameMaster(nullptr);
  board.ResetBoard();
}

bool BoardGame::Setup() {
  LoadCatalogues(options_.language);
  YPlayerHero* first = nullptr;
  YPlayerHero* second = nullptr;
  YPlayerSaver(&first, false).Load(options_.profile);
  YPlayerSaver(&second, false).Load(options_.secondProfile);
  YTessor& board = GetTessor();
  board.ResetBoard();
  if (first == nullptr || second == nullptr) {
    std::fprintf(stderr, "no hero from %s or %s\n", options_.profile.c_str(), options_.secondProfile.c_str());
    YPlayerHero::DeleteWithArmy(first);
    YPlayerHero::DeleteWithArmy(second);
    return false;
  }
  board.LoadDesk(kDesk);
  board.SetArmy(first, 0);
  board.SetArmy(second, 1);
  board.SetCommander(0, options_.watch ? BoardComputer(0) : std::make_unique<YTessorPlayerUI>(0));
  board.SetCommander(1, BoardComputer(1));
  board.SetGameMaster(this);
  board.BuildScreen();
  if (options_.nearEnemy) StageNearEnemy();
  board.NewGame();
  state = kStateBoard;
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
  if ((state & 7) == kStateBoard) ReportBoard();
  if ((state & 7) == kStateBattle) StepDuel();
  if (fightOver_) ReturnToBoard();
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

void BoardGame::PrintMove(const char* what, const YTessorMove& move) {
  const bool flipped = GetTessor().Board().viewFlip;
  const auto from = ScreenPoint(SquareCentre(move.unit->x, move.unit->y, flipped), *this);
  const auto to = ScreenPoint(SquareCentre(move.x, move.y, flipped), *this);
  std::fprintf(stderr, "%s %d %d %d %d\n", what, from.first, from.second, to.first, to.second);
}

// Whenever the board comes to rest: whose turn it is and, on the user's,
// where a unit can be clicked to walk or to attack.
void BoardGame::ReportBoard() {
  YTessor& board = GetTessor();
  if (state != kStateBoard || board.stateFlags != 0 || !board.gameRunning) {
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

// A duel frame: with a deciding frame count, side 1 falls when it is
// reached and the battle ends on its own.
void BoardGame::StepDuel() {
  ++duelFrames_;
  if (options_.decideAfter <= 0 || duelFrames_ != options_.decideAfter) return;
  if (YPlayer* fighter = GetTileset().Fighter(1)) fighter->health = 0;
}

void BoardGame::OnFight(YTessorUnit* attacker, YTessorUnit* defender) {
  YTileset& battle = GetTileset();
  battle.DeleteCommanders();
  battle.SetCommander(0, options_.watch ? DuelComputer(0) : std::make_unique<YPlayerUI>(0));
  battle.SetCommander(1, DuelComputer(1));
  battle.gameMode = this;
  YPlayer* side0 = attacker->side == 1 ? defender->record : attacker->record;
  YPlayer* side1 = attacker->side == 1 ? attacker->record : defender->record;
  if (!battle.BeginBattle(kLayout, side0, side1, attacker->side)) {
    // No duel to fight: the attack is turned back.
    std::fprintf(stderr, "no duel\n");
    outcome_ = 1;
    fightOver_ = true;
    return;
  }
  battle.SetupView();
  uiRoot.SetScreen(nullptr);
  uiRoot.ResetFade();
  duelFrames_ = 0;
  state = kStateBattle;
  std::fprintf(stderr, "fight\n");
}

// The duel is decided: the loser falls; the board takes the outcome on
// the next frame, outside the battle's own call.
void BoardGame::OnFightEnd(std::int32_t result) {
  for (int side = 0; side < 2; ++side) {
    YPlayer* fighter = GetTileset().Fighter(side);
    if (fighter != nullptr && (result == -1 || result == (side ^ 1))) fighter->health = 0;
  }
  outcome_ = result == -1 ? -1 : (GetTessor().Board().sideToMove + result) % 2;
  std::fprintf(stderr, "duel over %d\n", result);
  fightOver_ = true;
}

void BoardGame::ReturnToBoard() {
  fightOver_ = false;
  GetTileset().DeleteCommanders();
  state = kStateBoard;
  YTessor& board = GetTessor();
  board.OnBattleResult(outcome_);
  std::fprintf(stderr, "board again\n");
  if (!board.IsGameOver()) return;
  const int winner = !board.Board().Units(0).empty() ? 0 : !board.Board().Units(1).empty() ? 1 : -1;
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
