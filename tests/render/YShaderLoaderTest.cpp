// The shader file reader and the shader registry: definitions filled in
// place, redefinition and inheritance, attribute values, errors with their
// exact log texts, and the program's own shader file.
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

using Lines = std::vector<std::string>;

class ShaderLoaderTest : public ::testing::Test {
 protected:
  // Writes `text` as a shader file, loads it and returns what was logged
  // after the "Parse shaders from file" line.
  Lines Load(const std::string& text) {
    testing_support::WriteFile(path_, text);
    LogCapture capture;
    LoadShaders(path_);
    Lines lines = capture.Lines();
    if (lines.empty() || lines.front() != "Parse shaders from file, " + path_) {
      ADD_FAILURE() << "no parse line";
      return lines;
    }
    return Lines(lines.begin() + 1, lines.end());
  }

  std::string Error(const std::string& message, int line) const {
    return "Shader parser error, " + message + ", file: " + path_ + ", line: " + std::to_string(line);
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

YMaterial DefaultMaterial() {
  const YColor base(0, 0, 0, 1);
  return {base, base, base, base, 0};
}

// ---- Registry, redefinition and inheritance ------------------------------------

TEST_F(ShaderLoaderTest, ShaderRequestedEarlyIsFilledInPlace) {
  YShader* early = GetShader("early");
  EXPECT_EQ(GetShader("early"), early);
  EXPECT_EQ(early->states.values, RenderStateBlock::Defaults());

  EXPECT_EQ(Load("<shader name=\"early\"><blend src=\"srcalpha\" dest=\"invsrcalpha\"/>"
                 "<map texture=\"early.tga\"></map><map></map></shader>"),
            Lines{});
  EXPECT_EQ(FindShader("early"), early);
  EXPECT_EQ(early->states[2], 6u);
  ASSERT_EQ(early->stages.size(), 2u);
  EXPECT_EQ(early->stages[0]->texture, YContainer<YTextureBase>::Get("early.tga"));
  EXPECT_EQ(early->stages[1]->texture, nullptr);
}

TEST_F(ShaderLoaderTest, RedefinitionRebuildsTheShaderFromScratchAndForgetsItsOpenStage) {
  EXPECT_EQ(Load("<shader name=\"redef\"><lighting/><material diffuse=\"ff0000\"/><blend/>"
                 "<map><mod_rotate/></map><map/></shader>"
                 "<shader name=\"redef\"><map><colorblend op=\"add\"/></map></shader>"),
            Lines{});
  YShader& shader = Defined("redef");
  ASSERT_EQ(shader.stages.size(), 1u);
  EXPECT_TRUE(shader.stages[0]->mods.empty());
  EXPECT_FALSE(shader.lighting);
  EXPECT_EQ(shader.material, DefaultMaterial());
  EXPECT_EQ(shader.states[0], 0u);

  // The stage open when the shader is redefined was deleted with it: later
  // stage tags must not reach it.
  EXPECT_EQ(Load("<shader name=\"dangle\"><map>\n<shader name=\"dangle\">\n"
                 "<mod_rotate/><colorblend op=\"add\"/></shader>"),
            (Lines{Error("Expected </shader>.", 1), Error("Tag <mod_rotate> outside <map>.", 2),
                   Error("Tag <colorblend> outside <map>.", 2)}));
  EXPECT_TRUE(Defined("dangle").stages.empty());
}

// A file loaded again gives what loading it once gives: its stages once,
// and a texture whose file could not be read the first time read again
// (one released until used, or waiting for its first use, stays so).
TEST_F(ShaderLoaderTest, AFileLoadedAgainGivesWhatLoadingItOnceGives) {
  const std::string file =
      "<shader name=\"again\"><map texture=\"again.tga\"></map><map texture=\"later.tga\"></map></shader>";
  ASSERT_EQ(Load(file), Lines{});
  YTextureBase* again = YContainer<YTextureBase>::Get("again.tga");
  YTextureBase* later = YContainer<YTextureBase>::Get("later.tga");
  again->ReleaseDeviceObjects();  // as when its file was missing
  later->ReleaseUntilUsed();
  render_.ClearCalls();
  ASSERT_EQ(Load(file), Lines{});
  const YShader& shader = Defined("again");
  ASSERT_EQ(shader.stages.size(), 2u);
  EXPECT_EQ(shader.stages[0]->texture, again);
  EXPECT_NE(again->DeviceTexture(), nullptr);
  EXPECT_TRUE(later->ReleasedUntilUsed());
  EXPECT_EQ(render_.Count("LoadTexture"), 1u);
}

TEST_F(ShaderLoaderTest, InheritedShaderCopiesStatesMaterialAndStagesWithoutModifiers) {
  EXPECT_EQ(Load("<shader name=\"super\"><blend src=\"srcalpha\"/><material diffuse=\"ff0000\" power=\"4\"/>"
                 "<lighting/><map texture=\"inh_a.tga\"><colorblend op=\"add\"/><mod_rotate/></map>"
                 "<map texture=\"inh_b.tga\" wrap_x=\"clamp\"></map></shader>"
                 "<shader name=\"sub\" inherited=\"super\"><map texture=\"inh_c.tga\"><mod_scroll x=\"0.5\"/>"
                 "</map></shader>"
                 "<shader name=\"super\"><map/></shader>"),
            Lines{});
  YShader& sub = Defined("sub");
  EXPECT_EQ(sub.states[1], 5u);
  ExpectColour(sub.material.diffuse, 1, 0, 0, 1);
  EXPECT_TRUE(sub.lighting);
  ASSERT_EQ(sub.stages.size(), 3u);
  EXPECT_EQ(sub.stages[0]->states[0], 7u);
  EXPECT_EQ(sub.stages[1]->states[9], 3u);
  EXPECT_TRUE(sub.stages[0]->mods.empty());
  EXPECT_EQ(sub.stages[2]->mods.size(), 1u);

  // Only the shader's own stage animates; the later redefinition of the
  // super shader did not reach the copy.
  UpdateShaders(0.1f);
  EXPECT_TRUE(sub.stages[0]->identity);
  EXPECT_FALSE(sub.stages[2]->identity);
  EXPECT_EQ(Defined("super").stages.size(), 1u);
}

TEST_F(ShaderLoaderTest, MissingSuperShaderIsReportedAndTheShaderStillDefined) {
  EXPECT_EQ(Load("<shader name=\"orphan\" inherited=\"nowhere\"><blend/><map/></shader>"),
            Lines{Error("Super shader don't find.", 0)});
  YShader& orphan = Defined("orphan");
  EXPECT_EQ(orphan.states[0], 1u);
  EXPECT_EQ(orphan.stages.size(), 1u);
  EXPECT_EQ(FindShader("nowhere"), nullptr);
}

// ---- Attribute values ----------------------------------------------------

TEST_F(ShaderLoaderTest, FilterMinSetsMagnificationAndMagMinification) {
  EXPECT_EQ(Load("<shader name=\"filters\"><map><filter min=\"linear\" mag=\"point\"/></map>"
                 "<map><filter min=\"point\" mag=\"linear\" mip=\"linear\"/></map></shader>"),
            Lines{});
  const YShader& shader = Defined("filters");
  ASSERT_EQ(shader.stages.size(), 2u);
  // States 6, 7, 8 (magnification, minification, mip filter) in the
  // attributes' order: min linear and mag point magnify linearly.
  EXPECT_EQ(shader.stages[0]->states[6], 2u);
  EXPECT_EQ(shader.stages[0]->states[7], 1u);
  EXPECT_EQ(shader.stages[1]->states[6], 1u);
  EXPECT_EQ(shader.stages[1]->states[7], 2u);
  EXPECT_EQ(shader.stages[1]->states[8], 2u);
}

// Stencil numbers are hexadecimal; lighting counts only positive integers;
// a material colour replaces the material and turns lighting off.
TEST_F(ShaderLoaderTest, HexNumbersLightingAndMaterialColour) {
  EXPECT_EQ(Load("<shader name=\"stencil\"><stencil enable=\"true\" ref=\"ff\" writemask=\"10\"/></shader>"
                 "<shader name=\"lit\"><lighting enable=\"2\"/><lighting enable=\"true\"/></shader>"
                 "<shader name=\"flat\"><lighting/><materialcolor color=\"ff00ff80\"/></shader>"),
            Lines{});
  EXPECT_EQ(Defined("stencil").states[13], 255u);
  EXPECT_EQ(Defined("stencil").states[15], 16u);
  EXPECT_FALSE(Defined("lit").lighting);
  const YShader& flat = Defined("flat");
  ExpectColour(flat.material.diffuse, 0, 0, 0, 128 / 255.0f);
  ExpectColour(flat.material.emissive, 1, 0, 1, 128 / 255.0f);
  EXPECT_FALSE(flat.lighting);
}

TEST_F(ShaderLoaderTest, ModifierTagsReadTheirParameters) {
  EXPECT_EQ(
      Load("<shader name=\"mods\"><map><mod_flip x=\"1\" y=\"0\"/></map><map><mod_flip x=\"true\"/></map>"
           "<map><mod_pulse/><mod_offset x=\"0.25\"/></map></shader>"),
      Lines{});
  YShader& shader = Defined("mods");
  ASSERT_EQ(shader.stages.size(), 3u);
  shader.Update(0);
  EXPECT_EQ(shader.stages[0]->matrix.m[0][0], -1.0f);  // "1" mirrors u
  EXPECT_EQ(shader.stages[1]->matrix.m[0][0], 1.0f);   // "true" is not a positive integer
  // The pulse defaults "0.5f" and "1.0f" start at the scale 0.75.
  EXPECT_FLOAT_EQ(shader.stages[2]->matrix.m[0][0], 1 / 0.75f);
}

// ---- Errors --------------------------------------------------------------

TEST_F(ShaderLoaderTest, UnknownKeywordIsLoggedAndLeavesTheValue) {
  const auto bad = [&](const std::string& value, int line) {
    return "Shader parser, error value \"" + value + "\", file: " + path_ + ", line: " + std::to_string(line);
  };
  EXPECT_EQ(Load("<shader name=\"badkw\">\n<state zfunc=\"greater\" cull=\"sideways\"/>\n"
                 "<map><filter mip=\"cubic\"/></map></shader>"),
            (Lines{bad("sideways", 1), bad("cubic", 2)}));
  const YShader& shader = Defined("badkw");
  EXPECT_EQ(shader.states[4], 5u);
  EXPECT_EQ(shader.states[5], 2u);
  ASSERT_EQ(shader.stages.size(), 1u);
  EXPECT_EQ(shader.stages[0]->states[8], 0u);
}

TEST(ShaderLoading, NeedsARenderer) {
  ASSERT_EQ(g_render, nullptr);
  testing_support::ScopedTempDir dir;
  testing_support::WriteFile(dir.File("shaders.yml"), "<shader name=\"norender\"></shader>");
  LogCapture capture;
  LoadShaders(dir.File("shaders.yml"));
  EXPECT_EQ(capture.Lines(), Lines{"Shader parser error, render must be created."});
  EXPECT_EQ(FindShader("norender"), nullptr);
  // Drawing code still gets an empty shader with the built-in defaults.
  EXPECT_EQ(GetShader("norender late")->states.values, RenderStateBlock::Defaults());
}

// ---- The program's shader file ---------------------------------------------

TEST(ShippedShaderFile, ParsesWithoutErrorsAndDefinesWhatTheCodeUses) {
  RecordingRender render;
  const std::string path = QV_SOURCE_DIR "/content/data/shaders.yml";
  LogCapture capture;
  LoadShaders(path);
  EXPECT_EQ(capture.Lines(), Lines{"Parse shaders from file, " + path});
  for (const char* name : {"shadowPass1", "shadowPass2", "shadowPass3", "debug_textured", "debug_scroll",
                           "debug_rotate", "debug_flat", "cursor"})
    EXPECT_NE(FindShader(name), nullptr) << name;
  // Volume passes: no colour (blend zero, one), depth tested but not written,
  // both sides drawn, stencil always passing.
  for (const char* pass : {"shadowPass1", "shadowPass2"}) {
    const YShader* shader = GetShader(pass);
    EXPECT_EQ((std::vector<std::uint32_t>{shader->states[1], shader->states[2], shader->states[5],
                                          shader->states[6], shader->states[7], shader->states[8],
                                          shader->states[12]}),
              (std::vector<std::uint32_t>{1, 2, 1, 1, 0, 1, 8}))
        << pass;
  }
  EXPECT_GT(GetShader("shadowPass3")->material.diffuse.a, 0.0f);  // the darkening colour
}

}  // namespace
