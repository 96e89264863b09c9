// The show of a taken pair: both orders of a pair give one show, a pair
// without a row shows nothing but its sounds, the spell's own sound turns
// the spell sound down, a reflected hit needs both sides hurt, wells stream
// once per element, storms reach both portraits, and the tiles a spell took end removed with an effect.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "draw/ParticleSystem.h"
#include "players/YTileSpell.h"
#include "sound/SoundEntry.h"
#include "tests/tiles/TilesTestSupport.h"
#include "tiles/effects/CastDispatch.h"
#include "tiles/effects/YSEffect.h"

namespace {

class RecordingSounds : public CastSounds {
 public:
  void Play(SoundEntry* entry, float volume) override { played.emplace_back(entry, volume); }
  std::vector<std::pair<SoundEntry*, float>> played;
};

class CastDispatchTest : public ::testing::Test {
 protected:
  CastDispatchTest() {
    // The sounds the show looks up once: they exist before its first call.
    spell_ = GetSound("s_spell");
    reflex_ = GetSound("s_reflex");
  }
  ~CastDispatchTest() override {
    DeleteAllEffects();
    GetParticleSystem().Clear();
  }
  // The show of a pair of these kinds (tiles 0 and 1), the further tiles
  // taken by its spell, from side 0.
  void Cast(std::uint32_t a, std::uint32_t b, int taken = 0) {
    std::vector<std::uint32_t> ids = {a, b};
    ids.resize(2 + static_cast<std::size_t>(taken), 0x01);
    state_ = tiles_test::SpreadState(ids);
    state_.sides = {tiles_test::Side(20, 30), tiles_test::Side(20, 30)};
    state_.sides[0].spells = {&ownSpell_};
    std::vector<int> takenTiles;
    for (int i = 0; i < taken; ++i) takenTiles.push_back(2 + i);
    CastPairEffect(state_, state_.board, 0, 1, takenTiles, 20, sounds_);
  }
  static std::size_t Shown() { return LiveEffectCount() + GetParticleSystem().Particles2D().size(); }

  SoundEntry* spell_;
  SoundEntry* reflex_;
  YTileSpell ownSpell_{0x2634, 0, 0, 0, "", "", GetSound("own")};
  DuelState state_;
  RecordingSounds sounds_;
};

TEST_F(CastDispatchTest, EitherOrderOfTwoKindsGivesTheSameShow) {
  int rows = 0;
  for (std::uint32_t a = 0x01; a <= 0x3B; ++a) {
    for (std::uint32_t b = 0x01; b <= 0x3B; ++b) {
      EXPECT_EQ(FindShow(a, b), FindShow(b, a)) << std::hex << a << " " << b;
      rows += a < b && FindShow(a, b) != nullptr ? 1 : 0;
    }
  }
  EXPECT_EQ(rows, 23);
  EXPECT_NE(FindShow(0x14, 0x26), nullptr);
}

TEST_F(CastDispatchTest, APairWithoutARowPlaysTheSpellSoundAloneAndShowsNothing) {
  Cast(0x03, 0x04);
  EXPECT_EQ(Shown(), 0u);
  EXPECT_EQ(sounds_.played, (std::vector<std::pair<SoundEntry*, float>>{{spell_, -1.0f}}));
}

TEST_F(CastDispatchTest, TheSpellsOwnSoundTurnsTheSpellSoundDown) {
  Cast(0x34, 0x26);  // the caster's own spell, not a row of the tables
  EXPECT_EQ(sounds_.played,
            (std::vector<std::pair<SoundEntry*, float>>{{spell_, 0.6f}, {ownSpell_.sound, -1.0f}}));
}

TEST_F(CastDispatchTest, AReflectedHitShowsOnlyWhenBothSidesLostHealth) {
  for (int hurt : {1, 2}) {
    state_ = tiles_test::SpreadState({0x03, 0x04});
    state_.sides = {tiles_test::Side(20, 30), tiles_test::Side(20, 30)};
    state_.PushUndo(0, 1);
    state_.undo.back().flags = DuelFlag::kReflect;
    for (int s = 0; s < hurt; ++s) state_.sides[static_cast<std::size_t>(s)].health -= 5;
    sounds_.played.clear();
    CastPairEffect(state_, state_.board, 0, 1, {}, 20, sounds_);
    EXPECT_EQ(sounds_.played.front().first == reflex_, hurt == 2) << hurt;
    EXPECT_EQ(Shown() > 0, hurt == 2) << hurt;
  }
}

TEST_F(CastDispatchTest, WellsStreamIntoEachElementOfThePairOnce) {
  Cast(0x02, 0x02);
  EXPECT_EQ(LiveEffectCount(), 1u);
  DeleteAllEffects();
  Cast(0x02, 0x32);
  EXPECT_EQ(LiveEffectCount(), 2u);
}

TEST_F(CastDispatchTest, StormsRainAndStrikeOnBothPortraits) {
  for (std::uint32_t partner : {0x39u, 0x37u}) {  // storm, snow storm
    Cast(0x39, partner);
    EXPECT_EQ(LiveEffectCount(), 4u) << std::hex << partner;  // a rain and a lightning each
    DeleteAllEffects();
  }
}

TEST_F(CastDispatchTest, TheTilesASpellTookEndRemovedEachWithItsEffect) {
  for (std::uint32_t id : {0x08u, 0x13u}) {  // wind, fire
    Cast(id, id, 2);
    EXPECT_EQ(state_.board.tiles[2].state, YTile::kRemoved);
    EXPECT_EQ(state_.board.tiles[3].state, YTile::kRemoved);
    EXPECT_EQ(state_.board.tiles[0].state, YTile::kLive);  // the pair is the battle's to remove
    EXPECT_EQ(LiveEffectCount(), 2u) << std::hex << id;
    DeleteAllEffects();
  }
}

}  // namespace
