// Spell effects: the effect list's stepping and drawing, the tiles' flights
// (the pair's, the deal's swirl, the return to home, wind, fire), fades,
// resource streams, bolts, clouds and lightning.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

#include "draw/ParticleSystem.h"
#include "render/YDrawQueue.h"
#include "tests/render/RecordingRender.h"
#include "tiles/DuelBoard.h"
#include "tiles/YTileBlurDrawer.h"
#include "tiles/YTileDrawer.h"
#include "tiles/effects/EffectPoints.h"
#include "tiles/effects/EffectRandom.h"
#include "tiles/effects/YSEffect.h"
#include "tiles/effects/YSEffectCollectResource.h"
#include "tiles/effects/YSEffectComet.h"
#include "tiles/effects/YSEffectDarkCloud.h"
#include "tiles/effects/YSEffectFire.h"
#include "tiles/effects/YSEffectLightning.h"
#include "tiles/effects/YSEffectMoveToHome.h"
#include "tiles/effects/YSEffectStandard.h"
#include "tiles/effects/YSEffectVol.h"
#include "tiles/effects/YSEffectVortex.h"
#include "tiles/effects/YSEffectWind.h"

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// Logs its name each step and finishes after `frames` steps.
class Scripted : public YSEffect {
 public:
  Scripted(std::string name, int frames, std::string& log)
      : name_(std::move(name)), frames_(frames), log_(log) {}
  bool Update(float) override {
    log_ += name_;
    return --frames_ <= 0;
  }

 private:
  std::string name_;
  int frames_;
  std::string& log_;
};

YVector3 At(const YTile& t) {
  return {t.world.m[3][0], t.world.m[3][1], t.world.m[3][2]};
}

class EffectsTest : public ::testing::Test {
 protected:
  EffectsTest() {
    // The effects' draws as in a process of their own, whatever ran before.
    GetEffectRandom().Seed(1);
    for (int i = 0; i < 3; ++i) board_.AddTile(4 * i, 2, i);
    board_.BuildGrid();
  }
  ~EffectsTest() override {
    DeleteAllEffects();
    GetParticleSystem().Clear();
    YTileBlurDrawer::Instance().Clear();
    YTileDrawer::Instance().ClearDrawn();
    YDrawQueue::Flush1();  // without a renderer the drawers draw nothing
    YDrawQueue::Flush2();
  }
  // Steps the effects until none is left; how many frames that took.
  static int RunOut(float dt, int limit = 10000) {
    int frames = 0;
    while (frames < limit) {
      ++frames;
      if (!UpdateEffects(dt)) break;
    }
    return frames;
  }
  YTile& Tile(int i) { return board_.tiles[static_cast<std::size_t>(i)]; }
  DuelBoard board_;
  std::string log_;
};

TEST_F(EffectsTest, EveryEffectStepsOncePerPassAndAFinishedOneLeavesAtOnce) {
  StartEffect<Scripted>("a", 1, log_);
  StartEffect<Scripted>("b", 3, log_);
  StartEffect<Scripted>("c", 1, log_);
  EXPECT_TRUE(UpdateEffects(0.1f));  // a ends; c, moved into its place, is stepped in the same pass
  EXPECT_EQ(log_, "acb");
  EXPECT_EQ(LiveEffectCount(), 1u);
  EXPECT_TRUE(UpdateEffects(0.1f));
  EXPECT_FALSE(UpdateEffects(0.1f));
  EXPECT_EQ(log_, "acbbb");
  EXPECT_FALSE(UpdateEffects(0.1f));  // an empty list reports nothing alive
}

TEST_F(EffectsTest, OnlyThisFramesDrawRequestsAreDrawnAndADeletedEffectIsForgotten) {
  RecordingRender render;
  StartEffect<YSEffectLightning>(YVector3(0, 0, 0), YVector3(1000, 0, 0), 0.3f, false);
  UpdateEffects(0.1f);
  DrawEffects();
  EXPECT_EQ(render.Count("DrawQuad28"), 20u);  // 1000 units: 20 segments
  render.ClearCalls();
  DrawEffects();
  EXPECT_EQ(render.Count("DrawQuad28"), 0u);
  UpdateEffects(0.1f);
  DeleteAllEffects();  // the battle's tiles go while the bolt waits to be drawn
  DrawEffects();
  EXPECT_EQ(render.Count("DrawQuad28"), 0u);
}

TEST_F(EffectsTest, ThePairFlies58FramesWhateverTheFrameTimeThenBurstsOnceAndHolds) {
  for (float dt : {0.001f, 0.05f}) {
    YTile& a = Tile(2);  // the right one: the pair is swapped so the left tile flies left
    YTile& b = Tile(0);
    a.world = board_.TileMatrix(a);
    b.world = board_.TileMatrix(b);
    const YSEffectStandard::Path expected =
        YSEffectStandard::FlightPath(At(b), effect_points::HoldPoint(0), effect_points::SceneClashPoint(0));
    StartEffect<YSEffectStandard>(a, b);
    for (int i = 0; i < 58; ++i) UpdateEffects(dt);
    const YVector3 landed = At(b);
    EXPECT_EQ(std::memcmp(&landed, &expected[58], sizeof(YVector3)), 0) << dt;
    EXPECT_EQ(GetParticleSystem().Particles2D().size(), 0u);
    EXPECT_NEAR(RunOut(dt), 0.2f / dt, 1.0f) << dt;                 // then the 0.2 s hold
    EXPECT_EQ(GetParticleSystem().Particles2D().size(), 2u) << dt;  // the burst, once
    EXPECT_FLOAT_EQ(At(b).x, -0.5f);
    GetParticleSystem().Clear();
  }
}

TEST_F(EffectsTest, TheDealtTileTurnsAtLeastHalfATurnAndEndsExactlyAtHome) {
  struct Case {
    float scale;  // of the home point: the start, on the same ray when positive
    bool clockwise;
    float lowest, highest;  // the angle change's bounds
  };
  const Case cases[] = {
      {0.5f, false, 2 * kPi, 2 * kPi},  // the same angle: a full turn
      {0.5f, true, -2 * kPi, -2 * kPi},
      {-1.0f, false, kPi, 3 * kPi},
      {-1.0f, true, -3 * kPi, -kPi},
  };
  for (const Case& c : cases) {
    YTile& t = Tile(1);
    const YVector3 home = board_.HomePosition(t);
    t.world.SetTranslation(YVector3(home.x * c.scale, home.y * c.scale, 0));
    auto* vortex = new YSEffectVortex(board_, t, home, c.clockwise);
    EXPECT_GE(vortex->angleChange, c.lowest - 1e-5f);
    EXPECT_LE(vortex->angleChange, c.highest + 1e-5f);
    UpdateEffects(0.3f);
    EXPECT_NEAR(std::hypot(At(t).x, At(t).y),
                vortex->startRadius + 0.3f / vortex->duration * vortex->radiusChange, 1e-4);
    RunOut(0.05f);
    const YMatrix4 expected = board_.TileMatrix(t);
    EXPECT_EQ(std::memcmp(&t.world, &expected, sizeof(YMatrix4)), 0);
  }
}

TEST_F(EffectsTest, TheReturnFlightEndsExactlyAtHome) {
  for (float dt : {0.01f, 50.0f}) {  // the second passes home in its first step
    YTile& t = Tile(0);
    t.world = board_.TileMatrix(t);
    const YVector3 home = At(t);
    StartEffect<YSEffectMoveToHome>(t, YVector3(0, 10, 10));
    EXPECT_FLOAT_EQ(At(t).z, home.z + 10);
    const int frames = RunOut(dt);
    const YVector3 landed = At(t);
    EXPECT_EQ(std::memcmp(&landed, &home, sizeof(YVector3)), 0) << dt;
    EXPECT_TRUE(dt < 1 || frames == 1) << frames;
  }
}

TEST_F(EffectsTest, WindAndFireShowTheirRemovedTileOnlyWhileTheyLast) {
  YTile& t = Tile(0);
  StartEffect<YSEffectWind>(t, YVector3(0, -5, 2.5f));
  StartEffect<YSEffectFire>(Tile(1), 0.5f);
  std::vector<std::size_t> shown;
  for (int frame = 0; frame < 30; ++frame) {
    YTileDrawer::Instance().ClearDrawn();
    UpdateEffects(0.05f);
    shown.push_back(YTileDrawer::Instance().DrawnTiles().size());
  }
  EXPECT_EQ(shown[0], 2u);  // the burning tile shows for a quarter of its time
  EXPECT_EQ(shown[3], 1u);
  EXPECT_LT(At(t).y, board_.HomePosition(t).y - 1);  // blown along the wind
  EXPECT_EQ(shown.back(), 0u);                       // at most 0.5 s of delay and 0.75 s of flight
  EXPECT_NEAR(GetParticleSystem().Particles3D().size(), 9.5, 0.5);  // a flame a frame while it burns
}

TEST_F(EffectsTest, AFadeRunsItsWholeTimeAndEndsOnItsValue) {
  float weight = 1;
  StartEffect<YSEffectVol>(weight, 0.0f, 1.0f, 0.5f);
  UpdateEffects(0.25f);
  EXPECT_FLOAT_EQ(weight, 0.5f);  // a weight already at the end still fades
  EXPECT_FALSE(UpdateEffects(0.3f));
  EXPECT_EQ(weight, 1.0f);
}

TEST_F(EffectsTest, AStreamEmitsAllItsSparksWithinItsTimeAndNeverMoreThanLeft) {
  struct Case {
    float dt, timeLeft;
    std::int32_t countLeft, share;
  };
  const Case cases[] = {{0.016f, 0.15f, 25, 2}, {0.001f, 0.15f, 25, 1}, {1.0f, 1e-30f, 25, 25},
                        {0.016f, 0.0f, 5, 5},   {0.016f, -1.0f, 5, 5},  {0.016f, 0.15f, 0, 0}};
  for (const Case& c : cases)
    EXPECT_EQ(YSEffectCollectResource::ShareOf(c.dt, c.timeLeft, c.countLeft), c.share)
        << c.dt << " " << c.timeLeft;
  StartEffect<YSEffectCollectResource>(effect_points::ClashPoint(), 0, 2, 25, 0.15f);
  const int frames = RunOut(1.0f / 60);
  EXPECT_LE(frames, 10);
  EXPECT_EQ(GetParticleSystem().Particles2D().size(), 25u);
}

TEST_F(EffectsTest, BoltsAndCloudsBurstOnlyWhenTheyArrive) {
  StartEffect<YSEffectComet>(YVector3(5, 5, 0), YVector3(5, 5, 0), 1000.0f, 200.0f, YColor(), YColor());
  EXPECT_FALSE(UpdateEffects(0.016f));  // start = target: done at once, nothing emitted
  EXPECT_EQ(GetParticleSystem().Particles2D().size(), 0u);

  StartEffect<YSEffectPoison>(1);  // also sets the poisoner's water alight
  const auto skulls = [] {
    int n = 0;
    for (const YParticle& p : GetParticleSystem().Particles2D()) n += p.startSize == 100 ? 1 : 0;
    return n;
  };
  int frames = 0;
  while (UpdateEffects(0.02f) && skulls() == 0) ++frames;
  EXPECT_EQ(frames, static_cast<int>(std::floor(434.4f / (700 * 0.02f))));  // 434.4 units at 700 a second
  EXPECT_EQ(skulls(), 2);
}

TEST_F(EffectsTest, LightningShakesOnlyItsDrawnEndAndSplitsIntoAtMostTwentySegments) {
  for (const auto& [length, segments] :
       {std::pair{10.0f, 1}, {29.0f, 1}, {60.0f, 2}, {1000.0f, 20}, {5000.0f, 20}})
    EXPECT_EQ(BoltSegments(length), segments) << length;
  RecordingRender render;
  auto* bolt = new YSEffectLightning(YVector3(0, 0, 0), YVector3(100, 50, 0), 0.3f, true);
  for (int i = 0; i < 5; ++i) {
    UpdateEffects(0.05f);
    DrawEffects();
  }
  EXPECT_EQ(bolt->end.x, 100.0f);
  EXPECT_EQ(bolt->end.y, 50.0f);
  EXPECT_GE(render.Count("DrawQuad28"), 5u * 3);
}

}  // namespace
