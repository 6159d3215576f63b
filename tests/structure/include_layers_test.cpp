// The source folders stand in layers: each includes only folders below it,
// and no file includes itself back through others.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace puffel {
namespace {

namespace fs = std::filesystem;

// The layer of each folder of src, bottom up. The model of the scene stands
// on the platform layer; the subsystems on it; the windows on them; the
// front ends (the toolkits' and the event scripts') on top.
const std::map<std::string, int> Layers = {
    {"platform", 0}, {"scene", 1},  {"render", 2}, {"builder", 3}, {"anim", 3}, {"interact", 4},
    {"project", 4},  {"export", 5}, {"app", 6},    {"batch", 7},   {"gui", 7},  {"win32", 7}};

struct Include {
  std::string file;    // relative to src
  std::string target;  // relative to src
};

std::vector<Include> sourceIncludes(const fs::path& src) {
  static const std::regex include(R"(^\s*#\s*include\s+"([a-z0-9_]+/[^"]+)\")");
  std::vector<Include> includes;
  for (const auto& entry : fs::recursive_directory_iterator(src)) {
    const std::string extension = entry.path().extension().string();
    if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) continue;
    std::ifstream in(entry.path());
    std::string line;
    std::smatch match;
    while (std::getline(in, line)) {
      if (std::regex_search(line, match, include) && fs::exists(src / match[1].str())) {
        includes.push_back({fs::relative(entry.path(), src).generic_string(), match[1].str()});
      }
    }
  }
  return includes;
}

std::string folderOf(const std::string& path) { return path.substr(0, path.find('/')); }

TEST(IncludeLayers, EveryFolderIncludesOnlyFoldersBelowIt) {
  const std::vector<Include> includes = sourceIncludes(fs::path(PUFFEL_SOURCE_DIR) / "src");
  ASSERT_GT(includes.size(), 100u);
  for (const Include& include : includes) {
    const std::string from = folderOf(include.file);
    const std::string to = folderOf(include.target);
    ASSERT_TRUE(Layers.count(from)) << "a folder of no layer: " << from;
    ASSERT_TRUE(Layers.count(to)) << "a folder of no layer: " << to;
    EXPECT_TRUE(from == to || Layers.at(to) < Layers.at(from))
        << include.file << " includes " << include.target;
  }
}

TEST(IncludeLayers, NoFileIncludesItselfThroughOthers) {
  std::map<std::string, std::set<std::string>> graph;
  for (const Include& include : sourceIncludes(fs::path(PUFFEL_SOURCE_DIR) / "src")) {
    graph[include.file].insert(include.target);
  }
  std::map<std::string, int> state;  // 1 on the path, 2 done
  std::vector<std::string> path;
  const std::function<void(const std::string&)> visit = [&](const std::string& node) {
    state[node] = 1;
    path.push_back(node);
    for (const std::string& next : graph[node]) {
      if (state[next] == 1) {
        std::string circle;
        for (auto at = std::find(path.begin(), path.end(), next); at != path.end(); ++at) {
          circle += *at + " -> ";
        }
        ADD_FAILURE() << "include circle: " << circle << next;
      } else if (state[next] == 0) {
        visit(next);
      }
    }
    path.pop_back();
    state[node] = 2;
  };
  for (const auto& [node, targets] : graph) {
    if (state[node] == 0) visit(node);
  }
}

}  // namespace
}  // namespace puffel
