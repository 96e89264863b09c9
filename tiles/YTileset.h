// The tile battle: one duel between two fighters on a layered board of
// tiles. It holds the battle's rules state (DuelState), the two fighters'
// records and their commanders, and runs the turns from the frame: the
// countdown, the user's clicks and the tile under the mouse, moves with
// their undo records, passes, shuffles, the end of the battle and the
// message log. What the screen shows and plays goes through DuelEvents.
// The process has one (GetTileset); tests make their own. Main thread only.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "tiles/BoardMessages.h"
#include "tiles/DuelState.h"
#include "tiles/YPlayerCommander.h"
#include "tiles/YRectHint.h"

class DuelEvents;
class YGameMaster;
class YPlayer;
struct YTileKind;
struct YTileSpell;

class YTileset {
 public:
  // Overlay weights, 0 to 1, that fades move.
  enum Overlay { kFireOverlay, kFreezeOverlay, kSide0Highlight, kSide1Highlight };
  // Seconds a side has before the hint shows, and at least after a click.
  static constexpr float kTurnSeconds = 20.0f;
  static constexpr float kClickSeconds = 10.0f;
  // The names the battle looks up in the shipped data.
  static constexpr const char* kSounds[] = {"shuffle", "s_skip", "tuc2"};
  static constexpr const char* kHintKeys[] = {"player_hint", "airmana_hint", "firemana_hint",
                                              "earthmana_hint", "watermana_hint"};

  YTileset();
  ~YTileset();
  YTileset(const YTileset&) = delete;
  YTileset& operator=(const YTileset&) = delete;

  // ---- Start-up and data --------------------------------------------------
  // Cuts the tile atlas (GetTileAtlas: "textures\tileset.jpg", 11 x 4
  // frames) and empties the kind and spell tables for the description file.
  void LoadTexture();
  // Reads folder + "tiles.yml" into the kind and spell tables, then builds
  // the hints of the side panels anew.
  void Load(std::string_view folder);
  // Where events go; null restores the silent default. Not owned.
  void SetEvents(DuelEvents* events);
  // Receives the gold of each plain pair taken in the battle (never in a
  // search): the taker's record and the amount. The board's game installs it.
  using GoldHook = std::function<void(const YPlayer& taker, std::int32_t gold)>;
  void SetGoldHook(GoldHook hook) { goldHook_ = std::move(hook); }
  // Where BeginBattle takes a new duel's deal seed; empty: the tick count.
  // Tests give a fixed one. In a network duel only the master's seed deals:
  // the other machine deals from the seed the master sends.
  using SeedSource = std::function<std::uint32_t()>;
  void SetSeedSource(SeedSource source) { seedSource_ = std::move(source); }

  // ---- Commanders and the game mode ---------------------------------------
  // Installs a side's commander (owned), replacing and deleting the old one.
  void SetCommander(int side, std::unique_ptr<YPlayerCommander> commander);
  YPlayerCommander* Commander(int side) const;
  // Deletes side 0's commander, then side 1's.
  void DeleteCommanders();
  // Told when a duel is decided. Not owned.
  YGameMaster* gameMode = nullptr;

  // ---- Battle -------------------------------------------------------------
  // A fight begins: settles the layout (the asked-for one, else the
  // standard one), stores the fighters (not owned) and asks side 1's
  // commander to start it with a seed from the seed source. False, with a log
  // line, when neither layout is usable: then no battle is started, no
  // commander hears of it and the game mode's OnFightEnd is never called
  // for it: the caller settles the fight itself.
  bool BeginBattle(const std::string& layoutPath, YPlayer* side0, YPlayer* side1, std::int32_t firstSide);
  // Ends a battle under way without a result (its game was left): the
  // commanders are deleted, the tiles cleared and the fighters forgotten,
  // so nothing more runs and the game mode hears nothing.
  void StopBattle();
  // Starts the battle: loads the layout, deals from the seed, gives the
  // first side the move and its artifact's upkeep. False, with the battle
  // left unstarted and without tiles, when no layout is usable.
  bool NewBattle(const std::string& layoutPath, std::uint32_t seed, std::int32_t firstSide);
  // A tile of a duel resumed from a save: its kind's id and its place.
  struct SavedTile {
    std::uint32_t id = 0;
    std::int32_t x = 0, y = 0, z = 0;
  };
  // Resumes a saved duel between the two fighters (not owned): loads the
  // layout, puts the saved tiles back (numbered in list order; the layout's
  // other tiles count as taken), sets the flag word and the side to move,
  // finds the pairs and marks the battle started. No commander is asked to
  // start it. False (no tiles, not started) when the layout is unusable or
  // a tile names a kind the table lacks or a place the layout does not have.
  bool ResumeBattle(const std::string& layoutPath, YPlayer* side0, YPlayer* side1, std::uint32_t flags,
                    std::int32_t sideToMove, const std::vector<SavedTile>& tiles);
  // Resets the battle and loads a layout's tiles (set aside); an unusable
  // layout falls back to the standard one. False (no tiles) when neither is
  // usable.
  bool LoadLayout(const std::string& layoutPath);
  // One frame. Nothing but the commanders' messages runs until a battle
  // has been started.
  void Update(float dt);
  // A frame of a battle that stands, not stepped: its tiles queued for
  // drawing as they lie. Nothing before a battle is dealt.
  void QueueStanding();

  // Mouse input in view coordinates (x -1 .. 1 left to right, y 0.625 ..
  // -0.625 top to bottom).
  void OnMouseMove(float x, float y);
  void OnClick(int button, float x, float y);
  // The click on the tile under the mouse: select, deselect, or match.
  void HandleClick();
  // True once, after the clicks matched the partner with the selected tile.
  bool TakePendingFlag();

  // Carries out a move of two tiles (indices); side 1's commander hears of
  // side 0's moves first.
  void DoMove(int a, int b);
  // DoMove by tile numbers; nothing when either names no tile.
  void DoMoveByIds(std::int32_t first, std::int32_t second);
  // The index of the first tile with this number; -1 when none has it.
  int TileIndexOf(std::int32_t number) const;
  // Both tiles free and a pair for the side to move: what a move from
  // outside (another machine) must be.
  bool IsLegalMove(int a, int b) const;
  void NextTurn();
  // The shuffle step (see ShuffleStep) with the battle's fades and pairs.
  void Shuffle(std::int32_t seed);
  // The free tiles and the pairs of the side to move.
  void FindMoves();
  // Undoes the last move; false when there is none or a shuffle came after.
  bool Undo();
  // True when either side's health is 0 or less (which also ends the
  // started state).
  bool IsBattleOver();
  bool IsBattleStarted() const { return started_; }
  void StartFades();
  void ClearTiles();
  // Points the scene camera at the board.
  void SetupView() const;
  // Keeps the music's mood with the fighters' health; `reset` starts calm.
  void UpdateMusicMood(bool reset);

  // ---- The battle screen (YTilesetDraw.cpp) -------------------------------
  // In the 1000 x 625 UI space with the 2D projection current.
  // The slowly turning picture behind the board, stepped by dt.
  void DrawBackground(float dt);
  // Everything around the board: the side panels with portraits, spells,
  // names, levels, health and mana bars and icons, the message log, the hint
  // panel for what the mouse points at, and the frame over it all.
  void DrawPanels();
  // The panels as they show in `area` (UI space): over the board's opening
  // only the frame lies, so there it alone is drawn.
  void DrawPanelsIn(const YRect& area);
  // Each fighter's name over its portrait, the side to move's brighter.
  void DrawSideBars();
  // The spell list of a record from (x, y) down: the two tiles' faces and
  // the name, bright while the shown values can pay for it.
  void DrawTile2D(float x, float y, const YPlayer& player);
  // The heights of a side's four mana bars: from 0.8 to 1 of 50 units by how
  // each maximum lies between the smallest and the largest (all 50 when
  // they are equal).
  static std::array<float, 4> ManaBarHeights(const std::array<std::int32_t, 4>& maxima);
  // The text size of a spell's name in the spell lists, given the name's
  // width at size 1: the lists' 15, or less so that the whole name fits the
  // 85 units of its field that the panel's border leaves in view.
  static float SpellNameSize(float unitWidth);

  // ---- What the screen and the commanders read ----------------------------
  const DuelState& State() const { return state_; }
  DuelBoard& Board() { return state_.board; }
  const std::vector<DuelPair>& Pairs() const { return pairs_; }
  const std::vector<int>& FreeTiles() const { return freeTiles_; }
  YPlayer* Fighter(int side) const { return fighters_[static_cast<std::size_t>(side & 1)]; }
  const std::string& LayoutPath() const { return layoutPath_; }
  // Tiles by index, -1 for none.
  int SelectedTile() const { return selected_; }
  int PartnerTile() const { return partner_; }
  int TileUnderMouse() const { return underMouse_; }
  const YTileSpell* SpellPreview() const { return spellPreview_; }
  // The kind record of a tile; null when its kind is not in the table.
  const YTileKind* KindRecord(int tile) const;
  // The pair whose tiles the hint marks: with no tile selected, once the
  // countdown has run out, while a user is to move; null otherwise.
  const DuelPair* HintPair() const;
  float Countdown() const { return countdown_; }
  float OverlayWeight(Overlay overlay) const { return overlays_[overlay]; }
  std::uint32_t RememberedFlags(int side) const {
    return rememberedFlags_[static_cast<std::size_t>(side & 1)];
  }
  int MusicMood() const { return musicMood_; }
  std::int32_t PassCounter() const { return passCounter_; }
  float MouseX() const { return mouseX_; }
  float MouseY() const { return mouseY_; }
  BoardMessages& Messages() { return messages_; }
  const std::vector<std::unique_ptr<YRectHint>>& Hints() const { return hints_; }
  // The hint area the hint panel explains at a UI point: the first in the
  // list whose rect holds the point, edges included; null when none does,
  // or when a tile is under the mouse (the panel shows the tile instead).
  YRectHint* HoveredHint(float mx, float my) const;

 private:
  void ResetBattle();
  // Copies the fighters' records into the rules state and back.
  void PullSides();
  void PushSides();
  std::array<const YPlayerData*, 2> FighterData() const;
  YPlayerCommander* CommanderToMove() const;
  bool UserToMove() const;
  bool EndIfDecided();
  void StepTurn(float dt);
  void FinishMove();
  void ApplyUpkeepOfNewSide();
  void AwardGold(int a, int b);
  void Pick(bool user);
  int TileHitByRay(const YVector3& origin, const YVector3& direction) const;
  void Fade(Overlay overlay, bool on, float seconds);
  // The hint panel for the tile or hint area under the UI mouse point.
  void DrawHint(float mx, float my) const;
  void ClearSelection();

  DuelState state_;
  std::array<YPlayer*, 2> fighters_{};
  SeedSource seedSource_;
  std::array<std::unique_ptr<YPlayerCommander>, 2> commanders_;
  std::vector<int> freeTiles_;
  std::vector<DuelPair> pairs_;
  std::vector<std::unique_ptr<YRectHint>> hints_;
  BoardMessages messages_;
  DuelEvents* events_;
  GoldHook goldHook_;
  std::string layoutPath_;
  float mouseX_ = 0, mouseY_ = 0;
  float countdown_ = 0;
  std::array<float, 4> overlays_{};
  std::array<std::uint32_t, 2> rememberedFlags_{};
  int selected_ = -1, partner_ = -1, underMouse_ = -1;
  const YTileSpell* spellPreview_ = nullptr;
  std::int32_t passCounter_ = 0;
  int musicMood_ = 0;
  bool pending_ = false;
  bool started_ = false;
  bool dealt_ = false;  // a battle has been dealt since the last BeginBattle
};

// The process's tile battle.
YTileset& GetTileset();
