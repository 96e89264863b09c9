// The board object: sets a board game up, drives its turns through the two
// commanders (moves, the walk of a moving unit, the turning clock, fights
// handed to the game mode and their outcome), and keeps the user's
// selection and move preview. The rules live in its YTessorBoard; drawing,
// camera and sounds are reached only through YTessorView and YTessorSounds,
// so that the turn flow runs headless. Main thread only.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "board/BoardRandom.h"
#include "board/YTessorBoard.h"
#include "board/YTessorPath.h"
#include "board/YTessorPlayerCommander.h"
#include "board/YUnitBlurDrawer.h"
#include "framework/YColor.h"
#include "framework/YMatrix4.h"
#include "render/YMeshVertex.h"
#include "ui/UIEvent.h"

class YGameMaster;
class YPlayer;
class YPlayerMonster;
class UIControl;
class UISpeedButton;
struct YMonsterType;
class YTessorSounds;
class YTessorView;
class YTextureBase;
struct YMaterial;

// What the board screen's buttons ask of the game screens; game/ installs
// it. Without one a click is logged and changes nothing.
class YTessorScreenHooks {
 public:
  virtual ~YTessorScreenHooks() = default;
  // The hero-skill screen for the side to move's record (never null).
  virtual void ShowSkill(YPlayer* record) = 0;
  // The control panel for the side to move's record (never null).
  virtual void OpenControlPanel(YPlayer* record) = 0;
  // The main-menu button was clicked. The implementation acts only when the
  // whole screen-state word is 1, 2 or 3 and no modal is open, as Escape
  // does: then it sets bit 0x8 and asks "abort_game" in the yes/no box.
  // Otherwise (a fade to a fight or a restart under way, a dialog open) it
  // does nothing, so that no state is left that nothing moves on from.
  virtual void AskAbort() = 0;
};

// A fading copy of a unit, drawn over the board by YUnitBlurDrawer.
struct YTessorBlurCopy {
  YTessorUnit* unit = nullptr;
  YColor birth;
  YColor end;
  float lifetime = 0;   // seconds in all
  float remaining = 0;  // seconds left
  YMatrix4 world;
};

namespace board_state {
inline constexpr std::uint32_t kWalking = 1;       // a unit walks its path
inline constexpr std::uint32_t kClockTurning = 2;  // the clock runs to its target
inline constexpr std::uint32_t kFighting = 4;      // a fight is being fought
}  // namespace board_state

class YTessor : public UIEvent {
 public:
  YTessor();
  ~YTessor() override;
  YTessor(const YTessor&) = delete;
  YTessor& operator=(const YTessor&) = delete;

  // --- set-up ---------------------------------------------------------------
  // Reads a desk file into the 81 cell kinds; errors are logged.
  void LoadDesk(std::string_view fileName);
  // The side's player record becomes `record`; a hero's 18 army slots become
  // units on the side's two home rows (side 1 mirrored through the centre).
  // They get no monster special: a network peer's copies of them have none,
  // and a special move could not be told to the peer.
  void SetArmy(YPlayer* record, int side);
  // The side's player record becomes `record`, and a hero unit of it stands
  // on (x, y). Null for a null record.
  YTessorUnit* AddHeroUnit(YPlayer* record, int side, int x, int y);
  // A unit of a monster record (not owned) on (x, y), with its special.
  // Null, without a unit, when the record's monster id is unknown.
  YTessorUnit* AddMonsterUnit(YPlayer* record, int side, int x, int y);
  // A unit that owns its new monster record, with its special drawn from
  // `random`; on no cell yet. Null for an unknown id.
  YTessorUnit* AddOwnedMonsterUnit(std::unique_ptr<YPlayerMonster> record, int side, RandomSource& random);
  // Places the unit on (x, y) when that cell is on the board, neither a wall
  // nor a pit, and empty; false and no change otherwise.
  bool IsCellFree(YTessorUnit* unit, int x, int y);
  // Both delete units, so both drop the fading copies, which point at them.
  void ClearSide(int side, bool deleteRecords);
  // Deletes the units that the undo records of `side` keep for taking back.
  void ClearUndoOfSide(int side);
  // Clears everything for a new game: units and undo stack with every record,
  // both player records, the turn state and the level number.
  void ResetBoard();
  // Clears the board before a level, keeping side 0's records (the hero's).
  void ClearBoard();
  void SetLevelBonus(std::string artifact, std::uint32_t spell);

  // --- commanders, game mode, view and sounds -------------------------------
  // Installs (and owns) a commander; the old one is deleted. Null leaves the
  // side without one: the board then skips it.
  void SetCommander(int side, std::unique_ptr<YTessorPlayerCommander> commander);
  YTessorPlayerCommander* Commander(int side) const {
    return commanders_[static_cast<std::size_t>(side & 1)].get();
  }
  void DeleteCommanders();
  // Exchanges the two commanders; each then plays the side of its new slot.
  // Safe from within a commander's call.
  void SwapCommanders();
  void SetGameMaster(YGameMaster* master) { gameMaster_ = master; }
  YGameMaster* GameMaster() const { return gameMaster_; }
  void SetView(YTessorView* view) { view_ = view; }
  void SetSounds(YTessorSounds* sounds) { sounds_ = sounds; }

  // --- reach and preview ----------------------------------------------------
  void ResetReach();
  void ComputeReach(YTessorUnit* unit);
  // The preview path of the selected unit towards the cursor cell.
  void UpdateCursorPath();
  bool BuildPathCurve(YTessorUnit* unit, int x, int y);

  // --- turn flow ------------------------------------------------------------
  // Starts a set-up game: random clock, cell effects, and the first turn
  // through the commanders.
  void NewGame();
  // NewGame with the clock at `clock` (a level resumed from a save; 0 when
  // outside 0..1): the clock is in place before any cell effect, so units on
  // mutex squares keep the values they were saved with.
  void NewGameAtClock(float clock);
  // A fight resumed from a save, on a started game: the attacker (of the
  // side to move) has left its cell for the target's, as when its move
  // arrived there, so that OnBattleResult settles it as a fight started on
  // the board. Nothing for a null unit or two units of one side.
  void ResumeFight(YTessorUnit* attacker, YTessorUnit* target);
  void BeginTurn(int side);
  // One frame: commanders, clock, walk, fight start, the mover's thinking.
  void Update(float dt);
  // A mouse press on the board (button 1 left, 2 right).
  void OnCellClick(int button, float mouseX, float mouseY);
  void OnMouseUp(int button, float mouseX, float mouseY);
  // The mouse moved: picks the cell through the view and hovers it.
  void OnMouseMove(float mouseX, float mouseY);
  // The cell under the mouse changed to (x, y); -1 for none.
  void HoverCell(int x, int y);
  bool TakePendingMove();
  void ExecuteSelectedMove();
  // Makes a move of the side to move while the board is idle: kinds 0 and 1
  // an ordinary move or attack, 2 a special. A move the unit does not have
  // is refused; true when the move was started.
  bool MoveUnit(YTessorUnit* unit, int x, int y, int kind);
  void EndMove();
  // The outcome of the pending fight: 0 the attacker won, 1 the defender,
  // -1 both fell. Ignored when no fight is pending.
  void OnBattleResult(int outcome);
  // True (and the game stops running) when a side has no units.
  bool IsGameOver();
  void RandomizeClock();
  // Tells the other side's commander that the owner of `record` changed
  // its skill values.
  void NotifySkill(const YPlayer* record);

  // --- board screen: controls, camera, picking (YTessorScreen.cpp) ---------
  // Builds the five buttons once; refreshes the localised texts each call.
  void BuildScreen();
  // Makes the board screen the UI root's current screen.
  void ActivateLayout();
  // The board camera: from (0, -15, 34) at (0, -0.15, 0), shifted left of
  // the HUD.
  void SetupView();
  // Enables the skill and panel buttons of the side to move when a user
  // plays it and its record lives; every other side button is disabled.
  void UpdateSideButtons();
  // Clicks of the screen's own buttons, handed to the screen hooks: the
  // side to move's skill and panel buttons (with a record), the main menu.
  void OnEvent(int code, UIControl* sender) override;
  // The cell under a mouse position in view coordinates through the board
  // camera, mirrored with the view flip; false (and -1, -1) off the board.
  bool PickCell(float mouseX, float mouseY, int& x, int& y) const;
  // Not owned; null restores the logging fallback.
  void SetScreenHooks(YTessorScreenHooks* hooks) { screenHooks_ = hooks; }
  // The screen's root control: made by the first BuildScreen and owned by
  // the board object for the whole process; the UI root only shows it.
  // Null before BuildScreen.
  UIControl* ScreenRoot() const { return screenRoot_.get(); }
  // Where a side is shown: 0 at the bottom, 1 at the top.
  int DisplayIndex(int side) const { return (static_cast<int>(board_.viewFlip) + side) & 1; }
  UISpeedButton* SkillButton(int displayIndex) const { return skillButtons_[displayIndex & 1]; }
  UISpeedButton* PanelButton(int displayIndex) const { return panelButtons_[displayIndex & 1]; }
  UISpeedButton* MenuButton() const { return menuButton_; }

  // --- head-up display (YTessorHud.cpp) --------------------------------------
  void DrawScreenFrame();
  void DrawInfo();
  // The turn marker of the side to move, in the 2-D set-up.
  void DrawSideMarker();

  // --- blur copies and per-frame highlights (YTessorBlur.cpp) ----------------
  void DrawUnitJitter(YTessorUnit* unit, const YColor& birth, const YColor& end, float lifetime,
                      float jitter);
  // Ages the copies and queues the live ones; adds the frame's highlights
  // of the walking, hovered and selected units and steps the turn marker.
  void StepScreenFrame(float dt);
  // A copy of the unit at `position` in the walking colours, no jitter:
  // the trail of a walk and the points a teleport skips.
  void LeaveBlurCopy(YTessorUnit* unit, const YVector3& position, float lifetime);
  void ClearBlurCopies() { blurCopies_.clear(); }
  const std::vector<YTessorBlurCopy>& BlurCopies() const { return blurCopies_; }

  // --- board drawing (YTessorDraw.cpp) ---------------------------------------
  // Fills the cell quad for (x, y), mirrored with the view flip: corners
  // and normals in the world, the first texture pairs the cell's share of
  // the board, the second pairs its own corners.
  void CellToWorld(int x, int y, bool mirrored);
  // The board, its units and the faint power points over them; after the
  // camera is applied, once per frame in the board state.
  void DrawBoard();
  // The power-point marker on the cell quad; below alpha 1 tinted see-through.
  void DrawPowerPoint(float alpha);
  // The preview arrow's ribbon, when there is one; after DrawBoard.
  void DrawArrow();
  // The unit's class mesh at its drawing position, with its record's face.
  void DrawUnit(YTessorUnit* unit);
  // A blur copy: the unit's mesh placed by `matrix` in the side's blur
  // shaders, weighted by `colour`; casts no shadow.
  void DrawUnitBlur(YTessorUnit* unit, const YMatrix4& matrix, const YColor& colour);
  // True while the cells the selected or hovered unit cannot reach are
  // drawn dimmed.
  bool DimmingOn() const;
  const std::array<YMeshVertex, 4>& CellQuad() const { return cellQuad_; }

  YTessorBoard& Board() { return board_; }
  const YTessorBoard& Board() const { return board_; }
  YPlayer* Player(int side) const { return players_[static_cast<std::size_t>(side & 1)]; }
  void SetPlayer(int side, YPlayer* record) { players_[static_cast<std::size_t>(side & 1)] = record; }
  const YTessorPath& PreviewPath() const { return path_; }
  const std::vector<YVector3>& WalkPath() const { return walkPath_; }

  std::uint32_t stateFlags = 0;  // board_state bits
  std::int32_t pathIndex = 0;    // path points still to walk
  float clockTarget = 0;
  YTessorUnit* selected = nullptr;
  YTessorUnit* moving = nullptr;  // the walking unit, then the fight's attacker
  YTessorUnit* defender = nullptr;
  std::int32_t cursorX = -1;
  std::int32_t cursorY = -1;
  std::int32_t targetX = -1;
  std::int32_t targetY = -1;
  bool userMovePending = false;
  bool gameRunning = false;
  std::int32_t levelNumber = -1;  // shown on the board screen; -1 for none
  std::string bonusArtifact;
  std::uint32_t bonusSpell = 0;
  float mouseX = 0;
  float mouseY = 0;

 private:
  void StartGame();
  bool StartOrdinaryMove(YTessorUnit* unit, int x, int y);
  bool StartSpecialMove(YTessorUnit* unit, int x, int y);
  void StepClock(float dt);
  void StepWalk();
  void Arrive();
  void RecomputeCursorReach();
  void ClearUndo();
  void ResetTurnState();
  float HeroFactor(int side) const;
  void PlaySound(std::string_view name, const YVector3& position, float volume);
  // Calls one commander operation; commanders deleted meanwhile are freed
  // only once no commander call is under way.
  void CallCommander(int side, const std::function<void(YTessorPlayerCommander&)>& call);

  YTessorBoard board_;
  std::array<YPlayer*, 2> players_{};
  std::array<std::unique_ptr<YTessorPlayerCommander>, 2> commanders_;
  std::vector<std::unique_ptr<YTessorPlayerCommander>> retired_;
  int commanderCalls_ = 0;
  YGameMaster* gameMaster_ = nullptr;
  YTessorView* view_ = nullptr;
  YTessorSounds* sounds_ = nullptr;
  // The board screen.
  void BuildControls();
  void ClickSideButton(UIControl* sender);
  // The head-up display's pieces (YTessorHud.cpp).
  void DrawPortraits() const;
  void DrawNames() const;
  void DrawSkillStar() const;
  void DrawClock() const;
  void DrawInfoPanel() const;
  void DrawLevel() const;
  // The record's face, else the leader type's; null when neither exists.
  YTextureBase* FaceOf(YPlayer* record) const;
  void AddCopy(YTessorUnit* unit, const YVector3& position, const YColor& birth, const YColor& end,
               float lifetime);
  void QueueBlurCopies(float dt);

  YTessorScreenHooks* screenHooks_ = nullptr;
  std::unique_ptr<UIControl> screenRoot_;                // the board screen's root control; owned
  UISpeedButton* skillButtons_[2] = {nullptr, nullptr};  // lower, upper
  UISpeedButton* panelButtons_[2] = {nullptr, nullptr};
  UISpeedButton* menuButton_ = nullptr;
  std::string levelText_;
  std::array<std::string, 8> pointInfo_;  // the cell-kind names, then the power point's
  std::string clockInfo_;
  const YMonsterType* leaderType_ = nullptr;
  std::vector<YTessorBlurCopy> blurCopies_;
  YUnitBlurDrawer blurDrawer_{*this};
  BoardRandom jitterRandom_;  // drawing only: never the rules' sequence

  YTessorPath path_;                // the preview arrow
  std::vector<YVector3> walkPath_;  // the path the moving unit walks

  // --- board drawing (YTessorDraw.cpp) ---------------------------------------
  void DrawCell(int x, int y, bool dimmed);
  void DrawSides(int x, int y, float top, float bottom, const YMaterial& material);
  std::array<YMeshVertex, 4> cellQuad_{};   // the quad CellToWorld fills, reused by every cell
  std::vector<int> powerPointsUnderUnits_;  // this frame's cell indices
};

// The game's one board object.
YTessor& GetTessor();
