// The renderer's cached front end on a recording renderer: frame start,
// shaders, materials and states sent only when they change, the keyword
// tables of shader files, device colours and text.
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
using Floats = std::vector<float>;

// A renderer after its first frame start, with the record cleared.
struct FrameStarted : RecordingRender {
  explicit FrameStarted(std::uint32_t stages = 4) : RecordingRender(stages) {
    BeginFrame(true);
    ClearCalls();
  }
};

// A shader of `stageCount` stages with colour and alpha operations "modulate".
std::unique_ptr<YShader> MakeShader(int stageCount, std::string_view name = "test") {
  auto shader = std::make_unique<YShader>(name);
  for (int i = 0; i < stageCount; ++i) {
    StageStates& states = shader->AddStage().states;
    states[0] = states[3] = 4;
  }
  return shader;
}

YMaterial MaterialOf(const RecordingRender::Call* call) {
  const std::vector<float>& f = call->floats;
  EXPECT_EQ(f.size(), 17u);
  if (f.size() != 17) return {};
  return {YColor(f[0], f[1], f[2], f[3]), YColor(f[4], f[5], f[6], f[7]), YColor(f[8], f[9], f[10], f[11]),
          YColor(f[12], f[13], f[14], f[15]), f[16]};
}

// All-ones defaults (states 3, 14, 15) must be sent although a cache of
// unknown values could take them for "already sent".
TEST(YRenderFrameStart, SendsEveryDefaultEveryFrame) {
  RecordingRender render(2);
  render.BeginFrame(true);
  EXPECT_EQ(render.Count("SetRenderState"), static_cast<std::size_t>(kRenderStateCount));
  for (const char* allOnes :
       {"SetRenderState 3 4294967295", "SetRenderState 14 4294967295", "SetRenderState 15 4294967295"})
    EXPECT_EQ(render.Count(allOnes), 1u) << allOnes;
  EXPECT_EQ(render.Count("SetStageState 1 "), static_cast<std::size_t>(kStageStateCount));
  EXPECT_EQ(render.Count("SetStageState 2 "), 0u);  // beyond the device's two stages
  EXPECT_EQ(render.Texts("SetTextureMatrix"), (Texts{"SetTextureMatrix 0 off", "SetTextureMatrix 1 off"}));
  EXPECT_EQ(render.Texts().back(), "SetStageCount 1");
  EXPECT_EQ(MaterialOf(render.CallsMatching("ApplyMaterial").at(0)),
            (YMaterial{kWhite, kWhite, kWhite, kWhite, 0}));
  const Texts first = render.Texts();
  render.ClearCalls();
  render.BeginFrame(true);
  EXPECT_EQ(render.Texts(), first);
}

// Drivers may report more texture units than the caches hold.
TEST(YRenderFrameStart, StageLimitBeyondTheCachesIsClamped) {
  RecordingRender render(2);
  render.stageLimit = 32;
  render.BeginFrame(true);
  EXPECT_EQ(render.Count("SetTextureMatrix"), static_cast<std::size_t>(kMaxStages));
  YTextureBase texture("a");
  render.ClearCalls();
  render.SetStageTexture(&texture, 12);
  render.ApplyStageStates(12, DefaultStageStates());
  EXPECT_TRUE(render.calls.empty());
}

TEST(YRenderShader, CurrentShaderSendsNothingNotEvenItsMaterial) {
  FrameStarted render;
  auto shader = MakeShader(1);
  render.SetShader(shader.get(), true);
  render.SetColor(YColor(1, 0, 0, 1));
  render.ClearCalls();
  render.SetShader(shader.get(), true);
  EXPECT_TRUE(render.calls.empty());
  render.SetShader(nullptr, true);  // none current: the next one is taken again
  render.SetShader(shader.get(), true);
  EXPECT_EQ(render.currentShader, shader.get());
}

TEST(YRenderShader, DroppedStageIsDisabledAndResentWhenNeededAgain) {
  FrameStarted render;
  YTextureBase t0("t0"), t1("t1");
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

TEST(YRenderMaterial, ShaderColorSendsItsMaterialEvenForTheCurrentShader) {
  FrameStarted render;
  auto shader = MakeShader(1);
  render.SetShader(shader.get(), true);
  render.ClearCalls();
  const YColor colour(0.2f, 0.4f, 0.6f, 0.5f);
  render.SetShaderColor(shader.get(), colour);
  ASSERT_EQ(render.Texts(), Texts{"ApplyMaterial"});
  const YMaterial expected{YColor(0, 0, 0, 0.5f), kBaseColor, kBaseColor, colour, 0};
  EXPECT_EQ(MaterialOf(&render.calls[0]), expected);
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
  StageStates states = DefaultStageStates();
  states[9] = 3;
  YTextureBase texture("a");  // loads at once
  render.ClearCalls();
  for (int i = 0; i < 2; ++i) {
    render.ApplyStates(block);
    render.ApplyStageStates(1, states);
    render.SetStageTexture(nullptr, 0);
    render.SetStageTexture(&texture, 2);  // beyond the device's stages
    render.SetStageTexture(&texture, 1);
  }
  EXPECT_EQ(render.Texts(), (Texts{"SetRenderState 5 1", "SetStageState 1 9 3", "BindTexture 1"}));
}

TEST(YRenderKeywords, RenderStateAndTextureStageValues) {
  RecordingRender render;
  const struct {
    bool stage;
    int id;
    const char* keyword;
    int value;
  } cases[] = {{false, 0, "true", 1},      {false, 8, "false", 0},     {false, 7, "0", 0},
               {false, 6, "true", 1},      {false, 6, "false", 0},     {false, 6, "1", -1},
               {false, 6, "0", -1},        {false, 2, "scrcolor", 3},  {false, 1, "srccolor", -1},
               {false, 11, "decr", 8},     {false, 3, "true", -1},     {false, 20, "true", -1},
               {false, -1, "true", -1},    {false, 0, "TRUE", -1},     {false, 0, "", -1},
               {true, 0, "disable", 1},    {true, 0, "substract", 10}, {true, 0, "subtract", -1},
               {true, 3, "Substract", -1}, {true, 0, "lerp", 26},      {true, 8, "gaussiancubic", 5},
               {true, 9, "wrap", -1},      {true, 11, "disable", -1},  {true, 0, "current", -1}};
  for (const auto& c : cases)
    EXPECT_EQ(c.stage ? render.TextureStageValue(c.id, c.keyword) : render.RenderStateValue(c.id, c.keyword),
              c.value)
        << c.stage << " " << c.id << " " << c.keyword;
  EXPECT_EQ(render.RenderStateValue(5, std::string_view("cw\0", 3)), -1);
  EXPECT_EQ(render.TextureStageValue(0, "modulateinvcolor_addalpha"), 21);
}

TEST(YRenderColour, ChannelsAreTruncatedAndClamped) {
  RecordingRender render;
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  EXPECT_EQ(render.ColorToD3D(YColor(0.1f, 0.2f, 0.3f, 0.4f)), 0x6619334Cu);
  EXPECT_EQ(render.ColorToD3D(YColor(2, -1, 1.5f, 3)), 0xFFFF00FFu);
  EXPECT_EQ(render.ColorToD3D(YColor(nan, inf, -inf, nan)), 0x0000FF00u);
}

// A font whose 'A' is a unit square with advance 0.5; 'B' has the quad but no advance.
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

TEST(YRenderText, CornersFollowPenAndUpDirections) {
  FrameStarted render;
  TestFont f;
  // Pen along +z, up along +x: corner = p + (s*gx + pen)*pen + (s - s*gy)*up;
  // each corner is the position, then (u, v) in both sets.
  EXPECT_EQ(render.DrawTextEx(f.font, YVector3(1, 2, 3), 10, "AA", YVector3(0, 0, 1), YVector3(1, 0, 0)),
            10.0f);
  EXPECT_EQ(render.currentShader, f.shader.get());
  const auto quads = render.CallsMatching("DrawQuad28");
  ASSERT_EQ(quads.size(), 2u);
  EXPECT_EQ(quads[0]->floats,
            (Floats{1, 2, 3, 0, 1, 0, 1, 11, 2, 3, 0, 0, 0, 0, 11, 2, 13, 1, 0, 1, 0, 1, 2, 13, 1, 1, 1, 1}));
  EXPECT_EQ(Floats(quads[1]->floats.begin(), quads[1]->floats.begin() + 3), (Floats{1, 2, 8}));  // pen 5
  // Screen text stands on its position: bottom left at (x, y), top right at y - size.
  render.ClearCalls();
  EXPECT_EQ(render.DrawText(f.font, 100, 50, 20, "A"), 10.0f);
  const Floats& screen = render.CallsMatching("DrawQuad28").at(0)->floats;
  EXPECT_EQ((Floats{screen[0], screen[1], screen[14], screen[15]}), (Floats{100, 50, 120, 30}));
}

TEST(YRenderText, OnlyBytesWithAnAdvanceDraw) {
  FrameStarted render;
  TestFont f;
  EXPECT_EQ(render.DrawText(f.font, 0, 0, 16, "B\x01 "), 0.0f);
  EXPECT_EQ(render.DrawText(f.font, 0, 0, 16, "BAB"), 8.0f);
  EXPECT_EQ(render.DrawText(f.font, 0, 0, 4, "\xE9"), 1.0f);  // bytes above 127 index the table too
  EXPECT_EQ(render.DrawText(f.font, 0, 0, 2, std::string_view("A\0A", 3)), 1.0f);  // ends at a zero
  EXPECT_EQ(render.Count("DrawQuad28"), 3u);
  render.ClearCalls();
  YFont unloaded("unloaded");  // known only by name: no shader, nothing drawn
  EXPECT_EQ(render.DrawText(unloaded, 0, 0, 16, "Hello"), 0.0f);
  EXPECT_TRUE(render.calls.empty());
}

}  // namespace
