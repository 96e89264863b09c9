#include "render/YRender.h"

#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "render/YFont.h"
#include "render/YShader.h"
#include "render/YShaderStage.h"
#include "render/YTextureBase.h"
#include "tests/render/RecordingRender.h"

namespace {

using Texts = std::vector<std::string>;

// A renderer after its first frame start, with the record cleared.
struct FrameStarted : RecordingRender {
  explicit FrameStarted(std::uint32_t stages = 4) : RecordingRender(stages) {
    BeginFrame(true);
    ClearCalls();
  }
};

// A shader of `stageCount` stages with colour and alpha operations
// "modulate" (the defaults otherwise).
std::unique_ptr<YShader> MakeShader(int stageCount, std::string_view name = "test") {
  auto shader = std::make_unique<YShader>(name);
  for (int i = 0; i < stageCount; ++i) {
    StageStates& states = shader->AddStage().states;
    states[0] = states[3] = 4;
  }
  return shader;
}

YMaterial MaterialFrom(const RecordingRender::Call& call) {
  YMaterial m;
  if (call.floats.size() != 17) {
    ADD_FAILURE() << call.text << " carries " << call.floats.size() << " floats";
    return m;
  }
  const float* f = call.floats.data();
  m.diffuse = YColor(f[0], f[1], f[2], f[3]);
  m.ambient = YColor(f[4], f[5], f[6], f[7]);
  m.specular = YColor(f[8], f[9], f[10], f[11]);
  m.emissive = YColor(f[12], f[13], f[14], f[15]);
  m.power = f[16];
  return m;
}

// ---- Lifetime and frame start ---------------------------------------------------

TEST(YRenderFrameStart, RendererIsPublishedWhileItLives) {
  ASSERT_EQ(g_render, nullptr);
  {
    RecordingRender render;
    EXPECT_EQ(g_render, &render);
    EXPECT_EQ(render.materialCache, (YMaterial{kBaseColor, kBaseColor, kBaseColor, kBaseColor, 0}));
    EXPECT_EQ(render.defaultStageStates, DefaultStageStates());
  }
  EXPECT_EQ(g_render, nullptr);
}

TEST(YRenderFrameStart, SendsEveryDefaultIncludingAllOnesValues) {
  RecordingRender render(2);
  render.BeginFrame(true);
  EXPECT_EQ(render.Count("SetRenderState"), static_cast<std::size_t>(kRenderStateCount));
  for (const char* allOnes : {"SetRenderState 3 4294967295", "SetRenderState 14 4294967295",
                              "SetRenderState 15 4294967295"}) {
    EXPECT_EQ(render.Count(allOnes), 1u) << allOnes;
  }
  EXPECT_EQ(render.Count("SetStageState 0 "), static_cast<std::size_t>(kStageStateCount));
  EXPECT_EQ(render.Count("SetStageState 1 "), static_cast<std::size_t>(kStageStateCount));
  EXPECT_EQ(render.Count("SetStageState 2 "), 0u);  // beyond the device's two stages
  EXPECT_EQ(render.Matching("SetTextureMatrix"), (Texts{"SetTextureMatrix 0 off", "SetTextureMatrix 1 off"}));
  EXPECT_EQ(render.Matching("EnableLight"), Texts{"EnableLight 1"});
  EXPECT_EQ(render.Texts().back(), "SetStageCount 1");
  const YMaterial white{kWhite, kWhite, kWhite, kWhite, 0};
  EXPECT_EQ(MaterialFrom(*render.CallsMatching("ApplyMaterial").at(0)), white);
  EXPECT_EQ(render.materialCache, white);
}

TEST(YRenderFrameStart, EveryFrameSendsTheDefaultsAgain) {
  RecordingRender render;
  render.BeginFrame(false);
  const Texts first = render.Texts();
  render.ClearCalls();
  render.BeginFrame(false);
  EXPECT_EQ(render.Texts(), first);
}

TEST(YRenderFrameStart, ForgetsTheShaderTexturesAndMatrices) {
  FrameStarted render;
  YTextureBase texture("a");
  auto shader = MakeShader(1);
  shader->stages[0]->texture = &texture;
  shader->stages[0]->identity = false;
  render.SetShader(shader.get(), true);
  render.BeginFrame(true);
  EXPECT_EQ(render.currentShader, nullptr);
  EXPECT_EQ(render.boundTextures[0], nullptr);
  render.ClearCalls();
  render.SetShader(shader.get(), true);
  EXPECT_EQ(render.Count("BindTexture 0"), 1u);
  EXPECT_EQ(render.Count("SetTextureMatrix 0 on"), 1u);
}

TEST(YRenderFrameStart, StageLimitBeyondTheCachesIsClamped) {
  RecordingRender render;
  render.stageLimit = 32;  // more texture units than the caches describe
  render.BeginFrame(true);
  EXPECT_EQ(render.Count("SetTextureMatrix"), static_cast<std::size_t>(kMaxStages));
  YTextureBase texture("a");
  render.ClearCalls();
  render.SetStageTexture(&texture, 12);
  render.ApplyStageStates(12, DefaultStageStates());
  EXPECT_TRUE(render.calls.empty());
}

// ---- Shaders -------------------------------------------------------------------

TEST(YRenderShader, CurrentShaderSendsNothingNotEvenItsMaterial) {
  FrameStarted render;
  auto shader = MakeShader(1);
  render.SetShader(shader.get(), true);
  render.SetColor(YColor(1, 0, 0, 1));
  render.ClearCalls();
  render.SetShader(shader.get(), true);
  EXPECT_TRUE(render.calls.empty());
}

TEST(YRenderShader, SendsOnlyWhatDiffersFromTheCaches) {
  FrameStarted render;
  auto shader = MakeShader(1);
  shader->states[0] = 1;  // alpha blending on
  shader->states[1] = 5;
  shader->material = render.materialCache;
  render.SetShader(shader.get(), true);
  EXPECT_EQ(render.Texts(),
            (Texts{"SetRenderState 0 1", "SetRenderState 1 5", "SetStageState 0 0 4", "SetStageState 0 3 4"}));

  auto other = MakeShader(1, "other");
  other->material.power = 4;
  render.ClearCalls();
  render.SetShader(other.get(), false);
  render.SetShader(shader.get(), false);
  render.SetShader(other.get(), true);
  EXPECT_EQ(render.Matching("SetStageState"), Texts{});
  ASSERT_EQ(render.Count("ApplyMaterial"), 1u);
  EXPECT_EQ(MaterialFrom(*render.CallsMatching("ApplyMaterial")[0]), other->material);
}

TEST(YRenderShader, NullShaderMakesNoneCurrent) {
  FrameStarted render;
  auto shader = MakeShader(1);
  render.SetShader(shader.get(), true);
  render.SetShader(nullptr, true);
  EXPECT_EQ(render.currentShader, nullptr);
  render.SetShader(shader.get(), true);
  EXPECT_EQ(render.currentShader, shader.get());
}

TEST(YRenderShader, DroppedStageIsDisabledAndResentWhenNeededAgain) {
  FrameStarted render;
  YTextureBase t0("t0");
  YTextureBase t1("t1");
  auto two = MakeShader(2, "two");
  two->stages[0]->texture = &t0;
  two->stages[1]->texture = &t1;
  auto one = MakeShader(1, "one");
  one->stages[0]->texture = &t0;

  render.SetShader(two.get(), true);
  render.ClearCalls();
  render.SetShader(one.get(), true);
  EXPECT_EQ(render.Texts(), Texts{"SetStageCount 1"});
  EXPECT_EQ(render.boundTextures[1], nullptr);

  render.ClearCalls();
  render.SetShader(two.get(), true);
  EXPECT_EQ(render.Texts(),
            (Texts{"SetStageCount 2", "BindTexture 1", "SetStageState 1 0 4", "SetStageState 1 3 4"}));
  EXPECT_EQ(render.calls[1].object, &t1);
}

TEST(YRenderShader, StageWithoutTextureKeepsTheEarlierBinding) {
  FrameStarted render;
  YTextureBase texture("a");
  auto textured = MakeShader(1, "textured");
  textured->stages[0]->texture = &texture;
  auto bare = MakeShader(1, "bare");
  render.SetShader(textured.get(), false);
  render.SetShader(bare.get(), false);
  render.ClearCalls();
  render.SetShader(textured.get(), false);
  EXPECT_EQ(render.Count("BindTexture"), 0u);
  EXPECT_EQ(render.boundTextures[0], texture.DeviceTexture());
}

TEST(YRenderShader, StagesBeyondTheDeviceLimitAreNotDrawn) {
  FrameStarted render(2);
  std::vector<std::unique_ptr<YTextureBase>> textures;
  auto shader = MakeShader(3);
  for (const auto& stage : shader->stages) {
    textures.push_back(std::make_unique<YTextureBase>("t"));
    stage->texture = textures.back().get();
  }
  render.SetShader(shader.get(), false);
  EXPECT_EQ(render.stageCount, 2u);
  EXPECT_EQ(render.Count("BindTexture"), 2u);
  EXPECT_EQ(render.Count("SetStageState 2 "), 0u);
}

TEST(YRenderShader, TextureMatrixFollowsTheIdentityFlags) {
  FrameStarted render;
  auto plain = MakeShader(1, "plain");
  auto moving = MakeShader(1, "moving");
  moving->stages[0]->identity = false;
  moving->stages[0]->matrix.m[2][0] = 0.25f;

  render.SetShader(plain.get(), false);  // identity on both sides: nothing
  EXPECT_EQ(render.Count("SetTextureMatrix"), 0u);
  render.SetShader(moving.get(), false);
  const auto sent = render.CallsMatching("SetTextureMatrix 0 on");
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0]->floats.at(8), 0.25f);

  render.ClearCalls();
  render.SetShader(plain.get(), false);
  EXPECT_EQ(render.Matching("SetTextureMatrix"), Texts{"SetTextureMatrix 0 off"});
}

// ---- Materials and cached states --------------------------------------------------

TEST(YRenderMaterial, ShaderColorSendsItsMaterialEvenForTheCurrentShader) {
  FrameStarted render;
  auto shader = MakeShader(1);
  render.SetShader(shader.get(), true);
  render.ClearCalls();
  const YColor colour(0.2f, 0.4f, 0.6f, 0.5f);
  render.SetShaderColor(shader.get(), colour);
  ASSERT_EQ(render.Texts(), Texts{"ApplyMaterial"});
  const YMaterial expected{YColor(0, 0, 0, 0.5f), kBaseColor, kBaseColor, colour, 0};
  EXPECT_EQ(MaterialFrom(render.calls[0]), expected);

  render.ClearCalls();
  render.SetShaderColor(shader.get(), colour);  // now cached
  render.SetColor(colour);                      // the same material
  EXPECT_TRUE(render.calls.empty());
  render.SetMaterial(expected, false);
  EXPECT_EQ(render.Count("ApplyMaterial"), 1u);
}

TEST(YRenderStates, StatesAndTexturesAreSentOnlyWhenTheyChange) {
  FrameStarted render(2);
  RenderStateBlock block;
  block[5] = 1;
  render.ApplyStates(block);
  render.ApplyStates(block);
  StageStates states = DefaultStageStates();
  states[9] = 3;
  render.ApplyStageStates(1, states);
  render.ApplyStageStates(1, states);
  YTextureBase texture("a");
  render.SetStageTexture(nullptr, 0);
  render.SetStageTexture(&texture, 2);  // beyond the device's stages
  render.SetStageTexture(&texture, 1);
  render.SetStageTexture(&texture, 1);
  EXPECT_EQ(render.Texts(), (Texts{"SetRenderState 5 1", "SetStageState 1 9 3", "LoadTexture", "BindTexture 1"}));
}

// ---- Keyword tables ------------------------------------------------------------

struct KeywordCase {
  int id;
  const char* keyword;
  int value;
};

TEST(YRenderKeywords, RenderStateValues) {
  RecordingRender render;
  const KeywordCase cases[] = {
      {0, "true", 1},       {0, "1", 1},         {7, "0", 0},          {8, "false", 0},
      {6, "true", 1},       {6, "false", 0},     {6, "1", -1},         {6, "0", -1},
      {1, "zero", 1},       {2, "scrcolor", 3},  {1, "srccolor", -1},  {2, "srcalphasat", 11},
      {4, "lessequal", 4},  {12, "always", 8},   {5, "cw", 2},         {5, "ccw", 3},
      {9, "keep", 1},       {11, "decr", 8},     {16, "material", 0},  {19, "color2", 2},
      {3, "true", -1},      {13, "0", -1},       {14, "1", -1},        {15, "keep", -1},
      {20, "true", -1},     {-1, "true", -1},    {0, "TRUE", -1},      {0, "true ", -1},
      {0, "", -1},
  };
  for (const KeywordCase& c : cases) {
    EXPECT_EQ(render.RenderStateValue(c.id, c.keyword), c.value) << c.id << " " << c.keyword;
  }
  EXPECT_EQ(render.RenderStateValue(5, std::string_view("cw\0", 3)), -1);
}

TEST(YRenderKeywords, TextureStageValues) {
  RecordingRender render;
  const KeywordCase cases[] = {
      {0, "disable", 1},      {3, "modulate", 4},     {0, "substract", 10},  {0, "subtract", -1},
      {3, "Substract", -1},   {0, "lerp", 26},        {0, "dotproduct3", 24}, {0, "bumpenvmap", -1},
      {0, "modulateinvcolor_addalpha", 21},           {1, "current", 1},     {2, "diffuse", 0},
      {4, "selectmask", 15},  {5, "color", 3},        {6, "none", 0},        {8, "gaussiancubic", 5},
      {9, "repeat", 1},       {10, "clamp", 3},       {9, "mirror", 2},      {9, "wrap", -1},
      {11, "disable", -1},    {-3, "disable", -1},    {0, "current", -1},    {1, "disable", -1},
  };
  for (const KeywordCase& c : cases) {
    EXPECT_EQ(render.TextureStageValue(c.id, c.keyword), c.value) << c.id << " " << c.keyword;
  }
}

// ---- Device colours ------------------------------------------------------------

TEST(YRenderColour, ChannelsAreTruncatedAndClamped) {
  RecordingRender render;
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  EXPECT_EQ(render.ColorToD3D(YColor(1, 0.5f, 0, 1)), 0xFFFF7F00u);
  EXPECT_EQ(render.ColorToD3D(YColor(0.1f, 0.2f, 0.3f, 0.4f)), 0x6619334Cu);
  EXPECT_EQ(render.ColorToD3D(YColor(2, -1, 1.5f, 3)), 0xFFFF00FFu);
  EXPECT_EQ(render.ColorToD3D(YColor(0, 0, 0, -0.5f)), 0x00000000u);
  EXPECT_EQ(render.ColorToD3D(YColor(nan, inf, -inf, nan)), 0x0000FF00u);
}

// ---- Text ----------------------------------------------------------------------

// A font whose 'A' is a unit square with advance 0.5 and whose 'B' has the
// same quad but no advance.
struct TestFont {
  TestFont() : font("test"), shader(MakeShader(1, "font")) {
    font.shader = shader.get();
    const YGlyph square{{{0, 1, 9, 0, 1}, {0, 0, 9, 0, 0}, {1, 0, 9, 1, 0}, {1, 1, 9, 1, 1}}};
    font.glyphs['A'] = font.glyphs['B'] = font.glyphs[0xE9] = square;
    font.widths['A'] = 0.5f;
    font.widths[0xE9] = 0.25f;
  }
  YFont font;
  std::unique_ptr<YShader> shader;
};

// Corner k of a recorded quad: position, then (u, v) in both sets.
void ExpectCorner(const RecordingRender::Call* quad, int k, YVector3 p, float u, float v) {
  ASSERT_EQ(quad->floats.size(), 28u);
  const float* c = &quad->floats[static_cast<std::size_t>(7 * k)];
  EXPECT_FLOAT_EQ(c[0], p.x) << "corner " << k;
  EXPECT_FLOAT_EQ(c[1], p.y) << "corner " << k;
  EXPECT_FLOAT_EQ(c[2], p.z) << "corner " << k;
  EXPECT_EQ((std::vector<float>{c[3], c[4], c[5], c[6]}), (std::vector<float>{u, v, u, v}));
}

TEST(YRenderText, CornersFollowPenAndUpDirections) {
  FrameStarted render;
  TestFont f;
  // Pen along +z, up along +x: corner = p + (s*gx + pen)*pen + (s - s*gy)*up.
  EXPECT_EQ(render.DrawTextEx(f.font, YVector3(1, 2, 3), 10, "AA", YVector3(0, 0, 1), YVector3(1, 0, 0)), 10.0f);
  EXPECT_EQ(render.currentShader, f.shader.get());
  const auto quads = render.CallsMatching("DrawQuad28");
  ASSERT_EQ(quads.size(), 2u);
  ExpectCorner(quads[0], 0, YVector3(1, 2, 3), 0, 1);
  ExpectCorner(quads[0], 1, YVector3(11, 2, 3), 0, 0);
  ExpectCorner(quads[0], 2, YVector3(11, 2, 13), 1, 0);
  ExpectCorner(quads[0], 3, YVector3(1, 2, 13), 1, 1);
  ExpectCorner(quads[1], 0, YVector3(1, 2, 8), 0, 1);  // the second glyph starts at pen 5
}

TEST(YRenderText, ScreenTextStandsOnItsPosition) {
  FrameStarted render;
  TestFont f;
  EXPECT_EQ(render.DrawText(f.font, 100, 50, 20, "A"), 10.0f);
  const auto quads = render.CallsMatching("DrawQuad28");
  ASSERT_EQ(quads.size(), 1u);
  ExpectCorner(quads[0], 0, YVector3(100, 50, 0), 0, 1);  // bottom left at (x, y)
  ExpectCorner(quads[0], 2, YVector3(120, 30, 0), 1, 0);  // top right: y - size
}

TEST(YRenderText, OnlyBytesWithAnAdvanceDraw) {
  FrameStarted render;
  TestFont f;
  EXPECT_EQ(render.DrawText(f.font, 0, 0, 16, ""), 0.0f);
  EXPECT_EQ(render.DrawText(f.font, 0, 0, 16, "B\x01 "), 0.0f);
  EXPECT_EQ(render.Count("DrawQuad28"), 0u);
  EXPECT_EQ(render.DrawText(f.font, 0, 0, 16, "BAB"), 8.0f);
  EXPECT_EQ(render.DrawText(f.font, 0, 0, 4, "\xE9"), 1.0f);  // bytes above 127 index the table too
  EXPECT_EQ(render.DrawText(f.font, 0, 0, 2, std::string_view("A\0A", 3)), 1.0f);  // ends at a zero
  EXPECT_EQ(render.Count("DrawQuad28"), 3u);
}

TEST(YRenderText, FontKnownOnlyByNameDrawsNothing) {
  FrameStarted render;
  YFont font("unloaded");
  EXPECT_EQ(render.DrawText(font, 0, 0, 16, "Hello"), 0.0f);
  EXPECT_TRUE(render.calls.empty());
}

}  // namespace
