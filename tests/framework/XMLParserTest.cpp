// The mark-up reader and writer: value forms, text runs, error recovery with
// line numbers, the writer's attribute choice and quoting, and termination on
// arbitrary input.
#include "framework/XMLParser.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/TestSupport.h"

namespace {

// Declares tags "a" (x, y, r, s, t, u) and "b" (no attributes) and records
// every call as one line of text.
class Recorder : public XMLParser {
 public:
  enum { kA, kB };
  Recorder() {
    AddTag(MakeTag("a", {{"x", "0"}, {"y", ""}, {"r", "[9,9,9,9]"}, {"s", ""}, {"t", ""}, {"u", ""}}));
    AddTag(MakeTag("b"));
  }

  std::vector<std::string> Run(const std::string& input) {
    events.clear();
    std::istringstream in(input);
    Parse(in);
    return events;
  }

  std::vector<std::string> events;
  bool goOn = true;
  int throwOnOpenOf = -1;

 protected:
  void OnTagOpen(int id) override {
    events.push_back("open " + GetTag(id).name);
    if (id == throwOnOpenOf) throw XMLParseError("Bad tag");
  }
  void OnTagClose(int id) override { events.push_back("close " + GetTag(id).name + " [" + Text() + "]"); }
  bool OnError(const std::string& message) override {
    events.push_back("error " + message + " @" + std::to_string(LineNumber()));
    return goOn;
  }
};

using Events = std::vector<std::string>;
const std::string kNoLt = "error Expected '<'.";

TEST(XMLParserRead, AttributeValueForms) {
  Recorder p;
  p.Run("<a x=1 y='two' r=[0,0,120,30] s={p q} t=(1 2) u=<v w>>");
  const std::vector<std::string> expected = {"1", "two", "[0,0,120,30]", "{p q}", "(1 2)", "<v w>"};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(p.GetAttr(Recorder::kA, i).value, expected[static_cast<std::size_t>(i)]) << i;
    EXPECT_TRUE(p.GetAttr(Recorder::kA, i).given) << i;
  }
  const YRect r = p.GetAttr(Recorder::kA, 2).AsRect();
  EXPECT_EQ(r.x, 0);
  EXPECT_EQ(r.y, 0);
  EXPECT_EQ(r.width, 120);
  EXPECT_EQ(r.height, 30);
  EXPECT_EQ(p.events, Events{"open a"});
}

TEST(XMLParserRead, QuotedValuesKeepLineFeedsAndOtherQuotes) {
  Recorder p;
  p.Run("<a y=\"it's\nhere\" s = 'say \"hi\"' x=7/>");
  EXPECT_EQ(p.GetAttr(Recorder::kA, 1).value, "it's\nhere");
  EXPECT_EQ(p.GetAttr(Recorder::kA, 3).value, "say \"hi\"");
  EXPECT_EQ(p.GetAttr(Recorder::kA, 0).value, "7");
  EXPECT_EQ(p.LineNumber(), 1);
}

TEST(XMLParserRead, AttributesNotGivenFallBackToDefaultsOnEveryTag) {
  Recorder p;
  p.Run("<a x=5 y=q></a><a y=z y=w>");
  EXPECT_EQ(p.GetAttr(Recorder::kA, 0).value, "0");
  EXPECT_FALSE(p.GetAttr(Recorder::kA, 0).given);
  EXPECT_EQ(p.GetAttr(Recorder::kA, 1).value, "w");  // given twice: the last holds
  // A new parse starts from the defaults even for tags it never sees.
  p.Run("<b/>");
  EXPECT_EQ(p.GetAttr(Recorder::kA, 1).value, "");
  EXPECT_FALSE(p.GetAttr(Recorder::kA, 1).given);
}

TEST(XMLParserRead, SelfClosingAndEmptyPairBothDeliverEmptyText) {
  Recorder p;
  EXPECT_EQ(p.Run("<b>text<a/></b>"), (Events{"open b", "open a", "close a []", "close b []"}));
  EXPECT_EQ(p.Run("<a></a>"), (Events{"open a", "close a []"}));
  EXPECT_EQ(p.Run("<a x=1 />"), (Events{"open a", "close a []"}));
}

TEST(XMLParserRead, TextRunsAndEntities) {
  Recorder p;
  EXPECT_EQ(p.Run("<a>x &lt;y&rt; z</a>"), (Events{"open a", "close a [x <y> z]"}));
  EXPECT_EQ(p.Run("<b>\n two\tlines </b>"), (Events{"open b", "close b [\n two\tlines ]"}));
  // Closing tags are not matched against opening ones.
  EXPECT_EQ(p.Run("<a>q</b>"), (Events{"open a", "close b [q]"}));
}

TEST(XMLParserRead, EntityErrors) {
  Recorder p;
  EXPECT_EQ(p.Run("<a>&gt;</a>"), (Events{"open a", "error Unknown character &gt; @0", "close a []"}));
  // The character after the error is '<', so parsing resumes at once.
  // The '<' that ended the name was taken as the missing ';', so the closing tag is lost.
  EXPECT_EQ(p.Run("<a>&lt</a>"), (Events{"open a", "error Expected ';' @0", kNoLt + " @0", kNoLt + " @0"}));
}

TEST(XMLParserRead, CommentsJoinTheTextAroundThem) {
  Recorder p;
  EXPECT_EQ(p.Run("<a>one<!-- x -- y -->two</a>"), (Events{"open a", "close a [onetwo]"}));
  // A single dash before '>' does not end a comment; many dashes do.
  EXPECT_EQ(p.Run("<a>1<!-- -> <b> ---->2</a>"), (Events{"open a", "close a [12]"}));
  EXPECT_EQ(p.Run("<!-- lead --><b>t</b>"), (Events{"open b", "close b [t]"}));
}

TEST(XMLParserRead, BadCommentStarts) {
  Recorder p;
  EXPECT_EQ(p.Run("<!x<b/>"), (Events{"error Invalid special '!'. @0", "open b", "close b []"}));
  EXPECT_EQ(p.Run("<!-x<b/>"), (Events{"error Expected '--'. @0", "open b", "close b []"}));
}

TEST(XMLParserErrors, EveryCharacterBeforeTheFirstTagIsReported) {
  Recorder p;
  EXPECT_EQ(p.Run("  xy<b/>"), (Events{kNoLt + " @0", kNoLt + " @0", "open b", "close b []"}));
}

TEST(XMLParserErrors, UnknownAttributeResumesAtTheNextTag) {
  Recorder p;
  const Events expected = {"error Unknown attribute: bad of tag: a @0",
                           kNoLt + " @0",  // '='
                           kNoLt + " @0",  // '1'
                           kNoLt + " @0",  // '>'
                           kNoLt + " @0",  // 'h'
                           kNoLt + " @0",  // 'i'
                           "close a []"};
  EXPECT_EQ(p.Run("<a bad=1>hi</a>"), expected);
}

TEST(XMLParserErrors, TagSyntaxErrors) {
  Recorder p;
  EXPECT_EQ(p.Run("<zz><b/>"), (Events{"error Unknown tag: zz @0", kNoLt + " @0", "open b", "close b []"}));
  EXPECT_EQ(p.Run("</zz>"), (Events{"error Unknown tag: zz @0"}));
  EXPECT_EQ(p.Run("<a x 1><b/>"), (Events{"error Expected '='. @0", kNoLt + " @0", "open b", "close b []"}));
  EXPECT_EQ(p.Run("<a /x<b/>"), (Events{"error Expected '>' after '/'. @0", "open b", "close b []"}));
  EXPECT_EQ(p.Run("<b></b x><b/>"), (Events{"open b", "close b []", "error Expected '>'. @0", kNoLt + " @0",
                                            "open b", "close b []"}));
}

TEST(XMLParserErrors, ReaderDecidesWhetherToGoOn) {
  Recorder p;
  p.goOn = false;
  EXPECT_EQ(p.Run("xyz<b/>"), (Events{kNoLt + " @0"}));
}

TEST(XMLParserErrors, HandlersMayThrowAndParsingResumes) {
  Recorder p;
  p.throwOnOpenOf = Recorder::kA;
  EXPECT_EQ(p.Run("<a>t</a><b/>"),
            (Events{"open a", "error Bad tag @0", kNoLt + " @0", "close a []", "open b", "close b []"}));
}

TEST(XMLParserErrors, LineNumbersCountTheCharacterReadAfterTheError) {
  Recorder p;
  // 'a' reports line 0; 'b' reads the line feed; the error for 'd' is never
  // reported because the input ends while reading the character after it.
  EXPECT_EQ(p.Run("ab\ncd"), (Events{kNoLt + " @0", kNoLt + " @1", kNoLt + " @1", kNoLt + " @1"}));
  EXPECT_EQ(p.Run("<b/>\n\n<zz>"), (Events{"open b", "close b []", "error Unknown tag: zz @2"}));
  // A line feed looked at and returned to the input counts once.
  EXPECT_EQ(p.Run("<\nb>\n<zz>"), (Events{"open b", "error Unknown tag: zz @2"}));
}

TEST(XMLParserErrors, EndOfInputEndsQuietlyAnywhere) {
  Recorder p;
  for (const char* input : {"", "  \n\t ", "<", "<a x=", "<a x='open", "<a y=[1,2", "<!-- x", "</a", "<b/"}) {
    EXPECT_TRUE(p.Run(input).empty()) << input;
  }
  EXPECT_EQ(p.Run("<b>text"), Events{"open b"});
  EXPECT_EQ(p.Run("<b>&l"), Events{"open b"});
}

TEST(XMLParserErrors, ArbitraryBytesAlwaysTerminate) {
  // Bytes drawn mostly from the mark-up's own characters reach every state.
  const std::string alphabet = "<>/!-=&;'\"([{}])ablrtxy \n";
  std::mt19937 rng(1234);
  Recorder p;
  for (int round = 0; round < 1000; ++round) {
    std::string input;
    const int length = static_cast<int>(rng() % 200);
    for (int i = 0; i < length; ++i) {
      const unsigned pick = rng();
      input += (pick & 1) ? alphabet[(pick >> 1) % alphabet.size()] : static_cast<char>(pick >> 8);
    }
    p.Run(input);
    ASSERT_LE(p.events.size(), input.size() + 1) << "round " << round;
  }
}

TEST(XMLParserFile, ParseFileMapsTheNameAndDropsCarriageReturns) {
  testing_support::ScopedTempDir dir;
  std::filesystem::create_directories(dir.Path() / "data");
  testing_support::WriteFile(dir.Path() / "data" / "f.yml", "<b>one\r\ntwo\r</b>\r\n<zz>");
  Recorder p;
  p.ParseFile(dir.Str() + "\\data\\f.yml");
  EXPECT_EQ(p.events, (Events{"open b", "close b [one\ntwo\r]", "error Unknown tag: zz @2"}));
  p.events.clear();
  p.ParseFile(dir.Str() + "\\data\\missing.yml");
  EXPECT_TRUE(p.events.empty());
}

TEST(XMLParserAttr, NumericReads) {
  XMLParser::Attr a;
  a.value = "2";
  EXPECT_TRUE(a.AsBool());
  for (const char* falseText : {"0", "-1", "true", ""}) {
    a.value = falseText;
    EXPECT_FALSE(a.AsBool()) << falseText;
  }
  a.value = " -42xyz";
  EXPECT_EQ(a.AsInt(), -42);
  a.value = "99999999999";
  EXPECT_EQ(a.AsInt(), INT_MAX);
  a.value = "-99999999999";
  EXPECT_EQ(a.AsInt(), INT_MIN);
  a.value = "ff8000C0";
  EXPECT_EQ(a.AsHex(), 0xff8000c0u);
  a.value = "123456789";
  EXPECT_EQ(a.AsHex(), 0xffffffffu);
  a.value = "-2";
  EXPECT_EQ(a.AsHex(), 0xfffffffeu);
  a.value = "1.5e3";
  EXPECT_FLOAT_EQ(a.AsFloat(), 1500.0f);
  a.value = "1e999";
  EXPECT_TRUE(std::isinf(a.AsFloat()));
}

TEST(XMLParserAttr, RectWithMissingNumbersGivesZeros) {
  XMLParser::Attr a;
  auto rect = [&](const char* text) {
    a.value = text;
    const YRect r = a.AsRect();
    return std::vector<float>{r.x, r.y, r.width, r.height};
  };
  EXPECT_EQ(rect("[1,2]"), (std::vector<float>{1, 2, 0, 0}));
  EXPECT_EQ(rect("[1, 2,\t3, 4.5]"), (std::vector<float>{1, 2, 3, 4.5f}));
  EXPECT_EQ(rect("[1 ,2,3,4]"), (std::vector<float>{1, 0, 0, 0}));
  EXPECT_EQ(rect("1,2,3,4"), (std::vector<float>{0, 0, 0, 0}));
  EXPECT_EQ(rect("["), (std::vector<float>{0, 0, 0, 0}));
  EXPECT_EQ(rect(""), (std::vector<float>{0, 0, 0, 0}));
}

TEST(XMLParserAttr, SettersWriteWhatTheAccessorsRead) {
  XMLParser::Attr a;
  a.SetInt(-2147483647 - 1);
  EXPECT_EQ(a.value, "-2147483648");
  EXPECT_EQ(a.AsInt(), INT_MIN);
  a.SetFloat(0.1f);
  EXPECT_EQ(a.value, "0.1");
  a.SetFloat(1234567.0f);
  EXPECT_EQ(a.value, "1.23457e+06");
  a.SetHex(0xABCDEF01u);
  EXPECT_EQ(a.value, "abcdef01");
  EXPECT_EQ(a.AsHex(), 0xABCDEF01u);
  a.SetBool(true);
  EXPECT_EQ(a.value, "1");
  a.SetBool(false);
  EXPECT_EQ(a.value, "0");
}

TEST(XMLParserWrite, OnlyChangedAttributesUnlessWriteAll) {
  XMLParser w;
  w.AddTag(XMLParser::MakeTag("a", {{"x", "0"}, {"y", ""}}));
  w.GetAttr(0, 1).value = "abc";
  std::ostringstream out;
  w.WriteOpenTag(out, 0);
  w.WriteCloseTag(out, 0);
  EXPECT_EQ(out.str(), "<a y=\"abc\"></a>");
  w.SetWriteAll(true);
  out.str("");
  w.WriteTag(out, w.GetTag(0), true);
  EXPECT_EQ(out.str(), "<a x=\"0\" y=\"abc\"/>");
}

// Writes tag "a" with the given value of y and reads the result back.
std::string RoundTrip(const std::string& value, std::string* written = nullptr) {
  Recorder p;
  p.GetAttr(Recorder::kA, 1).value = value;
  p.GetAttr(Recorder::kA, 0).value = "5";
  std::ostringstream out;
  p.WriteTag(out, p.GetTag(Recorder::kA), true);
  if (written) *written = out.str();
  Recorder q;
  EXPECT_EQ(q.Run(out.str()), (Events{"open a", "close a []"})) << out.str();
  EXPECT_EQ(q.GetAttr(Recorder::kA, 0).value, "5");
  return q.GetAttr(Recorder::kA, 1).value;
}

TEST(XMLParserWrite, ValuesReadBackWhateverQuotesTheyHold) {
  std::string written;
  EXPECT_EQ(RoundTrip("say \"hi\"", &written), "say \"hi\"");
  EXPECT_EQ(written, "<a x=\"5\" y='say \"hi\"'/>");
  EXPECT_EQ(RoundTrip("it's <fine> & /done/"), "it's <fine> & /done/");
  EXPECT_EQ(RoundTrip("two\nlines"), "two\nlines");
  // Both kinds of quote: the file stays readable, double quotes turn into apostrophes.
  EXPECT_EQ(RoundTrip("\"don't\""), "'don't'");
}

}  // namespace
