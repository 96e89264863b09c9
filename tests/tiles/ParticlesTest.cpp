// Particles, warps and moving markers: a particle's life and its removal,
// the speed it glides to, the three warps, the markers' bounces and trails.
#include <gtest/gtest.h>

#include <cmath>

#include "draw/MovingMarker.h"
#include "draw/ParticleSystem.h"
#include "tests/render/RecordingRender.h"
#include "tiles/effects/YSpaceGravity.h"
#include "tiles/effects/YSpaceGravityPoint.h"
#include "tiles/effects/YSpaceWhirl.h"

namespace {

const YColor kWhite(1, 1, 1, 1);

float Speed(const YParticle& p) {
  return std::hypot(p.velocity.x, p.velocity.y);
}

YParticle Moving(float vx, float vy, float target) {
  ParticleSystem system;
  system.AddParticle2D(1.0f, 10, 20, 0, 0, vx, vy, target, nullptr, nullptr, kWhite, kWhite);
  return system.Particles2D().front();
}

TEST(Particles, DieInTheStepTheirAgeReachesTheirLifeAndTheLastTakesTheirPlace) {
  RecordingRender render;
  ParticleSystem system;
  for (float life : {0.75f, 2.0f, 3.0f})
    system.AddParticle2D(life, 10, 10, 0, 0, 0, 0, -1, nullptr, nullptr, kWhite, kWhite);
  std::vector<std::size_t> drawn;
  for (int frame = 0; frame < 4; ++frame) {
    render.ClearCalls();
    system.UpdateAndDraw2D(0.25f);
    drawn.push_back(render.Count("DrawQuad28"));
  }
  // The 0.75 s particle is drawn at ages 0.25 and 0.5 only; at 0.75 it goes.
  EXPECT_EQ(drawn, (std::vector<std::size_t>{3, 3, 2, 2}));
  ASSERT_EQ(system.Particles2D().size(), 2u);
  EXPECT_EQ(system.Particles2D()[0].life, 3.0f);  // the last one moved into the gap
}

TEST(Particles, SpeedGlidesToItsTargetOrKeepsWhatTheWarpLeaves) {
  YParticle keeps = Moving(60, 80, -1);
  YParticle stops = Moving(60, 80, 0);
  YParticle still = Moving(0, 0, 10);
  for (int i = 0; i < 9; ++i) {
    ASSERT_TRUE(ParticleSystem::Step(keeps, 0.1f));
    ASSERT_TRUE(ParticleSystem::Step(stops, 0.1f));
    ASSERT_TRUE(ParticleSystem::Step(still, 0.1f));
  }
  EXPECT_FLOAT_EQ(Speed(keeps), 100.0f);
  EXPECT_NEAR(Speed(stops), 10.0f, 1e-3);  // 100 x (1 - 0.9), on its way to standing still
  EXPECT_EQ(still.position.x, 0.0f);       // no velocity to rescale: it stays
  EXPECT_FALSE(std::isnan(still.velocity.x));
  EXPECT_FALSE(ParticleSystem::Step(stops, 0.1f));
}

TEST(Warps, BendTheVelocityAsTheirForceSays) {
  YParticle p = Moving(5, 0, -1);
  p.position = YVector3(10, 0, 0);
  YSpaceGravityPoint(0, 0).Apply(p, 1.0f);  // moving straight away: 1.1 x its speed back
  EXPECT_FLOAT_EQ(p.velocity.x, -0.5f);
  YSpaceGravityPoint(0, 0).Apply(p, 1.0f);  // now towards it: a gentle 0.02
  EXPECT_FLOAT_EQ(p.velocity.x, -0.51f);

  YParticle on = Moving(3, 4, -1);
  YSpaceGravityPoint(0, 0).Apply(on, 0.1f);  // on the point: untouched, no division by zero
  YSpaceWhirl(0, 0, 100).Apply(on, 0.1f);
  EXPECT_EQ(on.velocity.x, 3.0f);
  EXPECT_EQ(on.velocity.y, 4.0f);

  YParticle beside = Moving(0, 0, -1);
  beside.position = YVector3(0, 10, 0);
  YSpaceWhirl(0, 0, 100).Apply(beside, 0.1f);  // pushed sideways to the line to the point
  EXPECT_FLOAT_EQ(beside.velocity.x, 10.0f);
  EXPECT_FLOAT_EQ(beside.velocity.y, 0.0f);
  YSpaceGravity(YVector3(0, 200, 0)).Apply(beside, 0.5f);
  EXPECT_FLOAT_EQ(beside.velocity.y, 100.0f);
}

TEST(MovingMarkers, BounceByTheExcessAndLeaveTheirWayInSparks) {
  ParticleSystem& particles = GetParticleSystem();
  particles.Clear();
  MovingMarker marker(0, 0, 10, 0);
  marker.Update(0.1f);  // 15 units: 10 to B, 5 back
  EXPECT_FLOAT_EQ(marker.position.x, 5.0f);
  EXPECT_EQ(marker.forward, 0);
  EXPECT_EQ(particles.Particles2D().size(), 3u);  // two sparks up to B, one on the way back
  marker.Update(1.0f / 60);                       // 2.5 units a frame at 60 frames a second
  EXPECT_FLOAT_EQ(marker.position.x, 2.5f);
  EXPECT_EQ(particles.Particles2D().size(), 4u);
  marker.Update(0.05f);  // 7.5 units: past A by 5
  EXPECT_FLOAT_EQ(marker.position.x, 5.0f);
  EXPECT_EQ(marker.forward, 1);
  particles.Clear();
}

}  // namespace
