// The shipped interface files: every layout reads cleanly, names only shipped
// shaders and textures, keeps drop-down lists inside their parent (the only
// place the pointer reaches them), and holds the controls the code looks up.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "platform/Paths.h"
#include "tests/framework/LogCapture.h"
#include "tests/support/TestSupport.h"
#include "ui/UICombobox.h"
#include "ui/UIComboboxList.h"
#include "ui/UIControl.h"
#include "ui/UIParser.h"

namespace {

namespace fs = std::filesystem;

// Files of an interface folder that are data of other readers, not layouts.
const std::set<std::string> kNotLayouts = {"locale.yml", "fonts.yml", "artifacts.yml", "monsters.yml",
                                           "heroes.yml", "tiles.yml", "styles.yml"};

// The controls the code finds by name, per layout file.
const std::map<std::string, std::vector<std::string>> kLookedUp = {
    {"widgets.yml", {"play", "hero_name", "element", "volume", "help_elements", "close", "canvas", "story"}},
};

std::vector<fs::path> InterfaceFolders() {
  std::vector<fs::path> folders;
  for (const auto& entry : fs::directory_iterator(fs::path(QV_GAME_DIR) / "ui"))
    if (entry.is_directory()) folders.push_back(entry.path());
  return folders;
}

std::vector<std::string> Layouts(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() == ".yml" && !kNotLayouts.contains(name)) names.push_back(name);
  }
  return names;
}

// Every value of the attributes matching `attribute` in the file's text.
std::set<std::string> Values(const fs::path& file, const std::string& attribute) {
  const std::string text = testing_support::ReadFile(file);
  const std::regex pattern("\\b(" + attribute + ")=\"([^\"]*)\"");
  std::set<std::string> values;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern); it != std::sregex_iterator(); ++it)
    if (!(*it)[2].str().empty()) values.insert((*it)[2].str());
  return values;
}

// The names of the shaders the shader file defines.
std::set<std::string> DefinedShaders() {
  const std::string text = testing_support::ReadFile(fs::path(QV_GAME_DIR) / "data" / "shaders.yml");
  const std::regex pattern("<shader name=\"([^\"]*)\"");
  std::set<std::string> names;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern); it != std::sregex_iterator(); ++it)
    names.insert((*it)[1].str());
  return names;
}

// Every combo box's open list lies within the box's parent.
void ExpectListsInsideTheirParents(const UIControl& control, const std::string& file) {
  for (const auto& child : control.Children()) {
    if (const auto* box = dynamic_cast<const UICombobox*>(child.get())) {
      const YRect& list = box->List()->rect;
      EXPECT_TRUE(list.x >= 0 && list.y >= 0 && list.x + list.width <= control.rect.width &&
                  list.y + list.height <= control.rect.height)
          << file << ": the list of " << box->name << " leaves " << control.name;
    }
    ExpectListsInsideTheirParents(*child, file);
  }
}

TEST(ShippedLayouts, EveryLayoutReadsCleanlyAndNamesOnlyShippedContent) {
  testing_support::ScopedCwd cwd(QV_GAME_DIR);
  const std::set<std::string> shaders = DefinedShaders();
  const std::vector<fs::path> folders = InterfaceFolders();
  ASSERT_FALSE(folders.empty());
  for (const fs::path& folder : folders) {
    const std::string data = "ui\\" + folder.filename().string() + "\\";
    LogCapture log;
    UIParser::LoadLayout(data + "styles.yml");
    std::set<std::string> seen;
    for (const std::string& name : Layouts(folder)) {
      const auto root = UIParser::LoadLayout(data + name);
      ASSERT_NE(root, nullptr) << data + name;
      ExpectListsInsideTheirParents(*root, name);
      seen.insert(name);
      const auto wanted = kLookedUp.find(name);
      if (wanted == kLookedUp.end()) continue;
      for (const std::string& control : wanted->second)
        EXPECT_NE(root->FindControl(control), nullptr) << data + name << " has no control " << control;
    }
    for (const auto& [name, controls] : kLookedUp) EXPECT_TRUE(seen.contains(name)) << data + name << " missing";
    EXPECT_TRUE(log.Lines().empty()) << log.Lines().front();
    std::vector<std::string> files = Layouts(folder);
    files.push_back("styles.yml");
    for (const std::string& name : files) {
      for (const std::string& shader : Values(folder / name, "shader2?|lshader"))
        EXPECT_TRUE(shaders.contains(shader)) << name << " names the shader " << shader;
      for (const std::string& texture : Values(folder / name, "texture[123]?"))
        EXPECT_TRUE(fs::is_regular_file(fs::path(QV_GAME_DIR) / platform::MapPath(texture)))
            << name << " names the texture " << texture;
    }
  }
}

}  // namespace
