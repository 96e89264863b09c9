// The shipped interface files: every layout reads cleanly, names only shipped
// shaders and textures, keeps drop-down lists inside their parent (the only
// place the pointer reaches them), sets dialog titles in their frame's title
// band, and holds the controls the code looks up.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "framework/YRect.h"
#include "platform/Paths.h"
#include "players/PlayerRules.h"
#include "tests/framework/LogCapture.h"
#include "tests/game/ShippedFonts.h"
#include "tests/support/TestSupport.h"
#include "ui/UIButton.h"
#include "ui/UICombobox.h"
#include "ui/UIComboboxList.h"
#include "ui/UIControl.h"
#include "ui/UICustomDraw.h"
#include "ui/UIEdit.h"
#include "ui/UIImage.h"
#include "ui/UIParser.h"
#include "ui/UIScrollBar.h"
#include "ui/UISpeedButton.h"
#include "ui/UIText.h"
#include "ui/UITracker.h"
#include "ui/UIWindow.h"

namespace {

namespace fs = std::filesystem;

// Files of an interface folder that are data of other readers, not layouts.
const std::set<std::string> kNotLayouts = {"locale.yml", "fonts.yml", "artifacts.yml", "monsters.yml",
                                           "heroes.yml", "tiles.yml", "styles.yml"};

// The controls the code finds by name, per layout file.
const std::map<std::string, std::vector<std::string>> kLookedUp = {
    {"widgets.yml", {"play", "hero_name", "element", "volume", "help_elements", "close", "canvas", "story"}},
    {"help/page01.yml", {"spells", "specialspells", "artifacts", "page_last"}},
    {"help/page02.yml", {"nextPage"}},
    {"help/page03.yml", {"page0", "prevPage"}},
    {"help/about.yml", {}},
    {"intro/page1.yml", {}},
    {"intro/page2.yml", {"nextPage"}},
    {"intro/page3.yml", {"prevPage"}},
    {"intro/page4.yml", {"nextPage"}},
    {"intro/page5.yml", {"prevPage"}},
    {"intro/page6.yml", {"nextPage"}},
    {"intro/page7.yml", {"prevPage"}},
    {"intro/page8.yml", {"startGame"}},
    {"intro/final.yml", {}},
};

// The folders of the book's pages, and the two places a page stands on the
// open book (left and right) in the 1000 x 625 space.
const std::vector<std::string> kBookFolders = {"help/", "intro/"};
const YRect kLeftPage(180, 45, 270, 467), kRightPage(550, 45, 270, 467);

// The kinds of control the game's screens act on.
enum class Kind { kButton, kSpeedButton, kText, kImage, kDraw, kEdit, kCombo, kScrollBar, kTracker };

bool IsKind(const UIControl& control, Kind kind) {
  switch (kind) {
    case Kind::kButton:
      return dynamic_cast<const UIButton*>(&control) != nullptr;
    case Kind::kSpeedButton:
      return dynamic_cast<const UISpeedButton*>(&control) != nullptr;
    case Kind::kText:
      return dynamic_cast<const UIText*>(&control) != nullptr;
    case Kind::kImage:
      return dynamic_cast<const UIImage*>(&control) != nullptr;
    case Kind::kDraw:
      return dynamic_cast<const UICustomDraw*>(&control) != nullptr;
    case Kind::kEdit:
      return dynamic_cast<const UIEdit*>(&control) != nullptr;
    case Kind::kCombo:
      return dynamic_cast<const UICombobox*>(&control) != nullptr;
    case Kind::kScrollBar:
      return dynamic_cast<const UIScrollBar*>(&control) != nullptr;
    case Kind::kTracker:
      return dynamic_cast<const UITracker*>(&control) != nullptr;
  }
  return false;
}

using Controls = std::vector<std::pair<std::string, Kind>>;

// The controls the game's screens find by name among the screen's direct
// children, per layout file, with the kind each must be.
const std::map<std::string, Controls> kScreenControls = {
    {"mainMenu.yml",
     {{"new", Kind::kButton},
      {"continue", Kind::kButton},
      {"multiplayer", Kind::kButton},
      {"options", Kind::kButton},
      {"hallFame", Kind::kButton},
      {"help", Kind::kButton},
      {"exit", Kind::kButton},
      {"blast", Kind::kDraw}}},
    {"selectSave.yml",
     {{"ok", Kind::kButton},
      {"delete", Kind::kButton},
      {"cancel", Kind::kButton},
      {"0", Kind::kDraw},
      {"1", Kind::kDraw},
      {"2", Kind::kDraw},
      {"3", Kind::kDraw},
      {"sbar", Kind::kScrollBar}}},
    {"message.yml", {{"mess", Kind::kText}, {"ok", Kind::kButton}}},
    {"yesno.yml", {{"mess", Kind::kText}, {"yes", Kind::kButton}, {"no", Kind::kButton}}},
    {"battle_victory.yml",
     {{"gold", Kind::kText},
      {"experence", Kind::kText},
      {"goldbonus", Kind::kText},
      {"experencebonus", Kind::kText},
      {"ok", Kind::kButton}}},
    {"battle_draw.yml",
     {{"gold", Kind::kText},
      {"experence", Kind::kText},
      {"goldbonus", Kind::kText},
      {"experencebonus", Kind::kText},
      {"ok", Kind::kButton}}},
    {"defeat.yml", {{"gold", Kind::kText}, {"experence", Kind::kText}, {"ok", Kind::kButton}}},
    {"levelComplete.yml",
     {{"artifactImg", Kind::kImage},
      {"spellImg1", Kind::kImage},
      {"spellImg2", Kind::kImage},
      {"artifactName", Kind::kText},
      {"spellName", Kind::kText},
      {"artifact", Kind::kButton},
      {"spell", Kind::kButton}}},
    {"levelComplete2.yml", {{"ok", Kind::kButton}}},
    {"levelFail.yml", {{"ok", Kind::kButton}}},
    {"heroFine.yml", {{"face", Kind::kImage}, {"gold", Kind::kText}, {"ok", Kind::kButton}}},
    {"questFinal.yml", {{"ok", Kind::kButton}}},
    {"heroSkill.yml",
     {{"face", Kind::kImage},         {"bar", Kind::kImage},          {"bar0", Kind::kImage},
      {"bar1", Kind::kImage},         {"bar2", Kind::kImage},         {"bar3", Kind::kImage},
      {"name", Kind::kText},          {"points", Kind::kText},        {"skill0", Kind::kText},
      {"skill1", Kind::kText},        {"skill2", Kind::kText},        {"skill3", Kind::kText},
      {"mana0", Kind::kText},         {"mana1", Kind::kText},         {"mana2", Kind::kText},
      {"mana3", Kind::kText},         {"plus0", Kind::kSpeedButton},  {"plus1", Kind::kSpeedButton},
      {"plus2", Kind::kSpeedButton},  {"plus3", Kind::kSpeedButton},  {"minus0", Kind::kSpeedButton},
      {"minus1", Kind::kSpeedButton}, {"minus2", Kind::kSpeedButton}, {"minus3", Kind::kSpeedButton},
      {"ok", Kind::kButton}}},
    {"newHero.yml",
     {{"name", Kind::kEdit},
      {"origin", Kind::kCombo},
      {"gender", Kind::kCombo},
      {"class", Kind::kCombo},
      {"difficulty", Kind::kCombo},
      {"face", Kind::kImage},
      {"ok", Kind::kButton},
      {"cancel", Kind::kButton}}},
    {"sg_menu.yml",
     {{"computer", Kind::kButton},
      {"hotseat", Kind::kButton},
      {"network", Kind::kButton},
      {"internet", Kind::kButton},
      {"cancel", Kind::kButton}}},
    {"sg_computer.yml",
     {{"0", Kind::kDraw},
      {"1", Kind::kDraw},
      {"sbar0", Kind::kScrollBar},
      {"sbar1", Kind::kScrollBar},
      {"difficulty", Kind::kCombo},
      {"start", Kind::kButton},
      {"cancel", Kind::kButton},
      {"profiles", Kind::kButton}}},
    {"sg_hotseat.yml",
     {{"0", Kind::kDraw},
      {"1", Kind::kDraw},
      {"sbar0", Kind::kScrollBar},
      {"sbar1", Kind::kScrollBar},
      {"start", Kind::kButton},
      {"cancel", Kind::kButton},
      {"profiles", Kind::kButton}}},
    {"sg_network.yml",
     {{"0", Kind::kDraw},
      {"1", Kind::kDraw},
      {"sbar0", Kind::kScrollBar},
      {"apply", Kind::kButton},
      {"start", Kind::kButton},
      {"cancel", Kind::kButton},
      {"profiles", Kind::kButton}}},
    {"sg_internet.yml",
     {{"0", Kind::kDraw},
      {"1", Kind::kDraw},
      {"sbar0", Kind::kScrollBar},
      {"ip", Kind::kEdit},
      {"apply", Kind::kButton},
      {"start", Kind::kButton},
      {"cancel", Kind::kButton},
      {"profiles", Kind::kButton}}},
    {"sg_profiles.yml",
     {{"0", Kind::kDraw},
      {"1", Kind::kDraw},
      {"2", Kind::kDraw},
      {"3", Kind::kDraw},
      {"sbar", Kind::kScrollBar},
      {"new", Kind::kButton},
      {"edit", Kind::kButton},
      {"delete", Kind::kButton},
      {"cancel", Kind::kButton}}},
    {"sg_newHero.yml",
     {{"name", Kind::kEdit},
      {"origin", Kind::kCombo},
      {"gender", Kind::kCombo},
      {"class", Kind::kCombo},
      {"level", Kind::kCombo},
      {"face", Kind::kImage},
      {"ok", Kind::kButton},
      {"cancel", Kind::kButton}}},
    {"battle_victory_mp.yml",
     {{"text", Kind::kText},
      {"experence", Kind::kText},
      {"experencebonus", Kind::kText},
      {"ok", Kind::kButton}}},
    {"multiplayerComplete.yml", {{"text", Kind::kText}, {"yes", Kind::kButton}, {"no", Kind::kButton}}},
    {"options.yml",
     {{"language", Kind::kCombo},
      {"resolution", Kind::kCombo},
      {"sound_vol", Kind::kTracker},
      {"music_vol", Kind::kTracker},
      {"ok", Kind::kButton},
      {"cancel", Kind::kButton}}},
    {"hallFame.yml",
     {{"name0", Kind::kText},       {"name1", Kind::kText},       {"name2", Kind::kText},
      {"name3", Kind::kText},       {"name4", Kind::kText},       {"name5", Kind::kText},
      {"name6", Kind::kText},       {"name7", Kind::kText},       {"name8", Kind::kText},
      {"name9", Kind::kText},       {"difficulty0", Kind::kText}, {"difficulty1", Kind::kText},
      {"difficulty2", Kind::kText}, {"difficulty3", Kind::kText}, {"difficulty4", Kind::kText},
      {"difficulty5", Kind::kText}, {"difficulty6", Kind::kText}, {"difficulty7", Kind::kText},
      {"difficulty8", Kind::kText}, {"difficulty9", Kind::kText}, {"level0", Kind::kText},
      {"level1", Kind::kText},      {"level2", Kind::kText},      {"level3", Kind::kText},
      {"level4", Kind::kText},      {"level5", Kind::kText},      {"level6", Kind::kText},
      {"level7", Kind::kText},      {"level8", Kind::kText},      {"level9", Kind::kText},
      {"loss0", Kind::kText},       {"loss1", Kind::kText},       {"loss2", Kind::kText},
      {"loss3", Kind::kText},       {"loss4", Kind::kText},       {"loss5", Kind::kText},
      {"loss6", Kind::kText},       {"loss7", Kind::kText},       {"loss8", Kind::kText},
      {"loss9", Kind::kText},       {"wins0", Kind::kText},       {"wins1", Kind::kText},
      {"wins2", Kind::kText},       {"wins3", Kind::kText},       {"wins4", Kind::kText},
      {"wins5", Kind::kText},       {"wins6", Kind::kText},       {"wins7", Kind::kText},
      {"wins8", Kind::kText},       {"wins9", Kind::kText},       {"scores0", Kind::kText},
      {"scores1", Kind::kText},     {"scores2", Kind::kText},     {"scores3", Kind::kText},
      {"scores4", Kind::kText},     {"scores5", Kind::kText},     {"scores6", Kind::kText},
      {"scores7", Kind::kText},     {"scores8", Kind::kText},     {"scores9", Kind::kText},
      {"ok", Kind::kButton}}},
};

std::vector<fs::path> InterfaceFolders() {
  std::vector<fs::path> folders;
  for (const auto& entry : fs::directory_iterator(fs::path(QV_GAME_DIR) / "ui"))
    if (entry.is_directory()) folders.push_back(entry.path());
  return folders;
}

// The layouts of an interface folder and its subfolders, relative to it
// ("help/page01.yml").
std::vector<std::string> Layouts(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    const std::string name = entry.path().lexically_relative(folder).generic_string();
    if (entry.path().extension() == ".yml" && !kNotLayouts.contains(name)) names.push_back(name);
  }
  return names;
}

// The data name of a layout inside the interface folder `data`.
std::string DataName(const std::string& data, std::string name) {
  std::replace(name.begin(), name.end(), '/', '\\');
  return data + name;
}

// A book page is one control standing on the left or the right page.
void ExpectOnABookPage(const UIControl& root, const std::string& name) {
  for (const std::string& folder : kBookFolders)
    if (name.starts_with(folder)) {
      const YRect& r = root.rect;
      const auto is = [&r](const YRect& page) {
        return r.x == page.x && r.y == page.y && r.width == page.width && r.height == page.height;
      };
      EXPECT_TRUE(is(kLeftPage) || is(kRightPage)) << name << " stands off the book's pages";
    }
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

// Each control a screen's code looks up is a direct child of the screen, of
// the kind the code takes it for.
void ExpectScreenControls(const UIControl& root, const std::string& screen, const std::string& file) {
  const auto wanted = kScreenControls.find(screen);
  if (wanted == kScreenControls.end()) return;
  for (const auto& [name, kind] : wanted->second) {
    const UIControl* control = root.FindChild(name);
    EXPECT_NE(control, nullptr) << file << " has no control " << name << " among the screen's children";
    if (control != nullptr) {
      EXPECT_TRUE(IsKind(*control, kind)) << file << ": " << name << " is of another kind";
    }
  }
}

// The dialog frame's title band: rows 7 to 28 of its picture's 32-row top
// cap.
constexpr float kBandTop = 7.0f / 32, kBandBottom = 28.0f / 32;

// The frame a title is set over: the dialog itself, or a screen's "frame".
const UIWindow* FrameOf(const UIControl& root) {
  if (const auto* window = dynamic_cast<const UIWindow*>(&root)) return window;
  return dynamic_cast<const UIWindow*>(root.FindChild("frame"));
}

// A title set in its frame's title band stands in it: its letters, from
// the cap height of an "H" to the baseline, lie inside the band at the
// frame's width (a band that grew with the width left narrow dialogs'
// titles hanging out of it).
void ExpectTitleInItsBand(const UIControl& root, const std::string& file) {
  const UIWindow* frame = FrameOf(root);
  const auto* title = dynamic_cast<const UIText*>(root.FindChild("title"));
  if (frame == nullptr || frame->TopCap() <= 0 || title == nullptr || title->Runs().empty()) return;
  // A title beside its frame is placed in the screen, as the frame is.
  const float y = title->rect.y - (frame == &root ? 0 : frame->rect.y);
  const float cap = frame->TopCap();
  const float top = kBandTop * cap, bottom = kBandBottom * cap;
  if (y < 0 || y > bottom) return;  // a title of its own, below the band
  const UIText::Run& run = title->Runs().front();
  ASSERT_NE(run.style.font, nullptr) << file;
  const YGlyph& letter = run.style.font->glyphs[static_cast<unsigned char>('H')];
  const float box = y + run.y - run.style.size;  // the first line's box
  const float capHeight = box + letter.corners[0].gy * run.style.size;
  const float baseline = box + letter.corners[1].gy * run.style.size;
  EXPECT_TRUE(capHeight >= top && baseline <= bottom)
      << file << ": the title's letters from " << capHeight << " to " << baseline << " leave its band " << top
      << "-" << bottom;
}

// A hero's name box takes as many characters as a name read from a file
// keeps, so what the box shows is what every list draws.
void ExpectHeroNameBoxes(const UIControl& root, const std::string& file) {
  for (const char* name : {"name", "hero_name"}) {
    if (const auto* edit = dynamic_cast<const UIEdit*>(root.FindControl(name))) {
      EXPECT_EQ(edit->MaxLength(), static_cast<int>(kMaxHeroName)) << file << ": " << name;
    }
  }
}

TEST(ShippedLayouts, EveryLayoutReadsCleanlyAndNamesOnlyShippedContent) {
  testing_support::ScopedCwd cwd(QV_GAME_DIR);
  shipped_fonts::Load();  // the titles' letters are measured
  const std::set<std::string> shaders = DefinedShaders();
  const std::vector<fs::path> folders = InterfaceFolders();
  ASSERT_GE(folders.size(), 2u) << "English and a second language";
  for (const fs::path& folder : folders) {
    const std::string data = "ui\\" + folder.filename().string() + "\\";
    LogCapture log;
    UIParser::LoadLayout(data + "styles.yml");
    std::set<std::string> seen;
    for (const std::string& name : Layouts(folder)) {
      const auto root = UIParser::LoadLayout(DataName(data, name));
      ASSERT_NE(root, nullptr) << data + name;
      ExpectListsInsideTheirParents(*root, name);
      ExpectOnABookPage(*root, name);
      ExpectTitleInItsBand(*root, data + name);
      seen.insert(name);
      ExpectScreenControls(*root, name, data + name);
      ExpectHeroNameBoxes(*root, data + name);
      const auto wanted = kLookedUp.find(name);
      if (wanted == kLookedUp.end()) continue;
      for (const std::string& control : wanted->second)
        EXPECT_NE(root->FindControl(control), nullptr)
            << DataName(data, name) << " has no control " << control;
    }
    for (const auto& [name, controls] : kLookedUp)
      EXPECT_TRUE(seen.contains(name)) << DataName(data, name) << " missing";
    for (const auto& [name, controls] : kScreenControls)
      EXPECT_TRUE(seen.contains(name)) << DataName(data, name) << " missing";
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
