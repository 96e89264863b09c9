#include "framework/Log.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "framework/YLock.h"
#include "tests/framework/LogCapture.h"
#include "tests/support/TestSupport.h"

using testing_support::ReadFile;
using testing_support::ScopedTempDir;
using testing_support::WriteFile;

namespace {

// Opens the log in a fresh folder for one test and closes it afterwards.
class LogTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Log::Open(Path())); }
  void TearDown() override { Log::Close(); }

  std::string Path() const { return dir_.File("log.txt"); }
  std::string Contents() const { return ReadFile(Path()); }

  ScopedTempDir dir_;
};

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  EXPECT_EQ(start, text.size()) << "the file must end with a line feed";
  return lines;
}

}  // namespace

TEST_F(LogTest, LineIsAppendedTextThenWrittenText) {
  Log::Append("modes: ");
  Log::AppendF("%dx%d ", 800, 600);
  Log::AppendF("%s", "1024x768");
  Log::Write(" done");
  Log::Printf("%s %s", "Quennel Varrick", "v1.0");
  EXPECT_EQ(Contents(), "modes: 800x600 1024x768 done\nQuennel Varrick v1.0\n");
}

TEST_F(LogTest, EmptyWriteWritesEmptyLineOrPendingTextAlone) {
  Log::Write("");
  Log::Append("pending");
  Log::Write("");
  Log::Write("a\nb");
  EXPECT_EQ(Contents(), "\npending\na\nb\n");
}

TEST_F(LogTest, OpenTruncatesTheFile) {
  Log::Write("first run");
  ASSERT_TRUE(Log::Open(Path()));
  Log::Write("second run");
  EXPECT_EQ(Contents(), "second run\n");
}

TEST_F(LogTest, TextsLongerThanTheFormatBufferStayWhole) {
  const std::string longText(5000, 'x');
  Log::Printf("<%s|%d>", longText.c_str(), 42);
  Log::AppendF("%s", longText.c_str());
  Log::Write("!");
  Log::Printf("%s", std::string(1023, 'y').c_str());  // exactly fills the buffer
  EXPECT_EQ(Contents(), "<" + longText + "|42>\n" + longText + "!\n" + std::string(1023, 'y') + "\n");
}

TEST_F(LogTest, EchoReceivesEachWholeLine) {
  LogCapture capture;
  Log::Append("a");
  Log::Write("b");
  Log::Write("two\nlines");
  EXPECT_EQ(capture.Lines(), (std::vector<std::string>{"ab", "two\nlines"}));
}

TEST_F(LogTest, EchoMayLogAgainWithoutDeadlockOrRepeat) {
  bool inside = false;
  Log::SetEcho([&inside](const std::string& line) {
    if (inside) return;
    inside = true;
    Log::Write("echo of " + line);
    inside = false;
  });
  Log::Append("x");
  Log::Write("y");
  Log::SetEcho({});
  EXPECT_EQ(Contents(), "xy\necho of xy\n");
}

TEST(LogClosed, LinesBeforeOpenReachOnlyTheEcho) {
  ScopedTempDir dir;
  Log::Close();
  LogCapture capture;
  Log::Write("early");
  EXPECT_FALSE(Log::IsOpen());
  EXPECT_EQ(capture.Lines(), std::vector<std::string>{"early"});

  // A folder that does not exist yet (the first run) leaves the log closed.
  EXPECT_FALSE(Log::Open(dir.File("missing/log.txt")));
  Log::Write("still early");
  EXPECT_EQ(capture.Lines().size(), 2u);

  ASSERT_TRUE(Log::Open(dir.File("log.txt")));
  Log::Write("late");
  Log::Close();
  EXPECT_EQ(ReadFile(dir.File("log.txt")), "late\n");
}

TEST_F(LogTest, ConcurrentWritersProduceWholeLines) {
  constexpr int kThreads = 8;
  constexpr int kLines = 300;
  LogCapture capture;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < kLines; ++i) {
        // Each thread builds its line from pieces; another thread's Write
        // must not take them.
        Log::AppendF("thread %d ", t);
        std::this_thread::yield();  // invite the other threads in between
        Log::Append("line ");
        std::this_thread::yield();
        Log::Printf("%d end", i);
      }
    });
  }
  for (std::thread& thread : threads) thread.join();

  const std::vector<std::string> lines = SplitLines(Contents());
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(kThreads * kLines));
  std::set<std::pair<int, int>> seen;
  for (const std::string& line : lines) {
    int t = -1, i = -1, used = 0;
    ASSERT_EQ(std::sscanf(line.c_str(), "thread %d line %d end%n", &t, &i, &used), 2) << line;
    ASSERT_EQ(static_cast<std::size_t>(used), line.size()) << line;
    seen.insert({t, i});
  }
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(kThreads * kLines));
  EXPECT_EQ(capture.Lines(), lines);  // the echo sees the same lines in the same order
}

TEST(YLockTest, SectionIsRecursiveAndLeftWhenAnExceptionPasses) {
  YCriticalSection section;
  try {
    YLock outer(section);
    YLock inner(section);  // the same thread enters again
    throw 1;
  } catch (int) {
  }
  // Another thread can enter only if every entry was left.
  bool entered = false;
  std::thread([&] {
    entered = section.TryEnter();
    if (entered) section.Leave();
  }).join();
  EXPECT_TRUE(entered);
}
