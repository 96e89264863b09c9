// The splash sequence: its timing and skips step by step, and what one
// frame draws (colours and quads) through the recording renderer.
#include "render/SplashScreens.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/render/RecordingRender.h"

namespace {

using Phase = SplashScreens::Phase;

struct Step {
  enum Op { Update, Skip, SkipAll } op;
  float dt;
  Phase phase;  // then expected
  int index;
  float alpha;
};

struct Scenario {
  const char* name;
  int screens;
  std::vector<Step> steps;
};

SplashScreens Sequence(int screens) {
  SplashScreens splash;
  for (int i = 0; i < screens; ++i) splash.AddScreen("splash_test_image", "splash_test_back", {}, 800, 600);
  return splash;
}

TEST(SplashScreens, TimingSkipsAndOvershoot) {
  constexpr auto In = Phase::FadeIn, Shown = Phase::Shown, Out = Phase::FadeOut;
  constexpr auto U = Step::Update, S = Step::Skip, A = Step::SkipAll;
  const Scenario scenarios[] = {
      {"a whole screen, overshoot carried",
       2,
       {{U, 1.0f, In, 0, 0.5f}, {U, 1.5f, Shown, 0, 1}, {U, 2.6f, Out, 0, 0.95f}, {U, 1.8f, Out, 0, 0.05f},
        {U, 0.3f, In, 1, 0.1f}}},
      {"skip while fading in leaves at that brightness",
       2,
       {{U, 0.8f, In, 0, 0.4f}, {S, 0, Out, 0, 0.4f}, {U, 0.7f, Out, 0, 0.05f}, {U, 0.2f, In, 1, 0.05f}}},
      {"skip while shown fades over the whole fade time",
       2,
       {{U, 2.5f, Shown, 0, 1}, {S, 0, Out, 0, 1}, {U, 1.9f, Out, 0, 0.05f}, {U, 0.2f, In, 1, 0.05f}}},
      {"skip while fading out changes nothing",
       2,
       {{U, 2.5f, Shown, 0, 1}, {U, 3.0f, Out, 0, 0.75f}, {S, 0, Out, 0, 0.75f}, {U, 1.6f, In, 1, 0.05f}}},
      {"one phase change per update however long the step",
       2,
       {{U, 10, Shown, 0, 1}, {U, 0, Out, 0, 0}, {U, 0, In, 1, 1}, {U, 0, Shown, 1, 1}}},
      {"skip-all in the second of three ends after its fade-out",
       3,
       {{U, 2.5f, Shown, 0, 1}, {U, 3.0f, Out, 0, 0.75f}, {U, 2.0f, In, 1, 0.25f}, {A, 0, Out, 1, 0.25f},
        {U, 0.6f, In, 101, 0.05f}, {U, 9, In, 101, 0.05f}}},
  };
  for (const Scenario& scenario : scenarios) {
    SplashScreens splash = Sequence(scenario.screens);
    for (std::size_t i = 0; i < scenario.steps.size(); ++i) {
      const Step& step = scenario.steps[i];
      if (step.op == Step::Update) splash.Update(step.dt);
      if (step.op == Step::Skip) splash.Skip();
      if (step.op == Step::SkipAll) splash.SkipAll();
      const std::string where = std::string(scenario.name) + ", step " + std::to_string(i);
      EXPECT_EQ(splash.State(), step.phase) << where;
      EXPECT_EQ(splash.Index(), step.index) << where;
      EXPECT_NEAR(splash.Alpha(), step.alpha, 1e-5f) << where;
    }
    EXPECT_EQ(splash.Over(), splash.Index() >= scenario.screens) << scenario.name;
  }
}

TEST(SplashScreens, DrawReportsTheEndAndDrawsNothingThen) {
  RecordingRender render;
  SplashScreens empty;
  EXPECT_FALSE(empty.Draw());
  SplashScreens one = Sequence(1);
  EXPECT_TRUE(one.Draw());
  for (float dt : {2.5f, 3.5f, 2.5f}) one.Update(dt);
  render.ClearCalls();
  EXPECT_FALSE(one.Draw());
  one.Update(20);
  EXPECT_FALSE(one.Draw());
  EXPECT_EQ(render.Count("Draw"), 0u);
}

// The background over the viewport at depth 1 in its colour times alpha,
// then the image at its own size at depth 0, tinted grey by alpha; a second
// screen of another size draws at its own size.
TEST(SplashScreens, DrawsBackgroundThenImageInTheirColours) {
  RecordingRender render;
  render.BeginFrame(true);
  SplashScreens splash;
  splash.AddScreen("splash_test_image", "splash_test_back", YColor(0.5f, 0.25f, 1, 1), 400, 300);
  splash.AddScreen("splash_test_image", "splash_test_back", YColor(0, 0, 0, 1), 800, 600);
  splash.Update(1.0f);  // alpha 0.5
  render.ClearCalls();
  ASSERT_TRUE(splash.Draw());

  const auto materials = render.CallsMatching("ApplyMaterial");
  const auto quads = render.CallsMatching("DrawQuad28");
  ASSERT_EQ(materials.size(), 2u);
  ASSERT_EQ(quads.size(), 2u);
  const auto emissive = [](const RecordingRender::Call* call) {
    return std::vector<float>(call->floats.begin() + 12, call->floats.begin() + 16);
  };
  EXPECT_EQ(emissive(materials[0]), (std::vector<float>{0.25f, 0.125f, 0.5f, 0.5f}));
  EXPECT_EQ(materials[0]->floats[3], 0.5f);  // diffuse alpha
  EXPECT_EQ(emissive(materials[1]), (std::vector<float>{0.5f, 0.5f, 0.5f, 1}));
  std::vector<std::string> order;
  for (const std::string& text : render.Texts())
    if (text == "ApplyMaterial" || text == "DrawQuad28") order.push_back(text);
  EXPECT_EQ(order, (std::vector<std::string>{"ApplyMaterial", "DrawQuad28", "ApplyMaterial", "DrawQuad28"}));

  const float lo = 0.001f, hi = 0.999f;
  const std::vector<float> background = {-1, -1, 1, lo, hi, lo, hi, 1,  -1, 1, hi, hi, hi, hi,
                                         1,  1,  1, hi, lo, hi, lo, -1, 1,  1, lo, lo, lo, lo};
  const std::vector<float> image = {-0.5f, -0.5f, 0, lo, hi, lo, hi, 0.5f,  -0.5f, 0, hi, hi, hi, hi,
                                    0.5f,  0.5f,  0, hi, lo, hi, lo, -0.5f, 0.5f,  0, lo, lo, lo, lo};
  EXPECT_EQ(quads[0]->floats, background);
  EXPECT_EQ(quads[1]->floats, image);

  for (float dt : {1.5f, 3.5f, 2.5f}) splash.Update(dt);
  ASSERT_EQ(splash.Index(), 1);
  render.ClearCalls();
  ASSERT_TRUE(splash.Draw());
  const auto second = render.CallsMatching("DrawQuad28");
  ASSERT_EQ(second.size(), 2u);
  EXPECT_EQ(second[0]->floats, background);
  EXPECT_FLOAT_EQ(second[1]->floats[0], -1.0f);  // x and y of the first corner
  EXPECT_FLOAT_EQ(second[1]->floats[1], -1.0f);
}

}  // namespace
