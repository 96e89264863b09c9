#include "framework/YLocale.h"

#include <gtest/gtest.h>

#include "tests/framework/LogCapture.h"
#include "tests/support/TestSupport.h"

namespace {

class YLocaleTest : public ::testing::Test {
 protected:
  // Writes a locale file and loads it.
  void LoadText(const std::string& text) {
    testing_support::WriteFile(dir_.File("locale.yml"), text);
    locale_.Load(dir_.File("locale.yml"));
  }

  testing_support::ScopedTempDir dir_;
  YLocale locale_;
};

}  // namespace

TEST_F(YLocaleTest, TextsByKeyUntilTheNextLoad) {
  LoadText(
      "<locale>\r\n<str name=\"title\">Quennel</str>\r\n<str name=\"Title\">Other</str>\n"
      "<str name=\"greet\">two\nlines &lt;b&rt;</str>\n"
      "<str name=\"dup\">first</str><str name=\"dup\">second</str></locale>\n");
  EXPECT_EQ(locale_.GetText("title"), "Quennel");
  EXPECT_EQ(locale_.GetText("Title"), "Other");  // keys are case-sensitive
  EXPECT_EQ(locale_.GetText("greet"), "two\nlines <b>");
  EXPECT_EQ(locale_.GetText("dup"), "second");  // the later entry wins
  EXPECT_EQ(locale_.GetText("nowhere"), "");
  LoadText("<locale><str name=\"nowhere\">found</str></locale>");
  EXPECT_EQ(locale_.GetText("nowhere"), "found");
  EXPECT_EQ(locale_.GetText("title"), "");  // a new load forgets the old texts
  locale_.Load(dir_.File("none.yml"));
  EXPECT_EQ(locale_.GetText("nowhere"), "");  // and so does a missing file
  // A broken file loads what it can; each bad spot is logged with the file
  // and the line.
  LogCapture capture;
  LoadText(
      "junk<locale>\n<str name=\"good\">kept</str>\n<str bad=\"1\">lost</str>\n"
      "<str name=\"after\">also kept</str>\n<unknown>x</unknown>\n<str name=\"amp\">a &amp; b</str>\n"
      "<str name=\"last\">end</str>\n<str name=\"cut\">never clo");
  EXPECT_EQ(locale_.GetText("good"), "kept");
  EXPECT_EQ(locale_.GetText("after"), "also kept");
  EXPECT_EQ(locale_.GetText("last"), "end");
  EXPECT_EQ(locale_.GetText("cut"), "");
  const std::vector<std::string> lines = capture.Lines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0].rfind("Locale parser error, ", 0), 0u) << lines[0];
  EXPECT_TRUE(lines[0].ends_with(", file: " + dir_.File("locale.yml") + ", line: 0")) << lines[0];
}

TEST_F(YLocaleTest, LookupMatchesIncomingTextWithoutCase) {
  LoadText(
      "<locale><map incoming=\"FIRE\">Feuer</map><map incoming=\"water\">Wasser</map>"
      "<map incoming=\"zeta\">Same</map><map incoming=\"alpha\">SAME</map></locale>");
  EXPECT_EQ(locale_.Lookup("fire"), "Feuer");
  EXPECT_EQ(locale_.Lookup("Earth"), "Earth");        // no entry: unchanged
  EXPECT_EQ(locale_.ReverseLookup("FEUER"), "fire");  // the stored, lower-cased incoming text
  EXPECT_EQ(locale_.ReverseLookup("Luft"), "Luft");
  EXPECT_EQ(locale_.ReverseLookup("same"), "alpha");  // the first in incoming-text order
}
