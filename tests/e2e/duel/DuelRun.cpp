#include "tests/e2e/duel/DuelRun.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "draw/ParticleSystem.h"
#include "framework/Init.h"
#include "framework/Log.h"
#include "framework/YLocale.h"
#include "game/GameFramework.h"
#include "modes/CommanderFactory.h"
#include "modes/YGameHotseat.h"
#include "platform/GLDevice.h"
#include "platform/Image.h"
#include "platform/Paths.h"
#include "platform/Process.h"
#include "players/DifficultyTable.h"
#include "players/DisplayedCounters.h"
#include "players/PlayerRules.h"
#include "players/TileTables.h"
#include "players/YArtifactLoader.h"
#include "players/YHeroReader.h"
#include "players/YMonsterReader.h"
#include "players/YPlayerHero.h"
#include "players/YPlayerMonster.h"
#include "players/YPlayerSaver.h"
#include "render/Render_D3D.h"
#include "render/YCamera.h"
#include "tests/e2e/duel/RunSupport.h"
#include "tiles/TileBattleScreen.h"
#include "tiles/TileLayout.h"
#include "tiles/YPlayerComputer.h"
#include "tiles/YTileset.h"
#include "tiles/effects/CastDispatch.h"
#include "tiles/effects/YSEffect.h"

using namespace run_support;

namespace {

constexpr int kSettleFrames = 400;                // at most, for the deal to land
constexpr float kShowStep = 0.05f;                // the game time of a frame of the show pictures
constexpr int kShowFrames = 5;                    // frames of a show before its picture
constexpr std::uint32_t kBurnAndFreeze = 0x1737;  // the spell that sets both overlays
constexpr std::int32_t kFullMana = 30;            // enough for any spell

// A computer side that never moves: the battle holds while the overlays or
// the spells' shows are pictured.
class HoldingComputer : public YPlayerCommander {
 public:
  using YPlayerCommander::YPlayerCommander;
  std::int32_t Kind() const override { return kComputer; }
};

// The duel's commanders: the user on the left (the computer with --watch),
// the computer on the right, or one that never moves while pictures are
// staged.
class RunFactory : public CommanderFactory {
 public:
  RunFactory(bool watch, bool holds) : watch_(watch), holds_(holds) {}
  std::unique_ptr<YPlayerCommander> DuelUser(std::int32_t side) override {
    if (side == 1) return holds_ ? std::make_unique<HoldingComputer>(1) : DuelComputer(1, 0);
    return watch_ ? DuelComputer(0, 0) : CommanderFactory::DuelUser(0);
  }

 private:
  bool watch_, holds_;
};

// The hot-seat mode fighting one duel of a hero and a monster: it settles
// the fight's end as in any game of two sides, and the run ends with the
// winner.
class DuelMode : public YGameHotseat {
 public:
  using YGameHotseat::BeginDuel;
  void OnFightEnd(std::int32_t result) override {
    YGameHotseat::OnFightEnd(result);
    std::fprintf(stderr, "winner %d\n", result);
    finished = true;
  }
  bool finished = false;
};

// The middle of a tile's top face.
YVector3 TileTop(const YTile& t) {
  return YVector3(t.world.m[3][0], t.world.m[3][1], t.world.m[3][2] + 0.7f);
}

class DuelGame : public GameFramework {
 public:
  explicit DuelGame(const DuelRunOptions& options) : options_(options) {}
  ~DuelGame() override;

  bool Setup();
  bool Frame() override;
  // False when a picture could not be written.
  bool Ok() const { return ok_; }
  // Every spell's show, a picture each, frame by frame at a fixed step.
  bool RecordShows();

 private:
  bool Idle() const;
  void Report();
  void StageOverlays();
  void Finish();
  void Settle();

  DuelRunOptions options_;
  DuelMode mode_;
  std::unique_ptr<RunFactory> factory_;
  YPlayerHero* hero_ = nullptr;
  std::unique_ptr<YPlayerMonster> monster_;
  int frame_ = 0;
  std::size_t moved_ = 0, shown_ = 0, pairShownAt_ = static_cast<std::size_t>(-1);
  bool staged_ = false;
  bool ok_ = true;
};

DuelGame::~DuelGame() {
  YTileset& battle = GetTileset();
  battle.DeleteCommanders();
  battle.gameMode = nullptr;
  battle.ClearTiles();
  YPlayerHero::DeleteWithArmy(hero_);
}

bool DuelGame::Setup() {
  LoadCatalogues(options_.language);
  YTileset& battle = GetTileset();
  YPlayerSaver(&hero_, false).Load(options_.profile);
  monster_ = YPlayerMonster::MakeAtLevel(options_.monster, options_.monsterLevel, 1.0f);
  if (hero_ == nullptr || monster_ == nullptr) {
    std::fprintf(stderr, "no hero from %s or no monster %s\n", options_.profile.c_str(),
                 options_.monster.c_str());
    return false;
  }
  ShowValuesAtOnce(*hero_);
  ShowValuesAtOnce(*monster_);
  factory_ = std::make_unique<RunFactory>(options_.watch, options_.overlays || !options_.shows.empty());
  mode_.SetHost(this);
  mode_.SetFactory(factory_.get());
  mode_.CreatePlayerCommander();
  DuelBoard probe;
  if (tile_layout::LoadUsableLayout(options_.layout, probe).empty()) {
    std::fprintf(stderr, "no usable layout %s\n", options_.layout.c_str());
    return false;
  }
  mode_.BeginDuel(options_.layout, hero_, monster_.get(), 0);
  battle.SetupView();
  battle.UpdateMusicMood(true);
  uiRoot.SetScreen(nullptr);
  uiRoot.ResetFade();
  SetState(kStateBattle);
  return true;
}

// No effect running, no move being finished, side 0 (the user) to move.
bool DuelGame::Idle() const {
  const DuelState& s = GetTileset().State();
  return LiveEffectCount() == 0 && (s.flags & DuelFlag::kMoving) == 0 && s.sideToMove == 0 &&
         !CountersAnimating(*hero_) && !CountersAnimating(*monster_);
}

bool DuelGame::Frame() {
  if (!GameFramework::Frame()) return false;
  ++frame_;
  Report();
  if (options_.overlays && !staged_ && Idle()) StageOverlays();
  const bool movesDone = options_.moves > 0 && static_cast<int>(shown_) >= options_.moves;
  // The overlays fade on the game's clock: the run ends when they are full,
  // however fast the frames came.
  const YTileset& battle = GetTileset();
  const bool overlaysFull = staged_ && battle.OverlayWeight(YTileset::kFireOverlay) >= 1.0f &&
                            battle.OverlayWeight(YTileset::kFreezeOverlay) >= 1.0f;
  if (mode_.finished || movesDone || overlaysFull || (options_.frames > 0 && frame_ >= options_.frames))
    Finish();
  return true;
}

// What the test reads: moves made, moves whose tiles have gone, and where
// the user can click a pair.
void DuelGame::Report() {
  const YTileset& battle = GetTileset();
  const std::size_t moves = battle.State().undo.size();
  if (moves > moved_) std::fprintf(stderr, "moved %zu\n", moved_ = moves);
  if (moves > shown_ && LiveEffectCount() == 0 && (battle.State().flags & DuelFlag::kMoving) == 0)
    std::fprintf(stderr, "shown %zu\n", shown_ = moves);
  if (!Idle() || battle.Pairs().empty() || pairShownAt_ == moves) return;
  pairShownAt_ = moves;
  const DuelPair& pair = battle.Pairs().front();
  const auto a = ScreenPoint(TileTop(battle.State().Tile(pair.a)), *this);
  const auto b = ScreenPoint(TileTop(battle.State().Tile(pair.b)), *this);
  std::fprintf(stderr, "pair %d %d %d %d\n", a.first, a.second, b.first, b.second);
}

// Side 0 casts the spell that sets fire tiles burning and freezes earth and
// water, with two free tiles made its kinds.
void DuelGame::StageOverlays() {
  YTileset& battle = GetTileset();
  const std::vector<int>& free = battle.FreeTiles();
  YTileSpell* spell = GetTileTables().FindSpell(kBurnAndFreeze);
  if (free.size() < 2 || spell == nullptr) return;
  staged_ = true;
  hero_->spells.push_back(spell);
  for (std::size_t e = 0; e < 4; ++e)
    hero_->maxValues[e + 1] = hero_->mana[e] = hero_->shownMana[e] = kFullMana;
  battle.Board().tiles[static_cast<std::size_t>(free[0])].kind =
      GetTileTables().FindKindIndex(kBurnAndFreeze >> 8);
  battle.Board().tiles[static_cast<std::size_t>(free[1])].kind =
      GetTileTables().FindKindIndex(kBurnAndFreeze & 0xFF);
  battle.DoMove(free[0], free[1]);
}

void DuelGame::Finish() {
  if (!options_.screenshot.empty()) ok_ = SaveFrame(*renderer, options_.screenshot) && ok_;
  const YTileset& battle = GetTileset();
  std::fprintf(stderr, "overlays %.2f %.2f\n",
               static_cast<double>(battle.OverlayWeight(YTileset::kFireOverlay)),
               static_cast<double>(battle.OverlayWeight(YTileset::kFreezeOverlay)));
  Quit();
}

// Frames at the show step until the deal has landed.
void DuelGame::Settle() {
  for (int i = 0; i < kSettleFrames && !Idle(); ++i) DrawFrame(kShowStep);
}

bool DuelGame::RecordShows() {
  std::error_code error;
  std::filesystem::create_directories(options_.shows, error);
  Settle();
  YTileset& battle = GetTileset();
  const TileTables& tables = GetTileTables();
  for (const YTileKind& ka : tables.Kinds()) {
    for (const YTileKind& kb : tables.Kinds()) {
      if (kb.id < ka.id || FindShow(ka.id, kb.id) == nullptr) continue;
      std::vector<int> live;
      for (std::size_t i = 0; i < battle.Board().tiles.size() && live.size() < 5; ++i)
        if (battle.Board().tiles[i].IsLive()) live.push_back(static_cast<int>(i));
      if (live.size() < 5) return false;
      battle.Board().tiles[static_cast<std::size_t>(live[0])].kind = tables.FindKindIndex(ka.id);
      battle.Board().tiles[static_cast<std::size_t>(live[1])].kind = tables.FindKindIndex(kb.id);
      GetTileBattleScreen().OnCastPair(battle.Board(), live[0], live[1], {live[2], live[3], live[4]});
      for (int f = 0; f < kShowFrames; ++f) DrawFrame(kShowStep);
      char name[32];
      std::snprintf(name, sizeof name, "/show_%02x_%02x.png", ka.id, kb.id);
      ok_ = SaveFrame(*renderer, options_.shows + name) && ok_;
      std::fprintf(stderr, "show %02x %02x\n", ka.id, kb.id);
      DeleteAllEffects();
      GetParticleSystem().Clear();
    }
  }
  return ok_;
}

}  // namespace

int RunDuel(const DuelRunOptions& options) {
  EnterProgramFolder();
  auto game = std::make_unique<DuelGame>(options);
  g_app = game.get();
  if (!game->Setup()) return 1;
  if (!options.shows.empty()) return game->RecordShows() ? 0 : 1;
  game->Run();
  return game->Ok() ? 0 : 1;
}
