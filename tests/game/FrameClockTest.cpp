// The frame's time step and the mouse's view coordinates.
#include <gtest/gtest.h>

#include "game/FrameClock.h"

namespace {

TEST(FrameClock, GathersTenMillisecondsAndCapsTheStep) {
  FrameClock clock(1000);
  float dt = -1;
  EXPECT_FALSE(clock.Gather(1005, dt));  // 5 ms: nothing drawn
  ASSERT_TRUE(clock.Gather(1011, dt));   // 6 ms more: the frame steps 11 ms
  EXPECT_NEAR(dt, 0.011f, 1e-6f);
  ASSERT_TRUE(clock.Gather(3011, dt));  // a two-second pause steps 50 ms only
  EXPECT_FLOAT_EQ(dt, 0.05f);
  ASSERT_TRUE(clock.Gather(3031, dt));  // and nothing of the pause is left over
  EXPECT_NEAR(dt, 0.02f, 1e-6f);
}

TEST(FrameClock, ACalmScreenWaitsThirtyMillisecondsUnlessAMessageCame) {
  FrameClock clock(0);
  float dt = 0;
  clock.SetCalm(true);
  EXPECT_FALSE(clock.Gather(20, dt));
  EXPECT_EQ(clock.MsUntilDue(), 10u);  // what the loop may wait for a message
  ASSERT_TRUE(clock.Gather(30, dt));
  EXPECT_NEAR(dt, 0.03f, 1e-6f);
  clock.Wake();  // a message: the next frame after the usual 10 ms
  EXPECT_EQ(clock.MsUntilDue(), 10u);
  ASSERT_TRUE(clock.Gather(40, dt));
  EXPECT_FALSE(clock.Gather(55, dt));  // calm again once that frame ran
  clock.SetCalm(false);
  ASSERT_TRUE(clock.Gather(60, dt));
  EXPECT_NEAR(dt, 0.02f, 1e-6f);
}

TEST(FrameClock, SurvivesTheMillisecondClockWrapping) {
  FrameClock clock(0xFFFFFFF0u);
  float dt = 0;
  ASSERT_TRUE(clock.Gather(0x10u, dt));  // 32 ms across the wrap
  EXPECT_NEAR(dt, 0.032f, 1e-6f);
}

TEST(ClientToView, CentreAndCornersOfTheDesignPicture) {
  struct Case {
    int x, y, width, height;
    float vx, vy;
  };
  for (const Case& c : {Case{500, 312, 1000, 625, 0.0f, 0.0f}, Case{0, 0, 1000, 625, -1.0f, 0.625f},
                        Case{1000, 625, 1000, 625, 1.0f, -0.625f},
                        // A wider window: the picture is centred, x grows past 1 at the edges.
                        Case{0, 0, 1280, 625, -1.28f, 0.625f},
                        // A taller window: y grows past the design's 0.625.
                        Case{0, 0, 1000, 1000, -1.0f, 1.0f}}) {
    float vx = 0, vy = 0;
    const float aspect = static_cast<float>(c.width) / static_cast<float>(c.height);
    ClientToView(c.x, c.y, c.width, c.height, aspect, 1.6f, vx, vy);
    EXPECT_NEAR(vx, c.vx, 0.002f) << c.x << "," << c.y << " in " << c.width << "x" << c.height;
    EXPECT_NEAR(vy, c.vy, 0.002f) << c.x << "," << c.y << " in " << c.width << "x" << c.height;
  }
}

}  // namespace
