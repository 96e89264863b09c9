#include "framework/Log.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "platform/FileSystem.h"
#include "tests/framework/LogCapture.h"
#include "tests/support/TestSupport.h"

using testing_support::ReadFile;
using testing_support::ReturnsWithoutReader;
using testing_support::ScopedTempDir;

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

}  // namespace

TEST_F(LogTest, LineIsAppendedTextThenWrittenTextEchoedWhole) {
  Log::Write("first run");
  Log::Close();
  LogCapture capture;
  Log::Write("early");                                    // while closed, only the echo receives it
  EXPECT_FALSE(Log::Open(dir_.File("missing/log.txt")));  // a missing folder (the first run) leaves it closed
  ASSERT_TRUE(Log::Open(Path()));                         // truncates
  Log::Append("modes: ");
  Log::AppendF("%dx%d ", 800, 600);
  Log::Write("done");
  Log::Printf("%s %s", "Quennel", "v1.0");
  Log::Write("");  // an empty line, or the pending text alone
  Log::Append("pending");
  Log::Write("");
  Log::Write("two\nlines");
  EXPECT_EQ(Contents(), "modes: 800x600 done\nQuennel v1.0\n\npending\ntwo\nlines\n");
  EXPECT_EQ(capture.Lines(), (std::vector<std::string>{"early", "modes: 800x600 done", "Quennel v1.0", "",
                                                       "pending", "two\nlines"}));
}

TEST_F(LogTest, TextsLongerThanTheFormatBufferStayWhole) {
  const std::string longText(5000, 'x');
  Log::Printf("<%s|%d>", longText.c_str(), 42);
  Log::AppendF("%s", longText.c_str());
  Log::Write("!");
  Log::Printf("%s", std::string(1023, 'y').c_str());  // exactly fills the buffer
  EXPECT_EQ(Contents(), "<" + longText + "|42>\n" + longText + "!\n" + std::string(1023, 'y') + "\n");
}

TEST_F(LogTest, EchoMayLogAgainWithoutDeadlockOrRepeat) {
  int calls = 0;
  Log::SetEcho([&calls](const std::string& line) {
    if (calls++ == 0) Log::Write("echo of " + line);
  });
  Log::Write("y");
  Log::SetEcho({});
  EXPECT_EQ(Contents(), "y\necho of y\n");
  EXPECT_EQ(calls, 2);
}

// A named pipe in the log's place would hold the start until someone read
// it: the log refuses it at once and says so on stderr.
TEST_F(LogTest, PipeInPlaceOfTheFileIsRefusedOnStderr) {
  const std::string pipe = dir_.File("pipe.txt");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  testing::internal::CaptureStderr();
  bool opened = true;
  EXPECT_TRUE(ReturnsWithoutReader(pipe, [&] {
    opened = Log::Open(pipe);
    Log::Close();  // a pipe the test released must not be written after it goes
  }));
  EXPECT_FALSE(opened);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Not a regular file, no log is written: " + pipe + "\n");
}

// Copies of the game running at once each keep a log of their own: a log
// another open holds is left whole, and is free once that one closes it.
TEST_F(LogTest, ALogAnotherOpenHoldsIsLeftWhole) {
  Log::Write("the first copy's line");
  bool held = false;
  EXPECT_EQ(platform::OpenRegularForWritingAlone(Path(), nullptr, &held), nullptr);
  EXPECT_TRUE(held);
  EXPECT_EQ(Contents(), "the first copy's line\n");
  Log::Close();
  const platform::FilePtr other = platform::OpenRegularForWritingAlone(Path(), nullptr, &held);
  ASSERT_NE(other, nullptr) << "free once closed";
  EXPECT_FALSE(Log::Open(Path(), &held));
  EXPECT_TRUE(held);
}

TEST_F(LogTest, ConcurrentWritersProduceWholeLines) {
  LogCapture capture;
  std::vector<std::string> expected;
  std::vector<std::thread> threads;
  for (int t = 0; t < 8; ++t) {
    for (int i = 0; i < 300; ++i)
      expected.push_back("thread " + std::to_string(t) + " line " + std::to_string(i));
    threads.emplace_back([t] {
      for (int i = 0; i < 300; ++i) {
        // Another thread's Write must not take this thread's pieces.
        Log::AppendF("thread %d ", t);
        std::this_thread::yield();
        Log::Printf("line %d", i);
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  std::vector<std::string> lines = capture.Lines();
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  EXPECT_EQ(Contents(), text);  // the echo sees the file's lines in the same order
  std::sort(lines.begin(), lines.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(lines, expected);
}
