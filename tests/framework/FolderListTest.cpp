#include "framework/FolderList.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/TestSupport.h"

using testing_support::ScopedCwd;
using testing_support::ScopedTempDir;

namespace {

// A program folder with three interface folders (listed in byte order).
class FolderListTest : public ::testing::Test {
 protected:
  FolderListTest() {
    for (const char* name : {"english", "Deutsch", "francais.old"})
      std::filesystem::create_directories(dir_.Path() / "ui" / name);
  }

  ScopedTempDir dir_;
  ScopedCwd cwd_{dir_.Path()};
};

}  // namespace

TEST_F(FolderListTest, NamesAreSortedWithPrefixAndDisplayNamesCapitalised) {
  const FolderList list("ui\\*");
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.GetName(0), "ui\\Deutsch");
  EXPECT_EQ(list.GetName(1), "ui\\english");
  EXPECT_EQ(list.GetName(2), "ui\\francais.old");
  EXPECT_EQ(list.GetDisplayNames(), (std::vector<std::string>{"Deutsch", "English", "Francais"}));
}

TEST_F(FolderListTest, IndexOfIgnoresCaseAndFallsBack) {
  const FolderList list("ui\\*");
  EXPECT_EQ(list.IndexOf("english", -1), 1);
  EXPECT_EQ(list.IndexOf("ENGLISH", -1), 1);
  EXPECT_EQ(list.IndexOf("francais", -1), 2);  // matched by its display name
  EXPECT_EQ(list.IndexOf("klingon", 0), 0);
  EXPECT_EQ(list.IndexOf("", 7), 7);
}

TEST_F(FolderListTest, OutOfRangeAndEmptyListsGiveEmptyNames) {
  const FolderList list("ui\\*");
  EXPECT_EQ(list.GetName(3), "");
  EXPECT_EQ(list.GetName(-1), "");
  EXPECT_EQ(list.GetDisplayName(3), "");

  const FolderList none("missing\\*");
  EXPECT_EQ(none.Count(), 0);
  EXPECT_EQ(none.GetName(0), "");
  EXPECT_EQ(none.IndexOf("english", 0), 0);
  EXPECT_TRUE(none.GetDisplayNames().empty());
}

TEST(CapitalizeTest, FirstByteUpperRestLower) {
  EXPECT_EQ(Capitalize("eNGLISH"), "English");
  EXPECT_EQ(Capitalize("x"), "X");
  EXPECT_EQ(Capitalize(""), "");
  EXPECT_EQ(Capitalize("1ABC"), "1abc");
  EXPECT_EQ(Capitalize("\xC9T\xC9"), "\xC9t\xC9");  // bytes above 127 stay as they are
}
