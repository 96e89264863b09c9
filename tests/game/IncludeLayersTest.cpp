// Every include of every library source against the layer table
// (cmake/Layers.txt): a folder includes only its own headers and those of the
// folders beneath it, and only platform/ includes the window, graphics, audio
// and socket headers of the system.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using LayerTable = std::map<std::string, std::vector<std::string>>;

LayerTable ReadLayerTable() {
  LayerTable table;
  std::ifstream in(fs::path(QV_SOURCE_DIR) / "cmake" / "Layers.txt");
  const std::regex line(R"(^([a-z]+):(.*)$)");
  for (std::string text; std::getline(in, text);) {
    std::smatch m;
    if (!std::regex_match(text, m, line)) continue;
    std::istringstream below(m[2].str());
    auto& list = table[m[1].str()];
    for (std::string folder; below >> folder;) list.push_back(folder);
  }
  return table;
}

std::set<std::string> Visible(const LayerTable& table, const std::string& folder) {
  std::set<std::string> seen{folder};
  std::vector<std::string> todo = table.at(folder);
  while (!todo.empty()) {
    const std::string next = todo.back();
    todo.pop_back();
    if (!seen.insert(next).second) continue;
    if (auto it = table.find(next); it != table.end()) todo.insert(todo.end(), it->second.begin(), it->second.end());
  }
  return seen;
}

// System headers that only the platform layer may include.
bool IsPlatformOnlyHeader(const std::string& header) {
  static const std::regex kPlatformOnly(
      R"(^(SDL[^/]*\.h|SDL2/.*|GL/.*|GLES.*|AL/.*|sys/socket\.h|netinet/.*|arpa/.*|netdb\.h|ifaddrs\.h|poll\.h|sys/select\.h)$)");
  return std::regex_match(header, kPlatformOnly);
}

struct Include {
  std::string header;
  bool quoted;
  int line;
};

std::vector<Include> IncludesOf(const fs::path& file) {
  static const std::regex kInclude(R"(^\s*#\s*include\s*([<"])([^">]+)[">])");
  std::vector<Include> found;
  std::ifstream in(file);
  int number = 0;
  for (std::string text; std::getline(in, text);) {
    ++number;
    std::smatch m;
    if (std::regex_search(text, m, kInclude)) found.push_back({m[2].str(), m[1].str() == "\"", number});
  }
  return found;
}

std::vector<std::string> Violations(const LayerTable& table, const std::string& folder) {
  std::vector<std::string> bad;
  const std::set<std::string> visible = Visible(table, folder);
  const fs::path root = fs::path(QV_SOURCE_DIR) / folder;
  if (!fs::exists(root)) return bad;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const std::string ext = entry.path().extension().string();
    if (ext != ".h" && ext != ".cpp") continue;
    const std::string where = fs::relative(entry.path(), QV_SOURCE_DIR).string();
    for (const Include& inc : IncludesOf(entry.path())) {
      const std::string head = inc.header.substr(0, inc.header.find('/'));
      const bool projectHeader = inc.quoted && inc.header.find('/') != std::string::npos;
      if (projectHeader && !visible.count(head))
        bad.push_back(where + ":" + std::to_string(inc.line) + " includes " + inc.header);
      if (folder != "platform" && IsPlatformOnlyHeader(inc.header))
        bad.push_back(where + ":" + std::to_string(inc.line) + " includes system header " + inc.header);
    }
  }
  return bad;
}

}  // namespace

TEST(IncludeLayers, TableNamesOnlyKnownFoldersAndHasNoCycle) {
  const LayerTable table = ReadLayerTable();
  ASSERT_TRUE(table.count("platform"));
  ASSERT_TRUE(table.count("game"));
  for (const auto& [folder, below] : table) {
    for (const std::string& lower : below) {
      EXPECT_TRUE(table.count(lower)) << folder << " names unknown folder " << lower;
      if (table.count(lower)) {
        EXPECT_FALSE(Visible(table, lower).count(folder)) << folder << " and " << lower << " form a cycle";
      }
    }
  }
}

TEST(IncludeLayers, EveryLibraryIncludesOnlyItsLayerAndThoseBeneath) {
  const LayerTable table = ReadLayerTable();
  std::vector<std::string> all;
  for (const auto& [folder, below] : table) {
    const auto bad = Violations(table, folder);
    all.insert(all.end(), bad.begin(), bad.end());
  }
  std::string report;
  for (const std::string& line : all) report += line + "\n";
  EXPECT_TRUE(all.empty()) << report;
}

TEST(IncludeLayers, EverySourceFolderIsInTheTable) {
  const LayerTable table = ReadLayerTable();
  const std::set<std::string> notLibraries{"cmake", "content", "tests", "tools", "bench", "scripts", "build"};
  for (const auto& entry : fs::directory_iterator(QV_SOURCE_DIR)) {
    const std::string name = entry.path().filename().string();
    if (!entry.is_directory() || name.front() == '.' || notLibraries.count(name) || name.rfind("build", 0) == 0) continue;
    EXPECT_TRUE(table.count(name)) << "folder " << name << " is missing from cmake/Layers.txt";
  }
}
