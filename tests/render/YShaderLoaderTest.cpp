// The shader file reader and the shader registry: definitions filled in
// place, redefinition and inheritance, attribute-to-state conversion,
// context and keyword errors with their exact log texts, and the program's
// own shader file.
#include "render/YShaderLoader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/YContainer.h"
#include "render/YShader.h"
#include "render/YTextureBase.h"
#include "tests/framework/LogCapture.h"
#include "tests/render/RecordingRender.h"
#include "tests/support/TestSupport.h"

namespace {

class ShaderLoaderTest : public ::testing::Test {
 protected:
  // Writes `text` as a shader file, loads it and returns what was logged
  // after the "Parse shaders from file" line.
  std::vector<std::string> Load(const std::string& text) {
    testing_support::WriteFile(path_, text);
    LogCapture capture;
    LoadShaders(path_);
    std::vector<std::string> lines = capture.Lines();
    EXPECT_FALSE(lines.empty());
    if (!lines.empty()) {
      EXPECT_EQ(lines.front(), "Parse shaders from file, " + path_);
      lines.erase(lines.begin());
    }
    return lines;
  }

  std::string Error(const std::string& message, int line) const {
    return "Shader parser error, " + message + ", file: " + path_ + ", line: " + std::to_string(line);
  }
  std::string BadValue(const std::string& value, int line) const {
    return "Shader parser, error value \"" + value + "\", file: " + path_ + ", line: " + std::to_string(line);
  }

  static YShader& Defined(const char* name) {
    YShader* shader = FindShader(name);
    EXPECT_NE(shader, nullptr) << name;
    static YShader missing("missing");
    return shader != nullptr ? *shader : missing;
  }

  RecordingRender render_;
  testing_support::ScopedTempDir dir_;
  std::string path_ = dir_.File("shaders.yml");
};

void ExpectColour(const YColor& c, float r, float g, float b, float a) {
  EXPECT_FLOAT_EQ(c.r, r);
  EXPECT_FLOAT_EQ(c.g, g);
  EXPECT_FLOAT_EQ(c.b, b);
  EXPECT_FLOAT_EQ(c.a, a);
}

void ExpectDefaultMaterial(const YMaterial& m) {
  for (const YColor* c : {&m.diffuse, &m.ambient, &m.specular, &m.emissive}) ExpectColour(*c, 0, 0, 0, 1);
  EXPECT_EQ(m.power, 0);
}

// ---- Registry and definitions ---------------------------------------------

TEST_F(ShaderLoaderTest, ShaderRequestedEarlyIsFilledInPlace) {
  YShader* early = GetShader("early");
  EXPECT_EQ(GetShader("early"), early);
  EXPECT_TRUE(early->stages.empty());
  EXPECT_EQ(early->states.values, RenderStateBlock::Defaults());
  ExpectDefaultMaterial(early->material);

  EXPECT_TRUE(Load("<shader name=\"early\"><blend src=\"srcalpha\" dest=\"invsrcalpha\"/>"
                   "<map texture=\"early.tga\"></map><map></map></shader>")
                  .empty());
  EXPECT_EQ(FindShader("early"), early);
  EXPECT_EQ(early->states[0], 1u);
  EXPECT_EQ(early->states[1], 5u);
  EXPECT_EQ(early->states[2], 6u);
  ASSERT_EQ(early->stages.size(), 2u);
  EXPECT_EQ(early->stages[0]->texture, YContainer<YTextureBase>::Get("early.tga"));
  EXPECT_NE(early->stages[0]->texture, nullptr);
  EXPECT_EQ(early->stages[1]->texture, nullptr);
}

TEST_F(ShaderLoaderTest, RedefinitionRebuildsTheShaderFromScratch) {
  EXPECT_TRUE(Load("<shader name=\"redef\"><lighting/><material diffuse=\"ff0000\"/><blend/>"
                   "<map><mod_rotate/></map><map/></shader>"
                   "<shader name=\"redef\"><map><colorblend op=\"add\"/></map></shader>")
                  .empty());
  YShader& shader = Defined("redef");
  ASSERT_EQ(shader.stages.size(), 1u);
  EXPECT_EQ(shader.stages[0]->states[0], 7u);
  EXPECT_TRUE(shader.stages[0]->mods.empty());
  EXPECT_FALSE(shader.lighting);
  ExpectDefaultMaterial(shader.material);
  EXPECT_EQ(shader.states[0], 0u);
}

// The stage open when the shader is redefined was deleted with it: later
// stage tags must not reach it.
TEST_F(ShaderLoaderTest, RedefinitionWhileOpenForgetsTheOpenStage) {
  const auto errors = Load("<shader name=\"dangle\"><map>\n<shader name=\"dangle\">\n"
                           "<mod_rotate/><colorblend op=\"add\"/></shader>");
  EXPECT_EQ(errors, (std::vector<std::string>{Error("Expected </shader>.", 1),
                                              Error("Tag <mod_rotate> outside <map>.", 2),
                                              Error("Tag <colorblend> outside <map>.", 2)}));
  EXPECT_TRUE(Defined("dangle").stages.empty());
}

TEST_F(ShaderLoaderTest, ClosingTheShaderClosesItsStage) {
  const auto errors = Load("<shader name=\"unclosed\"><map></shader><mod_scroll x=\"1\"/></map>");
  EXPECT_EQ(errors, (std::vector<std::string>{Error("Tag <mod_scroll> outside <map>.", 0),
                                              Error("Expected <map>.", 0)}));
  ASSERT_EQ(Defined("unclosed").stages.size(), 1u);
  EXPECT_TRUE(Defined("unclosed").stages[0]->mods.empty());
}

// ---- Inheritance -------------------------------------------------------------

TEST_F(ShaderLoaderTest, InheritedShaderCopiesStatesMaterialAndStagesWithoutModifiers) {
  EXPECT_TRUE(Load("<shader name=\"super\"><blend src=\"srcalpha\"/><material diffuse=\"ff0000\" power=\"4\"/>"
                   "<lighting/><map texture=\"inh_a.tga\"><colorblend op=\"add\"/><mod_rotate/></map>"
                   "<map texture=\"inh_b.tga\" wrap_x=\"clamp\"></map></shader>"
                   "<shader name=\"sub\" inherited=\"super\"><map texture=\"inh_c.tga\"><mod_scroll x=\"0.5\"/>"
                   "</map></shader>"
                   "<shader name=\"super\"><map/></shader>")
                  .empty());
  YShader& sub = Defined("sub");
  EXPECT_EQ(sub.states[0], 1u);
  EXPECT_EQ(sub.states[1], 5u);
  ExpectColour(sub.material.diffuse, 1, 0, 0, 1);
  EXPECT_EQ(sub.material.power, 4);
  EXPECT_TRUE(sub.lighting);
  ASSERT_EQ(sub.stages.size(), 3u);
  EXPECT_EQ(sub.stages[0]->texture, YContainer<YTextureBase>::Get("inh_a.tga"));
  EXPECT_EQ(sub.stages[0]->states[0], 7u);
  EXPECT_EQ(sub.stages[1]->texture, YContainer<YTextureBase>::Get("inh_b.tga"));
  EXPECT_EQ(sub.stages[1]->states[9], 3u);
  EXPECT_TRUE(sub.stages[0]->mods.empty());
  EXPECT_TRUE(sub.stages[1]->mods.empty());
  EXPECT_EQ(sub.stages[2]->mods.size(), 1u);

  // Only the shader's own stage animates; the later redefinition of the
  // super shader did not reach the copy.
  UpdateShaders(0.1f);
  EXPECT_TRUE(sub.stages[0]->identity);
  EXPECT_TRUE(sub.stages[1]->identity);
  EXPECT_FALSE(sub.stages[2]->identity);
  EXPECT_EQ(Defined("super").stages.size(), 1u);
}

TEST_F(ShaderLoaderTest, MissingSuperShaderIsReportedAndTheShaderStillDefined) {
  const auto errors = Load("<shader name=\"orphan\" inherited=\"nowhere\"><blend/><map/></shader>");
  EXPECT_EQ(errors, std::vector<std::string>{Error("Super shader don't find.", 0)});
  YShader& orphan = Defined("orphan");
  EXPECT_EQ(orphan.states[0], 1u);
  EXPECT_EQ(orphan.states[4], RenderStateBlock::Defaults()[4]);
  EXPECT_EQ(orphan.stages.size(), 1u);
  EXPECT_EQ(FindShader("nowhere"), nullptr);
}

// ---- Attribute values ----------------------------------------------------

TEST_F(ShaderLoaderTest, KeywordsLandInTheirStates) {
  EXPECT_TRUE(Load("<shader name=\"kw\"><state zfunc=\"greater\" cull=\"ccw\" zenable=\"false\" zwrite=\"0\"/>"
                   "<colorsrc diffuse=\"color1\" ambient=\"color2\" specular=\"material\" emissive=\"color1\"/>"
                   "<stencil enable=\"1\" fail=\"zero\" zfail=\"replace\" pass=\"incr\" func=\"equal\"/>"
                   "<map wrap_x=\"clamp\" wrap_y=\"mirror\"><colorblend op=\"add\" arg1=\"diffuse\" arg2=\"texture\"/>"
                   "<alphablend op=\"selectarg2\" arg1=\"specular\" arg2=\"color\"/></map></shader>")
                  .empty());
  const YShader& kw = Defined("kw");
  const std::vector<std::uint32_t> states(kw.states.values.begin(), kw.states.values.end());
  EXPECT_EQ(states, (std::vector<std::uint32_t>{0, 2, 1, 0xFFFFFFFF, 5, 3, 0, 0, 1, 2, 3, 7, 3, 0, 0xFFFFFFFF,
                                                0xFFFFFFFF, 1, 0, 2, 1}));
  ASSERT_EQ(kw.stages.size(), 1u);
  EXPECT_EQ(kw.stages[0]->states, (StageStates{7, 0, 2, 3, 4, 3, 1, 1, 0, 3, 2}));
}

TEST_F(ShaderLoaderTest, FilterMinSetsMinificationAndMagMagnification) {
  EXPECT_TRUE(Load("<shader name=\"filters\"><map><filter min=\"linear\" mag=\"point\"/></map>"
                   "<map><filter min=\"point\" mag=\"linear\" mip=\"linear\"/></map></shader>")
                  .empty());
  const YShader& shader = Defined("filters");
  ASSERT_EQ(shader.stages.size(), 2u);
  EXPECT_EQ(shader.stages[0]->states[6], 1u);  // magnification: point
  EXPECT_EQ(shader.stages[0]->states[7], 2u);  // minification: linear
  EXPECT_EQ(shader.stages[0]->states[8], 0u);
  EXPECT_EQ(shader.stages[1]->states[6], 2u);
  EXPECT_EQ(shader.stages[1]->states[7], 1u);
  EXPECT_EQ(shader.stages[1]->states[8], 2u);
}

TEST_F(ShaderLoaderTest, BlendWithoutAttributesTakesItsDefaults) {
  EXPECT_TRUE(Load("<shader name=\"blend\"><blend alpha=\"false\" src=\"srcalpha\" dest=\"destcolor\" "
                   "color=\"00000000\"/><blend/></shader>")
                  .empty());
  const YShader& shader = Defined("blend");
  EXPECT_EQ(shader.states[0], 1u);
  EXPECT_EQ(shader.states[1], 2u);
  EXPECT_EQ(shader.states[2], 1u);
  EXPECT_EQ(shader.states[3], 0xFFFFFFFFu);
}

TEST_F(ShaderLoaderTest, StencilNumbersAreHexadecimal) {
  EXPECT_TRUE(Load("<shader name=\"stencil\"><stencil enable=\"true\" ref=\"ff\" writemask=\"10\"/></shader>")
                  .empty());
  const YShader& shader = Defined("stencil");
  EXPECT_EQ(shader.states[8], 1u);
  EXPECT_EQ(shader.states[12], 8u);
  EXPECT_EQ(shader.states[13], 255u);
  EXPECT_EQ(shader.states[14], 0xFFFFFFFFu);
  EXPECT_EQ(shader.states[15], 16u);
}

TEST_F(ShaderLoaderTest, LightingCountsOnlyPositiveIntegers) {
  EXPECT_TRUE(Load("<shader name=\"lit_word\"><lighting enable=\"1\"/><lighting enable=\"true\"/></shader>"
                   "<shader name=\"lit_two\"><lighting enable=\"2\"/></shader>"
                   "<shader name=\"lit_default\"><lighting/></shader>")
                  .empty());
  EXPECT_FALSE(Defined("lit_word").lighting);
  EXPECT_TRUE(Defined("lit_two").lighting);
  EXPECT_TRUE(Defined("lit_default").lighting);
}

TEST_F(ShaderLoaderTest, MaterialAndMaterialColour) {
  EXPECT_TRUE(Load("<shader name=\"mat\"><material diffuse=\"ff000080\" ambient=\"00ff00\" specular=\"0000ff\" "
                   "emissive=\"ffffff\" power=\"2.5\"/></shader>"
                   "<shader name=\"flat\"><lighting/><materialcolor color=\"ff00ff80\"/></shader>")
                  .empty());
  const YMaterial& m = Defined("mat").material;
  ExpectColour(m.diffuse, 1, 0, 0, 128 / 255.0f);
  ExpectColour(m.specular, 0, 0, 1, 1);
  EXPECT_FLOAT_EQ(m.power, 2.5f);

  const YShader& flat = Defined("flat");
  ExpectColour(flat.material.diffuse, 0, 0, 0, 128 / 255.0f);
  ExpectColour(flat.material.ambient, 0, 0, 0, 1);
  ExpectColour(flat.material.specular, 0, 0, 0, 1);
  ExpectColour(flat.material.emissive, 1, 0, 1, 128 / 255.0f);
  EXPECT_FALSE(flat.lighting);
}

TEST_F(ShaderLoaderTest, ModifierTagsReadTheirParameters) {
  EXPECT_TRUE(Load("<shader name=\"mods\"><map><mod_flip x=\"1\" y=\"0\"/></map><map><mod_flip x=\"true\"/></map>"
                   "<map><mod_pulse/><mod_offset x=\"0.25\"/></map></shader>")
                  .empty());
  YShader& shader = Defined("mods");
  ASSERT_EQ(shader.stages.size(), 3u);
  shader.Update(0);
  EXPECT_EQ(shader.stages[0]->matrix.m[0][0], -1.0f);  // "1" mirrors u
  EXPECT_EQ(shader.stages[0]->matrix.m[1][1], 1.0f);
  EXPECT_EQ(shader.stages[1]->matrix.m[0][0], 1.0f);   // "true" is not a positive integer
  // The pulse defaults "0.5f" and "1.0f" start at the scale 0.75.
  EXPECT_FLOAT_EQ(shader.stages[2]->matrix.m[0][0], 1 / 0.75f);
  EXPECT_EQ(shader.stages[2]->mods.size(), 2u);
}

// ---- Errors --------------------------------------------------------------

TEST_F(ShaderLoaderTest, UnknownKeywordIsLoggedAndLeavesTheValue) {
  const auto errors = Load("<shader name=\"badkw\">\n<state zfunc=\"greater\" cull=\"sideways\"/>\n"
                           "<map><filter mip=\"cubic\"/></map></shader>");
  EXPECT_EQ(errors, (std::vector<std::string>{BadValue("sideways", 1), BadValue("cubic", 2)}));
  const YShader& shader = Defined("badkw");
  EXPECT_EQ(shader.states[4], 5u);
  EXPECT_EQ(shader.states[5], 2u);
  ASSERT_EQ(shader.stages.size(), 1u);
  EXPECT_EQ(shader.stages[0]->states[8], 0u);
  EXPECT_EQ(shader.stages[0]->states[7], 1u);
}

TEST_F(ShaderLoaderTest, BadColourStopsTheRestOfTheTag) {
  const auto errors = Load("<shader name=\"badcol\"><blend src=\"srcalpha\" color=\"fff\"/>"
                           "<material diffuse=\"12\" ambient=\"ffffff\" power=\"3\"/></shader>");
  EXPECT_EQ(errors, (std::vector<std::string>{Error("Error color format.", 0), Error("Error color format.", 0)}));
  const YShader& shader = Defined("badcol");
  EXPECT_EQ(shader.states[1], 5u);
  EXPECT_EQ(shader.states[3], 0xFFFFFFFFu);
  ExpectDefaultMaterial(shader.material);
}

TEST_F(ShaderLoaderTest, TagsOutsideTheirContextAreReportedAndIgnored) {
  const auto errors = Load("<blend/><colorsrc/><state/><stencil/><material/><materialcolor/><lighting/><map/>"
                           "<colorblend/><alphablend/><filter/><mod_rotate/><mod_scroll/><mod_pulse/><mod_swing/>"
                           "<mod_flip/><mod_offset/></shader>\n\n</map>");
  std::vector<std::string> expected;
  for (const char* tag : {"blend", "colorsrc", "state", "stencil", "material", "materialcolor", "lighting", "map"}) {
    expected.push_back(Error("Tag <" + std::string(tag) + "> outside <shader>.", 0));
  }
  expected.push_back(Error("Expected <map>.", 0));  // the self-closing map's own close
  for (const char* tag : {"colorblend", "alphablend", "filterblend", "mod_rotate", "mod_scroll", "mod_pulse",
                          "mod_swing", "mod_flip", "mod_offset"}) {
    expected.push_back(Error("Tag <" + std::string(tag) + "> outside <map>.", 0));
  }
  expected.push_back(Error("Expected <shader>.", 0));
  expected.push_back(Error("Expected <map>.", 2));
  EXPECT_EQ(errors, expected);
}

TEST_F(ShaderLoaderTest, MapInsideMapOpensASecondStage) {
  const auto errors = Load("<shader name=\"nested\"><map texture=\"\"><map></map></map></shader>");
  EXPECT_EQ(errors, (std::vector<std::string>{Error("Expected </map>.", 0), Error("Expected <map>.", 0)}));
  EXPECT_EQ(Defined("nested").stages.size(), 2u);
}

TEST(ShaderLoading, NeedsARenderer) {
  ASSERT_EQ(g_render, nullptr);
  testing_support::ScopedTempDir dir;
  testing_support::WriteFile(dir.File("shaders.yml"), "<shader name=\"norender\"></shader>");
  LogCapture capture;
  LoadShaders(dir.File("shaders.yml"));
  EXPECT_EQ(capture.Lines(), std::vector<std::string>{"Shader parser error, render must be created."});
  EXPECT_EQ(FindShader("norender"), nullptr);
  // Drawing code still gets an empty shader with the built-in defaults.
  const YShader* late = GetShader("norender late");
  EXPECT_TRUE(late->stages.empty());
  EXPECT_EQ(late->states.values, RenderStateBlock::Defaults());
}

// ---- The program's shader file ---------------------------------------------

TEST(ShippedShaderFile, ParsesWithoutErrorsAndDefinesWhatTheCodeUses) {
  RecordingRender render;
  const std::string path = QV_SOURCE_DIR "/content/data/shaders.yml";
  LogCapture capture;
  LoadShaders(path);
  EXPECT_EQ(capture.Lines(), std::vector<std::string>{"Parse shaders from file, " + path});

  for (const char* name : {"shadowPass1", "shadowPass2", "shadowPass3", "debug_textured", "debug_scroll",
                           "debug_rotate", "debug_flat", "cursor"}) {
    EXPECT_NE(FindShader(name), nullptr) << name;
  }
  const YShader* pass1 = FindShader("shadowPass1");
  const YShader* pass2 = FindShader("shadowPass2");
  const YShader* pass3 = FindShader("shadowPass3");
  ASSERT_TRUE(pass1 && pass2 && pass3);
  // Volume passes: no colour, depth tested but not written, both sides drawn,
  // wrapping increment on the back faces and decrement on the front faces.
  for (const YShader* pass : {pass1, pass2}) {
    EXPECT_EQ(pass->states[1], 1u);
    EXPECT_EQ(pass->states[2], 2u);
    EXPECT_EQ(pass->states[5], 1u);
    EXPECT_EQ(pass->states[6], 1u);
    EXPECT_EQ(pass->states[7], 0u);
    EXPECT_EQ(pass->states[8], 1u);
    EXPECT_EQ(pass->states[12], 8u);
  }
  EXPECT_EQ(pass1->states[11], 7u);
  EXPECT_EQ(pass2->states[11], 8u);
  // The darkening quad: stencil not zero, alpha blended, no depth test.
  EXPECT_EQ(pass3->states[12], 6u);
  EXPECT_EQ(pass3->states[13], 0u);
  EXPECT_EQ(pass3->states[6], 0u);
  EXPECT_EQ(pass3->states[0], 1u);
  EXPECT_GT(pass3->material.diffuse.a, 0.0f);

  EXPECT_EQ(FindShader("debug_scroll")->stages.at(0)->mods.size(), 1u);
  EXPECT_EQ(FindShader("debug_rotate")->stages.at(0)->mods.size(), 1u);
  EXPECT_TRUE(FindShader("debug_flat")->stages.empty());
  EXPECT_NE(FindShader("cursor")->stages.at(0)->texture, nullptr);
}

}  // namespace
