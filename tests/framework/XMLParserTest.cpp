// The mark-up reader and writer: value forms, text runs, error recovery with
// line numbers, and the writer's attribute choice and quoting.
#include "framework/XMLParser.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Tags "a" (x, y, r, s, t, u) and "b"; records every call as a line of text.
class Recorder : public XMLParser {
 public:
  enum { kA, kB };
  Recorder() {
    AddTag(MakeTag("a", {{"x", "0"}, {"y", ""}, {"r", "[9,9,9,9]"}, {"s", ""}, {"t", ""}, {"u", ""}}));
    AddTag(MakeTag("b"));
  }

  // The events of parsing `input`, joined by " | ".
  std::string Run(const std::string& input) {
    events.clear();
    std::istringstream in(input);
    Parse(in);
    std::string joined;
    for (const std::string& e : events) joined += (joined.empty() ? "" : " | ") + e;
    return joined;
  }
  // Tag "a"'s values, each marked + when given in the last tag, - when not.
  std::string Values() {
    std::string values;
    for (const Attr& attr : GetTag(kA).attrs) values += attr.value + (attr.given ? "+ " : "- ");
    return values;
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

TEST(XMLParserRead, AttributeValueFormsQuotesAndDefaults) {
  Recorder p;
  p.Run("<a x=1 y='two' r=[0,0,120,30] s={p q} t=(1 2) u=<v w>>");
  EXPECT_EQ(p.Values(), "1+ two+ [0,0,120,30]+ {p q}+ (1 2)+ <v w>+ ");
  p.Run("<a y=\"it's\nhere\" s = 'say \"hi\"'/>");
  EXPECT_EQ(p.Values(), "0- it's\nhere+ [9,9,9,9]- say \"hi\"+ - - ");
  // Defaults return on every tag; an attribute given twice keeps the last.
  p.Run("<a x=5 y=q></a><a y=z y=w>");
  EXPECT_EQ(p.Values(), "0- w+ [9,9,9,9]- - - - ");
  p.Run("<b/>");  // a new parse starts from the defaults even for tags it never sees
  EXPECT_EQ(p.Values(), "0- - [9,9,9,9]- - - - ");
}

TEST(XMLParserRead, EventsTextAndErrorRecovery) {
  // "<?" stands for the error "Expected '<'." on line 0.
  const std::pair<const char*, const char*> cases[] = {
      {"<b>text<a/></b>", "open b | open a | close a [] | close b []"},
      {"<a></a><a x=1 />", "open a | close a [] | open a | close a []"},
      {"<a>x &lt;y&rt; z</a>", "open a | close a [x <y> z]"},
      {"<b>\n two\tlines </b>", "open b | close b [\n two\tlines ]"},
      {"<a>q</b>", "open a | close b [q]"},  // closing tags are not matched
      {"<a>&gt;</a>", "open a | error Unknown character &gt; @0 | close a []"},
      {"<a>&lt</a>", "open a | error Expected ';' @0 | <? | <?"},  // the '<' was taken as the ';'
      // Comments join the text around them; "->" does not end one.
      {"<a>one<!-- x -- y -->two</a>", "open a | close a [onetwo]"},
      {"<!-- lead --><a>1<!-- -> <b> ---->2</a>", "open a | close a [12]"},
      {"<!x<b/>", "error Invalid special '!'. @0 | open b | close b []"},
      {"<!-x<b/>", "error Expected '--'. @0 | open b | close b []"},
      // Errors resume at the next '<', reporting every character before it.
      {"<a bad=1>hi</a>", "error Unknown attribute: bad of tag: a @0 | <? | <? | <? | <? | <? | close a []"},
      {"<zz><b/>", "error Unknown tag: zz @0 | <? | open b | close b []"},
      {"<a x 1><b/>", "error Expected '='. @0 | <? | open b | close b []"},
      {"<a /x<b/>", "error Expected '>' after '/'. @0 | open b | close b []"},
      {"<b></b x><b/>", "open b | close b [] | error Expected '>'. @0 | <? | open b | close b []"},
      // Lines count the character read after the error; the input ends while 'd' is skipped.
      {"ab\ncd", "<? | error Expected '<'. @1 | error Expected '<'. @1 | error Expected '<'. @1"},
      {"<b/>\n\n<zz>", "open b | close b [] | error Unknown tag: zz @2"},
      {"<\nb>\n<zz>", "open b | error Unknown tag: zz @2"},  // a line feed put back counts once
      // The end of the input between tags ends quietly; inside a tag or a
      // comment it is an error.
      {"<b>text", "open b"},
      {"<b>\n<a x=", "open b | error The file ends inside a tag. @1"},
  };
  Recorder p;
  for (const auto& [input, expected] : cases) {
    std::string wanted = expected;
    for (std::size_t at; (at = wanted.find("<?")) != std::string::npos;)
      wanted.replace(at, 2, "error Expected '<'. @0");
    EXPECT_EQ(p.Run(input), wanted) << input;
  }
  for (const char* input : {"", "  \n\t "}) EXPECT_EQ(p.Run(input), "") << input;
  for (const char* input : {"<", "<a x=", "<a x='open", "<a y=[1,2", "<!-- x", "</a", "<b/", "<!"})
    EXPECT_EQ(p.Run(input), "error The file ends inside a tag. @0") << input;
  p.goOn = false;  // the reader decides whether to go on
  EXPECT_EQ(p.Run("xyz<b/>"), "error Expected '<'. @0");
  p.goOn = true;
  p.throwOnOpenOf = Recorder::kA;  // handlers may throw
  EXPECT_EQ(p.Run("<a>t</a><b/>"),
            "open a | error Bad tag @0 | error Expected '<'. @0 | close a [] | open b | close b []");
}

XMLParser::Attr Holding(const char* value) {
  return {"", value, "", false};
}

TEST(XMLParserAttr, NumbersAreHeldInRangeAndWrittenShort) {
  EXPECT_EQ(Holding(" -42xyz").AsInt(), -42);
  EXPECT_EQ(Holding("99999999999").AsInt(), INT_MAX);
  EXPECT_EQ(Holding("-99999999999").AsInt(), INT_MIN);
  EXPECT_EQ(Holding("123456789").AsHex(), 0xffffffffu);
  EXPECT_EQ(Holding("-2").AsHex(), 0xfffffffeu);
  XMLParser::Attr a;
  a.SetFloat(0.1f);
  EXPECT_EQ(a.value, "0.1");
  a.SetFloat(1234567.0f);
  EXPECT_EQ(a.value, "1.23457e+06");
  a.SetHex(0xABCDEF01u);
  EXPECT_EQ(a.value, "abcdef01");
}

TEST(XMLParserAttr, RectWithMissingNumbersGivesZeros) {
  const std::vector<std::pair<const char*, std::vector<float>>> cases = {
      {"[1,2]", {1, 2, 0, 0}},      {"[1, 2,\t3, 4.5]", {1, 2, 3, 4.5f}},
      {"[1 ,2,3,4]", {1, 0, 0, 0}}, {"1,2,3,4", {0, 0, 0, 0}},
      {"[", {0, 0, 0, 0}},          {"", {0, 0, 0, 0}},
  };
  for (const auto& [text, expected] : cases) {
    const YRect r = Holding(text).AsRect();
    EXPECT_EQ((std::vector<float>{r.x, r.y, r.width, r.height}), expected) << text;
  }
}

TEST(XMLParserWrite, OnlyChangedAttributesUnlessWriteAll) {
  Recorder w;
  w.GetAttr(Recorder::kA, 1).value = "abc";
  std::ostringstream out;
  w.WriteOpenTag(out, Recorder::kA);
  w.WriteCloseTag(out, Recorder::kA);
  w.SetWriteAll(true);
  w.WriteTag(out, w.GetTag(Recorder::kA), true);
  EXPECT_EQ(out.str(), "<a y=\"abc\"></a><a x=\"0\" y=\"abc\" r=\"[9,9,9,9]\" s=\"\" t=\"\" u=\"\"/>");
}

TEST(XMLParserWrite, ValuesReadBackWhateverQuotesTheyHold) {
  const std::pair<const char*, const char*> cases[] = {{"say \"hi\"", "say \"hi\""},
                                                       {"it's <fine> &\n/done/", "it's <fine> &\n/done/"},
                                                       {"\"don't\"", "'don't'"}};
  for (const auto& [value, readBack] : cases) {
    Recorder p, q;
    p.GetAttr(Recorder::kA, 1).value = value;
    p.SetWriteAll(true);  // the attributes after it must read back too
    std::ostringstream out;
    p.WriteTag(out, p.GetTag(Recorder::kA), true);
    EXPECT_EQ(q.Run(out.str()), "open a | close a []") << out.str();
    EXPECT_EQ(q.Values(), std::string("0+ ") + readBack + "+ [9,9,9,9]+ + + + ");
  }
}

}  // namespace
