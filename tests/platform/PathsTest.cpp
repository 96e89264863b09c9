// Data names mapped to paths, and where the per-user folder lives.
#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <tuple>

#include "tests/support/TestSupport.h"

namespace {

using platform::MapPath;
using platform::UserDataParent;
using testing_support::ScopedEnv;

TEST(MapPathTest, TurnsRunsOfSeparatorsIntoOneSlashKeepingALeadingOne) {
  const std::pair<const char*, const char*> cases[] = {
      {"ui\\english\\main.lyt", "ui/english/main.lyt"},
      {"a\\\\b//c", "a/b/c"},
      {"a\\/\\/b", "a/b"},
      {"/tmp/x", "/tmp/x"},
      {"\\\\tmp\\x", "/tmp/x"},
      {"//", "/"},
  };
  for (const auto& [name, path] : cases) EXPECT_EQ(MapPath(name), path) << name;
}

TEST(UserDataParentTest, AppDataThenAnAbsoluteXdgDataHomeThenHome) {
  using Var = std::optional<std::string>;
  const std::tuple<Var, Var, Var, const char*> cases[] = {
      // APPDATA, XDG_DATA_HOME, HOME, result
      {"/tmp/appdata", "/tmp/xdg", "/home/q", "/tmp/appdata"},
      {"", "/tmp/xdg", "/home/q", "/tmp/xdg"},
      {std::nullopt, std::nullopt, "/home/q", "/home/q/.local/share"},
      {std::nullopt, "relative/data", "/home/q", "/home/q/.local/share"},
      // Trailing separators go, but never the root.
      {"/tmp/appdata//", std::nullopt, "/home/q", "/tmp/appdata"},
      {std::nullopt, std::nullopt, "/", "/.local/share"},
      {"/", std::nullopt, "/home/q", "/"},
  };
  for (const auto& [appData, xdg, home, expected] : cases) {
    ScopedEnv a("APPDATA", appData), x("XDG_DATA_HOME", xdg), h("HOME", home);
    EXPECT_EQ(UserDataParent(), expected) << appData.value_or("-") << " " << xdg.value_or("-");
  }
}

}  // namespace
