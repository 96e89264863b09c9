// Data names mapped to paths, and where the per-user folder lives.
#include "platform/Paths.h"

#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"

namespace {

using platform::MapPath;
using platform::UserDataParent;
using testing_support::ScopedEnv;

TEST(MapPathTest, TurnsDataSeparatorsIntoSlashes) {
  EXPECT_EQ(MapPath("data\\fonts.yml"), "data/fonts.yml");
  EXPECT_EQ(MapPath("ui\\english\\main.lyt"), "ui/english/main.lyt");
  EXPECT_EQ(MapPath("already/unix"), "already/unix");
  EXPECT_EQ(MapPath("plain.txt"), "plain.txt");
  EXPECT_EQ(MapPath(""), "");
}

TEST(MapPathTest, CollapsesRunsOfMixedSeparators) {
  EXPECT_EQ(MapPath("a\\\\b//c"), "a/b/c");
  EXPECT_EQ(MapPath("a\\/\\/b"), "a/b");
  EXPECT_EQ(MapPath("ui\\"), "ui/");
}

TEST(MapPathTest, KeepsOneLeadingSeparatorOfAnAbsolutePath) {
  EXPECT_EQ(MapPath("/tmp/x"), "/tmp/x");
  EXPECT_EQ(MapPath("\\\\tmp\\x"), "/tmp/x");
  EXPECT_EQ(MapPath("//"), "/");
}

// Every variable the lookup reads, set or cleared for one test.
struct UserEnv {
  ScopedEnv appData;
  ScopedEnv xdg;
  ScopedEnv home;
};

TEST(UserDataParentTest, PrefersAppData) {
  UserEnv env{{"APPDATA", "/tmp/appdata"}, {"XDG_DATA_HOME", "/tmp/xdg"}, {"HOME", "/home/q"}};
  EXPECT_EQ(UserDataParent(), "/tmp/appdata");
}

TEST(UserDataParentTest, EmptyAppDataFallsBackToXdgDataHome) {
  UserEnv env{{"APPDATA", ""}, {"XDG_DATA_HOME", "/tmp/xdg"}, {"HOME", "/home/q"}};
  EXPECT_EQ(UserDataParent(), "/tmp/xdg");
}

TEST(UserDataParentTest, WithoutEitherUsesTheHomeDataFolder) {
  UserEnv env{{"APPDATA", std::nullopt}, {"XDG_DATA_HOME", std::nullopt}, {"HOME", "/home/q"}};
  EXPECT_EQ(UserDataParent(), "/home/q/.local/share");
}

TEST(UserDataParentTest, IgnoresEmptyOrRelativeXdgDataHome) {
  {
    UserEnv env{{"APPDATA", std::nullopt}, {"XDG_DATA_HOME", ""}, {"HOME", "/home/q"}};
    EXPECT_EQ(UserDataParent(), "/home/q/.local/share");
  }
  UserEnv env{{"APPDATA", std::nullopt}, {"XDG_DATA_HOME", "relative/data"}, {"HOME", "/home/q"}};
  EXPECT_EQ(UserDataParent(), "/home/q/.local/share");
}

TEST(UserDataParentTest, DropsTrailingSeparatorsButNeverTheRoot) {
  {
    UserEnv env{{"APPDATA", "/tmp/appdata//"}, {"XDG_DATA_HOME", std::nullopt}, {"HOME", "/home/q"}};
    EXPECT_EQ(UserDataParent(), "/tmp/appdata");
  }
  {
    UserEnv env{{"APPDATA", std::nullopt}, {"XDG_DATA_HOME", "/tmp/xdg/"}, {"HOME", "/home/q"}};
    EXPECT_EQ(UserDataParent(), "/tmp/xdg");
  }
  {
    UserEnv env{{"APPDATA", std::nullopt}, {"XDG_DATA_HOME", std::nullopt}, {"HOME", "/"}};
    EXPECT_EQ(UserDataParent(), "/.local/share");
  }
  UserEnv env{{"APPDATA", "/"}, {"XDG_DATA_HOME", std::nullopt}, {"HOME", "/home/q"}};
  EXPECT_EQ(UserDataParent(), "/");
}

TEST(UserDataParentTest, WithoutHomeVariableStillNamesAFolder) {
  UserEnv env{{"APPDATA", std::nullopt}, {"XDG_DATA_HOME", std::nullopt}, {"HOME", std::nullopt}};
  const std::string parent = UserDataParent();
  EXPECT_FALSE(parent.empty());
  EXPECT_NE(parent, "/");
}

}  // namespace
