// The in-game console: the command-line parser, typing limits, paging, output
// lines (also from other threads), sliding, the caret and drawing.
#include "game/YConsole.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "framework/IntToString.h"
#include "framework/Log.h"
#include "render/YFont.h"
#include "render/YShader.h"
#include "tests/render/RecordingRender.h"

namespace {

using Lines = std::vector<std::string>;

// Replies like the application object's handler, without acting.
class FakeHandler : public YConsoleCommand {
 public:
  YConsole* console = nullptr;
  void OnCommand(int id) override {
    if (id == 0) console->echoPrefix += " ok.";
    console->Print(console->echoPrefix);
  }
  void OnVariable(int id) override {
    std::string value = console->valueText;
    if (id == 0 || id == 1 || id == 5) value = BoolToString(console->ParseBool());
    if (id == 3 || id == 4) value = FloatToString(console->GetFloat());
    if (id == 6) value = IntToString(console->GetInt());
    console->Print(console->echoPrefix + value);
  }
};

class ConsoleTest : public ::testing::Test {
 protected:
  // Every printable byte is half the text size wide (10 UI units).
  ConsoleTest() {
    handler.console = &console;
    font.widths.fill(0.5f);
    for (int c = 0; c < 32; ++c) font.widths[static_cast<std::size_t>(c)] = 0;
    console.font = &font;
  }
  void Type(const std::string& text) {
    for (const char c : text) console.OnChar(static_cast<unsigned char>(c));
  }
  // The lines a command line adds.
  Lines Run(const std::string& line) {
    const std::size_t before = console.Lines().size();
    Type(line);
    console.OnChar(13);
    const Lines all = console.Lines();
    return Lines(all.begin() + static_cast<std::ptrdiff_t>(before), all.end());
  }

  YFont font{"console test"};
  FakeHandler handler;
  YConsole console{&handler};
};

TEST_F(ConsoleTest, CommandLinesRunStatementsUntilTheFirstError) {
  const struct {
    std::string line;
    Lines printed;
  } cases[] = {
      {"fps=1", {"fps=true"}},
      {"fps =", {"Error: missing value of variable."}},
      {"fps=  ", {"Error: missing value of variable."}},
      {"foo", {"? 'foo'."}},
      {"foo fps=1", {"? 'foo'."}},
      {"fps = yes", {"? 'yes'.", "fps=false"}},
      {"fps = true shadows = 0", {"fps=true", "shadows=false"}},
      {"video_mode = [800x600 32] stoptime=15", {"video_mode=[800x600 32]", "stoptime=15"}},
      {"video_mode=[800x600", {"video_mode=[800x600"}},
      {"sound_volume=0.80 music_volume = 1e-7", {"sound_volume=0.8", "music_volume=1e-07"}},
      {"stoptime=99999999999 sound_volume=nan music_volume=1e99",
       {"stoptime=2147483647", "sound_volume=0", "music_volume=0"}},
      {"fps2 = 1", {"? 'fps2'."}},  // an unknown variable is reported too
      {"exit", {"exit ok."}},
      {"  exit  fps=0", {"exit ok."}},  // the command takes "fps" as its value text
      {"", {}},
      {"   ", {}},
      {"=1", {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Run(c.line), c.printed) << c.line;
    EXPECT_EQ(console.commandLine, "") << c.line;
  }
}

TEST_F(ConsoleTest, TypingStopsAt960UnitsAndIgnoresGlyphlessCodes) {
  console.OnChar(8);  // backspace on an empty line
  EXPECT_EQ(console.commandLine, "");
  Type(std::string(100, 'a'));
  EXPECT_EQ(console.commandLine, std::string(96, 'a'));  // 96 x 10 = 960 fits, one more would not
  console.OnChar(8);
  font.widths['W'] = 1.0f;
  for (const std::uint32_t code : {std::uint32_t{'W'}, std::uint32_t{7}, std::uint32_t{300}})
    console.OnChar(code);  // 950 + 20 > 960; no width; no byte
  EXPECT_EQ(console.commandLine, std::string(95, 'a'));
  console.OnChar('b');
  EXPECT_EQ(console.commandLine, std::string(95, 'a') + "b");
}

TEST_F(ConsoleTest, PagesStayWithinTheLines) {
  console.height = YConsole::kOpenHeight;  // a page of int(312.5 / 20) - 3 = 12 lines
  for (int i = 0; i < 5; ++i) console.Print("x");
  console.Scroll(true);  // fewer lines than a page: the newest
  EXPECT_EQ(console.ScrollIndex(), 4);
  for (int i = 5; i < 100; ++i) console.Print(IntToString(i));
  const struct {
    bool back;
    int index;
  } steps[] = {{true, 87},  {true, 75},  {true, 63},  {true, 51},  {true, 39},  {true, 27},
               {true, 15},  {true, 12},  {true, 12},  {false, 24}, {false, 36}, {false, 48},
               {false, 60}, {false, 72}, {false, 84}, {false, 96}, {false, 99}, {false, 99}};
  for (const auto& step : steps) {
    console.Scroll(step.back);
    EXPECT_EQ(console.ScrollIndex(), step.index) << step.back;
  }
  console.Scroll(true);
  const Lines shown = console.VisibleLines(YConsole::kOpenHeight - 28);
  ASSERT_EQ(shown.size(), 15u);  // y from 284.5 down to 4.5
  EXPECT_EQ(shown.front(), "87");
  EXPECT_EQ(shown.back(), "73");

  console.height = 79;  // page 0: nothing moves
  console.Scroll(true);
  EXPECT_EQ(console.ScrollIndex(), 87);
  console.Print("new");  // a new line follows the newest again
  EXPECT_EQ(console.ScrollIndex(), -1);
}

TEST_F(ConsoleTest, PrintSplitsAtLineFeedsAndLogLinesArrive) {
  console.Print("a");
  console.Print("b\nc");
  console.Print("d\n");
  console.Print("");
  Log::Write("e\n\nf");
  EXPECT_EQ(console.Lines(), (Lines{"a", "b", "c", "d", "", "", "e", "", "f"}));
}

TEST(Console, StopsEchoingTheLogWhenDestroyed) {
  auto console = std::make_unique<YConsole>(nullptr);
  Log::Write("seen");
  EXPECT_EQ(console->Lines(), Lines{"seen"});
  console.reset();
  Log::Write("after");  // would reach freed memory
}

TEST_F(ConsoleTest, SlidesOpenAndShutAndBlinksTheCaretWhileShown) {
  console.Update(1);
  EXPECT_TRUE(console.caretVisible);
  EXPECT_EQ(console.caretTimer, 0.0f);  // no blinking while hidden
  console.Toggle();
  const struct {
    float height;
    bool caret;
  } frames[] = {{80, true}, {160, false}, {240, false}, {312.5f, false}, {312.5f, true}, {312.5f, true}};
  for (const auto& f : frames) {
    console.Update(0.2f);
    EXPECT_EQ(console.height, f.height);
    EXPECT_EQ(console.caretVisible, f.caret) << f.height;
  }
  EXPECT_EQ(console.quad[0].y, 312.5f - 625);
  EXPECT_EQ(console.quad[2].y, 312.5f);
  for (int i = 0; i < 30; ++i) console.Print("x");
  console.Scroll(true);
  console.Toggle();
  console.Update(0.5f);
  EXPECT_EQ(console.height, 112.5f);
  EXPECT_NE(console.ScrollIndex(), -1);
  console.Update(0.5f);
  EXPECT_EQ(console.height, 0.0f);
  EXPECT_EQ(console.ScrollIndex(), -1);  // shut: follows the newest line again
}

TEST_F(ConsoleTest, DrawsPanelPromptLineCaretAndTheLinesThatFit) {
  RecordingRender render;
  font.shader = GetShader("console test font");
  for (int i = 0; i < 100; ++i) console.Print("x");
  Type("ab");
  console.height = YConsole::kOpenHeight;
  console.Update(0);
  console.Draw();
  const auto quads = render.CallsMatching("DrawQuad28");
  ASSERT_EQ(quads.size(), 1u + 2 + 2 + 1 + 15);  // panel, "=>", "ab", "_", lines
  EXPECT_EQ(quads[0]->floats[1], 312.5f - 625);
  // Glyph quads with all-zero corners lie at the pen: x, then the line box's top y.
  const float x[] = {3, 13, 26, 36, 47, 5};
  for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(quads[i + 1]->floats[0], x[i]) << i;
  EXPECT_EQ(quads[6]->floats[1], 308.5f - 24 - 20);
  EXPECT_EQ(quads[20]->floats[1], 308.5f - 24 - 14 * 20 - 20);
}

TEST(Console, ShippedPanelShaderIsTranslucent) {
  RecordingRender render;
  LoadShaders(QV_SOURCE_DIR "/content/data/shaders.yml");
  const YShader* panel = FindShader("console");
  ASSERT_NE(panel, nullptr);
  EXPECT_GT(panel->material.diffuse.a, 0.5f);
  EXPECT_LT(panel->material.diffuse.a, 1.0f);
}

TEST_F(ConsoleTest, LinesFromOtherThreadsStayWholeWhileTheMainThreadReads) {
  console.height = YConsole::kOpenHeight;
  std::vector<std::thread> writers;
  for (int t = 0; t < 4; ++t)
    writers.emplace_back([t] {
      for (int i = 0; i < 300; ++i) Log::Write(IntToString(t) + "\n" + IntToString(t));
    });
  for (int i = 0; i < 300; ++i) {
    console.Scroll(i % 3 == 0);
    EXPECT_LE(console.VisibleLines(284.5f).size(), 15u);
    EXPECT_EQ(console.Lines().size() % 2, 0u);
  }
  for (std::thread& writer : writers) writer.join();
  const Lines lines = console.Lines();
  ASSERT_EQ(lines.size(), 4u * 300 * 2);
  for (std::size_t i = 0; i < lines.size(); i += 2) EXPECT_EQ(lines[i], lines[i + 1]) << i;
}

}  // namespace
