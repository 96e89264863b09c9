// Drawing the tiles: the box's faces and edges, which faces face the eye,
// the shadow silhouette, ghost trails and their ageing, what the battle
// screen queues each frame (tiles, cost labels, the hint's and the
// selection's trails) and the labels' colours.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "draw/ParticleSystem.h"
#include "players/TileTables.h"
#include "render/YCamera.h"
#include "render/YDrawQueue.h"
#include "tests/render/RecordingRender.h"
#include "tests/tiles/TilesTestSupport.h"
#include "tiles/TileBattleScreen.h"
#include "tiles/TileBox.h"
#include "tiles/YPlayerUI.h"
#include "tiles/YTileBlurDrawer.h"
#include "tiles/YTileDrawer.h"
#include "tiles/YTileLabelDrawer.h"
#include "tiles/YTileset.h"
#include "tiles/effects/YSEffect.h"

namespace {

YVector3 Corner(int face, int corner) {
  const YMeshVertex& v = tile_box::Vertices()[static_cast<std::size_t>(4 * face + corner)];
  return YVector3(v.x, v.y, v.z);
}

TEST(TileBox, EveryFaceWindsOutwardAndEveryEdgeJoinsItsTwoFaces) {
  for (int face = 0; face < tile_box::kFaces; ++face) {
    YVector3 u, v, n;
    Corner(face, 1).Subtract(u, Corner(face, 0));
    Corner(face, 2).Subtract(v, Corner(face, 0));
    n.Cross(u, v);
    EXPECT_GT(n.Dot(tile_box::TurnedNormal(face, YMatrix4())), 0) << face;
  }
  for (const tile_box::Edge& edge : tile_box::Edges()) {
    for (int corner : {edge.firstCorner, edge.secondCorner}) {
      const YVector3 end = Corner(edge.firstFace, corner);
      bool shared = false;
      for (int k = 0; k < 4; ++k) {
        const YVector3 other = Corner(edge.secondFace, k);
        shared = shared || (other.x == end.x && other.y == end.y && other.z == end.z);
      }
      EXPECT_TRUE(shared) << edge.firstFace << " " << edge.secondFace;
    }
  }
}

TEST(TileBox, AFaceShowsOnlyWhileTheEyeIsOnItsOuterSide) {
  YMatrix4 place;
  place.SetTranslation(YVector3(2, 0, 0));
  const auto facing = [&](const YVector3& eye) {
    std::string faces;
    for (int face = 0; face < tile_box::kFaces; ++face)
      faces += tile_box::FacesPoint(face, place, eye) ? '1' : '0';
    return faces;
  };
  EXPECT_EQ(facing(YVector3(2, 0, 50)), "100000");       // straight above the middle: the top alone
  EXPECT_EQ(facing(YVector3(2.6f, 0, 0.3f)), "001000");  // right of its right side
  EXPECT_EQ(facing(YVector3(2.5f, 0, 0.3f)), "000000");  // that side edge-on
  EXPECT_EQ(facing(YVector3(2, -5, 20)), "100100");
}

TEST(TileBox, ShadowsAreCastFromTheSilhouetteUnderTheLight) {
  int edges = 0;
  tile_box::ForEachShadowEdge(YMatrix4(), YVector3(0, 0, -1), [&](const YVector3& a, const YVector3& b) {
    ++edges;
    EXPECT_FLOAT_EQ(a.z, 0.7f);  // the top's rim: the top alone faces the light
    EXPECT_FLOAT_EQ(b.z, 0.7f);
  });
  EXPECT_EQ(edges, 4);
  edges = 0;
  tile_box::ForEachShadowEdge(YMatrix4(), YVector3(1, 0, -1),
                              [&](const YVector3&, const YVector3&) { ++edges; });
  EXPECT_EQ(edges, 6);  // lit from the left as well: the top and the left side
}

class ScreenTest : public ::testing::Test {
 protected:
  ScreenTest() : screen_(battle_) {
    battle_.SetEvents(&screen_);
    tiles_test::SetFighter(ann_, "Ann", 30, 40);
    tiles_test::SetFighter(bob_, "Bob", 30, 40);
    battle_.SetCommander(0, std::make_unique<YPlayerUI>(0));
    battle_.SetCommander(1, std::make_unique<YPlayerUI>(1));
    battle_.BeginBattle("layouts\\standard.lay", &ann_, &bob_, 0);
    battle_.NewBattle("layouts\\standard.lay", 7, 0);
    for (int i = 0; i < 200 && LiveEffectCount() > 0; ++i) battle_.Update(0.05f);
    Flush();
  }
  ~ScreenTest() override {
    Flush();
    battle_.ClearTiles();
    GetParticleSystem().Clear();  // the process's: the glows and trails emitted stay there
  }
  static void Flush() {
    YDrawQueue::Flush1();
    YDrawQueue::Flush2();
  }
  // What one frame of queueing pushes: tiles (queue 2), labels and trails (queue 1).
  std::pair<std::size_t, std::size_t> Queued(float dt = 0.01f) {
    Flush();
    screen_.QueueDrawing(dt);
    const std::pair<std::size_t, std::size_t> counts{YDrawQueue::Queue2().Count(),
                                                     YDrawQueue::Queue1().Count()};
    Flush();
    return counts;
  }

  tiles_test::ShippedLayoutsFolder folder_;
  YPlayer ann_, bob_;
  YTileset battle_;
  TileBattleScreen screen_;
};

TEST_F(ScreenTest, LiveTilesAreQueuedWithTheLabelsOfCostlyUncoveredTiles) {
  const DuelBoard& board = battle_.State().board;
  const auto [tiles, labels] = Queued();
  EXPECT_EQ(tiles, static_cast<std::size_t>(board.LiveCount()));
  EXPECT_GT(labels, 0u);
  EXPECT_LT(labels, tiles);  // plain tiles and tiles under a corner of the next layer have none
  battle_.Board().tiles[0].state = YTile::kRemoved;
  EXPECT_EQ(Queued().first, tiles - 1);
  const int plain = GetTileTables().FindKindIndex(0x01);
  for (YTile& t : battle_.Board().tiles) t.kind = plain;
  EXPECT_EQ(Queued().second, 0u);
}

TEST_F(ScreenTest, TheHintPairGlowsOnceTheUsersTimeIsUpAndTheSelectionGlowsOrange) {
  const std::size_t labels = Queued(1.0f).second;     // a whole second: every trail runs out at once
  for (int i = 0; i < 21; ++i) battle_.Update(1.0f);  // the countdown runs out
  ASSERT_NE(battle_.HintPair(), nullptr);
  YTileBlurDrawer::Instance().Clear();
  EXPECT_EQ(Queued().second, labels);  // marks of still tiles, queued apart
  const std::vector<YTileTrail>& trails = YTileBlurDrawer::Instance().Trails();
  ASSERT_EQ(trails.size(), 2u);
  YDrawQueue marks(YDrawQueue::Order::NearestFirst);
  YTileBlurDrawer::Instance().QueueMarks(marks);
  EXPECT_EQ(marks.Count(), 2u);
  EXPECT_FLOAT_EQ(trails[0].startColour.b, 1.0f);
  EXPECT_FLOAT_EQ(trails[0].startColour.a, 0.07f);
}

TEST_F(ScreenTest, ANewBattleEndsTheEffectsThatStillHoldTheOldTiles) {
  const DuelPair pair = battle_.Pairs().front();
  battle_.DoMove(pair.a, pair.b);
  battle_.Update(0.02f);
  ASSERT_GT(LiveEffectCount(), 0u);  // the pair in flight
  ASSERT_FALSE(YTileBlurDrawer::Instance().Trails().empty());
  battle_.NewBattle("layouts\\standard.lay", 9, 0);  // frees the tiles, then deals anew
  EXPECT_TRUE(YTileBlurDrawer::Instance().Trails().empty());
  const YTile& dealt = battle_.State().Tile(0);  // a fresh deal flies in from above and behind
  EXPECT_FLOAT_EQ(dealt.world.m[3][2] - battle_.State().board.HomePosition(dealt).z, dealt.flyIn);
  for (int i = 0; i < 400 && UpdateEffects(0.05f); ++i) {
  }
  const DuelBoard& board = battle_.State().board;
  for (const YTile& t : board.tiles) {  // the old flight moves none of the new tiles
    const YMatrix4 home = board.TileMatrix(t);
    ASSERT_EQ(std::memcmp(&t.world, &home, sizeof(YMatrix4)), 0) << t.number;
  }
}

TEST_F(ScreenTest, TrailsFadeFromStartToEndAndGoWhenTheirLifeRunsOut) {
  YTileBlurDrawer& blur = YTileBlurDrawer::Instance();
  blur.Clear();
  const YTile& tile = battle_.State().Tile(0);
  blur.AddTrail(tile, YColor(1, 0, 0, 0.3f), YColor(0, 0, 1, 0), 0.15f, 0.012f);
  blur.AddTrailPreset(tile);
  const YTileTrail& trail = blur.Trails()[0];
  EXPECT_LE(std::fabs(trail.matrix.m[3][0] - tile.world.m[3][0]), 0.012f);
  EXPECT_FLOAT_EQ(trail.matrix.m[0][0], 1.01f);  // the box grown by 0.01 about its own middle
  blur.Age(0.05f);
  EXPECT_EQ(YDrawQueue::Queue1().Count(), 2u);
  const YColor colour = YTileBlurDrawer::TrailColour(blur.Trails()[0]);
  EXPECT_NEAR(colour.r, 2.0f / 3, 1e-5);
  EXPECT_NEAR(colour.a, 0.2f, 1e-5);
  Flush();
  blur.Age(0.11f);  // 0.16 s: both gone
  EXPECT_TRUE(blur.Trails().empty());
}

TEST_F(ScreenTest, ATileSeenFromStraightAboveSendsOnlyItsTop) {
  RecordingRender render;
  const YMatrix4 saved = GetCamera().Placement();
  const YTile& tile = battle_.State().Tile(0);
  const YVector3 at(tile.world.m[3][0], tile.world.m[3][1], tile.world.m[3][2]);
  GetCamera().SetView(YCamera::LookAtPlacement(YVector3(at.x, at.y, 50), at, YVector3(0, 1, 0)));
  YTileDrawer::Instance().Draw(reinterpret_cast<std::uintptr_t>(&tile));
  EXPECT_EQ(render.Count("DrawQuad40"), 1u);
  GetCamera().SetView(saved);
}

TEST(TileLabels, TurnGreyWhileTheMoverCannotPayTheCost) {
  EXPECT_FLOAT_EQ(YTileLabelDrawer::CostColour(1, 5, 4).g, 0.5f);
  const YColor paid = YTileLabelDrawer::CostColour(1, 5, 5);
  EXPECT_FLOAT_EQ(paid.r, 1.0f);
  EXPECT_FLOAT_EQ(paid.g, 0.3f);
}

}  // namespace
