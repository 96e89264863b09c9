// Every name the shipped data looks up must exist in the shipped program
// folder, so a missing file fails the build's tests instead of drawing
// nothing at run time.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "framework/XMLParser.h"
#include "platform/Paths.h"

namespace {

// Collects the texture names of every stage of a shader file, also by shader.
class TextureNames : public XMLParser {
 public:
  TextureNames() {
    AddTag(MakeTag("shader", {{"name", ""}, {"inherited", ""}}));
    AddTag(MakeTag("map", {{"texture", ""}, {"wrap_x", "repeat"}, {"wrap_y", "repeat"}}));
  }
  std::vector<std::string> names;
  std::map<std::string, std::vector<std::string>> byShader;
  std::vector<std::string> errors;

 protected:
  void OnTagOpen(int tagId) override {
    if (tagId == 0) byShader[GetAttr(0, 0).value];
    if (tagId == 1 && !GetAttr(1, 0).value.empty()) {
      names.push_back(GetAttr(1, 0).value);
      byShader[GetAttr(0, 0).value].push_back(GetAttr(1, 0).value);
    }
  }
  // Tags this reader does not declare are expected; only collect names.
  bool OnError(const std::string&) override { return true; }
};

bool InProgramFolder(const std::string& dataName) {
  return std::filesystem::is_regular_file(std::filesystem::path(QV_GAME_DIR) / platform::MapPath(dataName));
}

TEST(ShippedContent, EveryTextureAShaderNamesIsShipped) {
  for (const char* file : {"data/shaders.yml", "splash/shaders.yml"}) {
    TextureNames reader;
    reader.ParseFile(std::string(QV_GAME_DIR) + "/" + file);
    EXPECT_FALSE(reader.names.empty()) << file;
    for (const std::string& name : reader.names) EXPECT_TRUE(InProgramFolder(name)) << file << " names " << name;
  }
}

// Every font of the fonts file: a glyph table of exactly 21504 bytes and a
// shader of the shader file that draws an atlas.
TEST(ShippedContent, EveryFontHasItsGlyphTableAndAShaderWithItsAtlas) {
  struct Fonts : XMLParser {
    Fonts() { AddTag(MakeTag("font", {{"name", ""}, {"shader", ""}, {"data", ""}})); }
    void OnTagOpen(int) override {
      fonts.push_back({GetAttr(0, 0).value, GetAttr(0, 1).value, GetAttr(0, 2).value});
    }
    std::vector<std::vector<std::string>> fonts;
  } fontsFile;
  fontsFile.ParseFile(std::string(QV_GAME_DIR) + "/data/fonts.yml");
  TextureNames shaders;
  shaders.ParseFile(std::string(QV_GAME_DIR) + "/data/shaders.yml");
  std::vector<std::string> names;
  for (const std::vector<std::string>& font : fontsFile.fonts) {
    names.push_back(font[0]);
    const auto data = std::filesystem::path(QV_GAME_DIR) / platform::MapPath(font[2]);
    EXPECT_TRUE(std::filesystem::is_regular_file(data) && std::filesystem::file_size(data) == 21504u)
        << font[2];
    const auto shader = shaders.byShader.find(font[1]);
    ASSERT_NE(shader, shaders.byShader.end()) << font[0] << " names the shader " << font[1];
    ASSERT_EQ(shader->second.size(), 1u) << font[1];
    EXPECT_TRUE(InProgramFolder(shader->second[0])) << shader->second[0];
  }
  EXPECT_EQ(names, (std::vector<std::string>{"sysfont", "mainfont", "labelfont", "default"}));
}

}  // namespace
