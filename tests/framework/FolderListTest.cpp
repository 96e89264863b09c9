#include "framework/FolderList.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/TestSupport.h"

TEST(FolderListTest, SortedNamesCapitalisedDisplayNamesAndLookUpWithoutCase) {
  testing_support::ScopedTempDir dir;
  for (const char* name : {"english", "Deutsch", "francais.old"})
    std::filesystem::create_directories(dir.Path() / "ui" / name);
  testing_support::ScopedCwd cwd(dir.Path());
  const FolderList list("ui\\*");
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.GetName(0), "ui\\Deutsch");
  EXPECT_EQ(list.GetName(2), "ui\\francais.old");
  EXPECT_EQ(list.GetDisplayNames(), (std::vector<std::string>{"Deutsch", "English", "Francais"}));
  EXPECT_EQ(list.IndexOf("ENGLISH", -1), 1);
  EXPECT_EQ(list.IndexOf("francais", -1), 2);  // matched by its display name
  EXPECT_EQ(list.IndexOf("klingon", 7), 7);
  EXPECT_EQ(FolderList("missing\\*").IndexOf("english", 0), 0);
  EXPECT_EQ(Capitalize("\xC9T\xC9"), "\xC9t\xC9");  // bytes above 127 stay as they are
}
