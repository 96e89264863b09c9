// Every include of every library source against the layer table
// (cmake/Layers.txt); only platform/ includes the system's window, graphics,
// audio and socket headers.
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

// Each include of a folder's sources that its layer may not make, as "file:line includes header".
std::vector<std::string> Violations(const LayerTable& table, const std::string& folder) {
  static const std::regex kInclude(R"(^\s*#\s*include\s*([<"])([^">]+)[">])");
  static const std::regex kPlatformOnly(
      R"(^(SDL[^/]*\.h|SDL2/.*|GL/.*|GLES.*|AL/.*|sys/socket\.h|netinet/.*|arpa/.*|netdb\.h|ifaddrs\.h|poll\.h|sys/select\.h)$)");
  std::vector<std::string> bad;
  const std::set<std::string> visible = Visible(table, folder);
  const fs::path root = fs::path(QV_SOURCE_DIR) / folder;
  if (!fs::exists(root)) return bad;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    const std::string ext = entry.path().extension().string();
    if (ext != ".h" && ext != ".cpp") continue;
    std::ifstream in(entry.path());
    int number = 0;
    for (std::string text; std::getline(in, text);) {
      ++number;
      std::smatch m;
      if (!std::regex_search(text, m, kInclude)) continue;
      const std::string header = m[2].str(), where = fs::relative(entry.path(), QV_SOURCE_DIR).string();
      const bool project = m[1].str() == "\"" && header.find('/') != std::string::npos;
      if (project && !visible.count(header.substr(0, header.find('/'))))
        bad.push_back(where + ":" + std::to_string(number) + " includes " + header);
      if (folder != "platform" && std::regex_match(header, kPlatformOnly))
        bad.push_back(where + ":" + std::to_string(number) + " includes system header " + header);
    }
  }
  return bad;
}

}  // namespace

TEST(IncludeLayers, TableNamesEverySourceFolderAndHasNoCycle) {
  const LayerTable table = ReadLayerTable();
  ASSERT_TRUE(table.count("platform") && table.count("game"));
  for (const auto& [folder, below] : table)
    for (const std::string& lower : below) {
      ASSERT_TRUE(table.count(lower)) << folder << " names unknown folder " << lower;
      EXPECT_FALSE(Visible(table, lower).count(folder)) << folder << " and " << lower << " form a cycle";
    }
  const std::set<std::string> notLibraries{"cmake", "content", "tests", "tools", "bench", "scripts", "docs"};
  for (const auto& entry : fs::directory_iterator(QV_SOURCE_DIR)) {
    const std::string name = entry.path().filename().string();
    if (!entry.is_directory() || name.front() == '.' || notLibraries.count(name) || name.starts_with("build")) continue;
    EXPECT_TRUE(table.count(name)) << "folder " << name << " is missing from cmake/Layers.txt";
  }
}

TEST(IncludeLayers, EveryLibraryIncludesOnlyItsLayerAndThoseBeneath) {
  const LayerTable table = ReadLayerTable();
  std::string report;
  for (const auto& [folder, below] : table)
    for (const std::string& line : Violations(table, folder)) report += line + "\n";
  EXPECT_TRUE(report.empty()) << report;
}
