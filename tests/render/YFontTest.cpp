// Fonts on a recording renderer: the font list, glyph table files, widths,
// text drawing and clipping, styled text, word wrap and the fonts file.
#include "render/YFont.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "framework/FileAlerts.h"
#include "render/StyledText.h"
#include "render/YFontLoader.h"
#include "render/YShader.h"
#include "render/YTextBlock.h"
#include "tests/framework/LogCapture.h"
#include "tests/render/RecordingRender.h"
#include "tests/support/TestSupport.h"

namespace {

using Lines = std::vector<std::string>;

// Little-endian float bytes, as the font data file holds them.
std::string FloatBytes(const std::vector<float>& values) {
  std::string bytes;
  for (const float value : values) {
    const auto bits = std::bit_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((bits >> shift) & 0xFF);
  }
  return bytes;
}

// A drawable font: every byte from 32 a unit-square glyph with advance 0.5,
// except 'Z' (no advance) and 0xE9 (0.25).
struct TestFont {
  TestFont() : shader(std::make_unique<YShader>("test font shader")) {
    shader->AddStage();
    font.shader = shader.get();
    for (int c = 32; c < 256; ++c) {
      font.widths[c] = 0.5f;
      font.glyphs[c] = YGlyph{{{0, 0, 0, 0, 0}, {0, 1, 0, 0, 1}, {1, 1, 0, 1, 1}, {1, 0, 0, 1, 0}}};
    }
    font.widths['Z'] = 0;
    font.widths[0xE9] = 0.25f;
  }
  // The left x and bottom y of each glyph quad drawn so far.
  std::vector<std::pair<float, float>> Quads() const {
    std::vector<std::pair<float, float>> quads;
    for (const auto* call : render.CallsMatching("DrawQuad28"))
      quads.emplace_back(call->floats[0], call->floats[8]);
    return quads;
  }

  RecordingRender render;
  std::unique_ptr<YShader> shader;
  YFont font{"test"};
};

class FontFileTest : public ::testing::Test {
 protected:
  testing_support::ScopedTempDir dir_;
  testing_support::ScopedCwd cwd_{dir_.Path()};
};

// ---- The font list and glyph table files ------------------------------------

// Float i of the file holds i + 1: widths first, then the glyphs corner by
// corner. A missing file logs and changes nothing; a short one logs its
// size.
TEST_F(FontFileTest, MissingShortAndOversizedFilesFillOnlyWhatTheyHold) {
  std::vector<float> values(YFont::kDataFileSize / 4 + 10);
  for (std::size_t i = 0; i < values.size(); ++i) values[i] = static_cast<float>(i + 1);
  const std::string whole = FloatBytes(values);
  const struct {
    std::size_t bytes;       // npos: no file
    std::size_t floatsRead;  // whole floats taken from the file
  } cases[] = {{std::string::npos, 0}, {0, 0}, {1027, 256}, {1030, 257}, {YFont::kDataFileSize, 5376},
               {whole.size(), 5376}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes);
    std::filesystem::remove(dir_.File("t.dat"));
    if (c.bytes != std::string::npos)
      testing_support::WriteFile(dir_.File("t.dat"), whole.substr(0, c.bytes));
    YFont font("partial");
    font.widths.fill(-1);
    font.glyphs.fill(
        YGlyph{{{-1, -1, -1, -1, -1}, {-1, -1, -1, -1, -1}, {-1, -1, -1, -1, -1}, {-1, -1, -1, -1, -1}}});
    LogCapture capture;
    FileAlerts::Reset();
    font.LoadData("t.dat");
    // A missing or short file is named to the player.
    const bool whole = c.bytes != std::string::npos && c.bytes >= YFont::kDataFileSize;
    const std::string cut =
        "Load font data error, file t.dat: " + std::to_string(c.bytes) + " of 21504 bytes";
    EXPECT_EQ(capture.Lines(), whole                          ? Lines{}
                               : c.bytes == std::string::npos ? Lines{"Load font data error, file t.dat"}
                                                              : Lines{cut});
    EXPECT_EQ(FileAlerts::TakeFailedFiles(), whole ? Lines{} : Lines{"t.dat"});
    std::vector<float> table(font.widths.begin(), font.widths.end());
    for (const YGlyph& g : font.glyphs)
      for (const YGlyphCorner& k : g.corners) table.insert(table.end(), {k.gx, k.gy, k.gz, k.u, k.v});
    ASSERT_EQ(table.size(), 5376u);
    for (std::size_t i = 0; i < table.size(); ++i)
      ASSERT_EQ(table[i], i < c.floatsRead ? static_cast<float>(i + 1) : -1.0f) << "float " << i;
  }
}

// Without a renderer the fonts file is not read; with one, it fills the font
// found before by name and reports errors with file and line.
TEST_F(FontFileTest, FindGivesOneFontPerNameThatALaterFontsFileFills) {
  std::vector<float> values(YFont::kDataFileSize / 4, 0.0f);
  values['a'] = 0.625f;
  testing_support::WriteFile(dir_.File("late.dat"), FloatBytes(values));
  testing_support::WriteFile(dir_.File("fonts.yml"),
                             "<font name=\"filled later\" shader=\"late shader\" data=\"late.dat\"/>\n<zz>");
  LogCapture capture;
  YFontLoader::LoadFonts("fonts.yml");
  YFont* early = YFont::Find("filled later");
  EXPECT_EQ(YFont::Find("filled later"), early);
  EXPECT_NE(YFont::Find("filled"), early);  // names match whole
  EXPECT_EQ(early->shader, nullptr);
  EXPECT_EQ(early->GetTextWidth("abc"), 0.0f);

  RecordingRender render;
  YFontLoader::LoadFonts("fonts.yml");
  EXPECT_EQ(capture.Lines(),
            (Lines{"Font parser error, render must be created.", "Parse fonts from file, fonts.yml",
                   "Font parser error, Unknown tag: zz, file: fonts.yml, line: 1"}));
  EXPECT_EQ(early->shader, GetShader("late shader"));
  EXPECT_EQ(early->GetCharWidth('a'), 0.625f);
  EXPECT_EQ(GetMainFont(), YFont::Find("mainfont"));
}

// ---- Widths and drawing ---------------------------------------------------------

// Bytes index as unsigned; zero-width bytes draw nothing and leave the pen.
TEST(YFontText, WidthsAndPenFollowEachBytesOwnWidth) {
  TestFont f;
  EXPECT_EQ(f.font.GetTextWidth("a\xE9Z"), 0.75f);
  EXPECT_EQ(f.font.GetTextWidth(std::string_view("aa\0aa", 5)), 1.0f);
  EXPECT_EQ(YFont::DrawText(&f.font, 100, 50, 10, "aZb\xE9"), 12.5f);
  EXPECT_EQ(f.Quads(), (std::vector<std::pair<float, float>>{{100, 50}, {105, 50}, {110, 50}}));
}

TEST(YFontText, WithoutFontShaderOrRendererNothingIsDrawn) {
  YShader loose("loose");
  {
    TestFont f;
    f.font.shader = nullptr;
    EXPECT_EQ(YFont::DrawText(&f.font, 0, 0, 10, "abc") + f.render.DrawText(f.font, 0, 0, 10, "abc") +
                  YFont::DrawText(nullptr, 0, 0, 10, "abc") + DrawStyledText(0, 0, {&f.font, 10, {}}, "abc"),
              0.0f);
    EXPECT_TRUE(f.render.calls.empty());
  }
  YFont font("no renderer");
  font.widths.fill(1);
  font.shader = &loose;
  EXPECT_EQ(YFont::DrawText(&font, 0, 0, 10, "abc"), 0.0f);
}

// "AAA" at size 10 runs 5, 10, 15 wide: a clipped prefix stays strictly
// below the maximum. Formatted text is cut at 1023 bytes.
TEST(YFontText, ClippedAndFormattedTextAreBounded) {
  const std::pair<float, float> clipped[] = {
      {4, 0}, {5, 0}, {5.5f, 5}, {15, 10}, {100, 15}};  // maximum, advance
  for (const auto& [maxWidth, advance] : clipped) {
    TestFont f;
    EXPECT_EQ(YFont::DrawTextClipped(&f.font, 0, 0, 10, "AAA", maxWidth), advance) << maxWidth;
    EXPECT_EQ(f.Quads().size(), static_cast<std::size_t>(advance / 5)) << maxWidth;
  }
  TestFont f;
  EXPECT_EQ(YFont::DrawTextF(&f.font, 0, 0, 2, "FPS=%0.1f", 12.34), 8.0f);  // "FPS=12.3"
  EXPECT_EQ(YFont::DrawTextF(&f.font, 0, 0, 2, "%s%s", std::string(3000, 'a').c_str(), "b"), 1023.0f);
  EXPECT_EQ(f.Quads().size(), 8u + 1023u);
}

// The colour becomes the emissive and its alpha the diffuse alpha.
TEST(YFontText, StyledTextColoursTheFontShaderWithTheStyleOrTheGivenColour) {
  TestFont f;
  const UITextStyle style{&f.font, 10, YColor(1, 0.5f, 0, 0.75f)};
  const YColor blue(0, 0, 1, 1);
  EXPECT_EQ(DrawStyledText(0, 0, style, "ab") + DrawStyledTextColor(0, 0, style, blue, "ab"), 20.0f);
  const auto materials = f.render.CallsMatching("ApplyMaterial");
  ASSERT_EQ(materials.size(), 2u);
  for (int i = 0; i < 2; ++i) {
    const YColor& c = i == 0 ? style.colour : blue;
    const std::vector<float>& m = materials[i]->floats;  // diffuse, ambient, specular, emissive, power
    EXPECT_EQ((std::vector<float>{m[3], m[12], m[13], m[14], m[15]}),
              (std::vector<float>{c.a, c.r, c.g, c.b, c.a}));
  }
}

// ---- Word wrap --------------------------------------------------------------------

// Every character of TestFont at size 2 is 1 wide, the space too.
TEST(YTextBlock, LayoutWrapsWordsBreaksAndDropsEscapesAndDrawDrawsTheLines) {
  const struct {
    const char* text;
    float maxWidth;
    Lines lines;
  } cases[] = {
      {"", 100, {""}},
      {"aa bb cc", 6, {"aa", "bb cc"}},
      {"abc", 4, {"", "abc"}},  // the space counts for the first word too
      {"abc", 4.5f, {"abc"}},
      {"ab\\ncd", 100, {"ab", "cd"}},
      {"ab\\n\\ncd", 100, {"ab", "", "cd"}},
      {"ab\\xcd e\\", 100, {"abcd e"}},  // a lone backslash at the end keeps the last word
      {"(a b c) d", 3, {"", "(a b c)", "d"}},
      {"x (y z", 100, {"x (y z"}},  // an unclosed parenthesis keeps its words
  };
  TestFont f;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    YTextBlock block;
    block.Layout(c.text, 7, 20, c.maxWidth, &f.font, 2);
    Lines texts;
    for (std::size_t i = 0; i < block.lines.size(); ++i) {
      texts.push_back(block.lines[i].text);
      EXPECT_EQ(block.lines[i].x, 7.0f);
      EXPECT_EQ(block.lines[i].y, 20.0f + 2.0f * static_cast<float>(i));
    }
    EXPECT_EQ(texts, c.lines);
  }
  YTextBlock block;
  block.Layout("aa bb", 7, 20, 4, &f.font, 2);
  block.Draw();
  EXPECT_EQ(f.Quads(), (std::vector<std::pair<float, float>>{{7, 20}, {8, 20}, {7, 22}, {8, 22}}));
}

}  // namespace
