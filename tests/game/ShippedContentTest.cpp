// Every name the shipped data looks up must exist in the shipped program
// folder, so a missing file fails the build's tests instead of drawing
// nothing at run time.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "framework/XMLParser.h"
#include "platform/Paths.h"

namespace {

// Collects the texture names of every stage of a shader file.
class TextureNames : public XMLParser {
 public:
  TextureNames() {
    AddTag(MakeTag("shader", {{"name", ""}, {"inherited", ""}}));
    AddTag(MakeTag("map", {{"texture", ""}, {"wrap_x", "repeat"}, {"wrap_y", "repeat"}}));
  }
  std::vector<std::string> names;
  std::vector<std::string> errors;

 protected:
  void OnTagOpen(int tagId) override {
    if (tagId == 1 && !GetAttr(1, 0).value.empty()) names.push_back(GetAttr(1, 0).value);
  }
  // Tags this reader does not declare are expected; only collect names.
  bool OnError(const std::string&) override { return true; }
};

bool InProgramFolder(const std::string& dataName) {
  return std::filesystem::is_regular_file(std::filesystem::path(QV_GAME_DIR) / platform::MapPath(dataName));
}

TEST(ShippedContent, EveryTextureAShaderNamesIsShipped) {
  for (const char* file : {"data/shaders.yml"}) {
    TextureNames reader;
    reader.ParseFile(std::string(QV_GAME_DIR) + "/" + file);
    EXPECT_FALSE(reader.names.empty()) << file;
    for (const std::string& name : reader.names) EXPECT_TRUE(InProgramFolder(name)) << file << " names " << name;
  }
}

}  // namespace
