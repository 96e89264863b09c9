// Binary streams: sizes and positions, safe replacement, the XOR ciphers,
// and the string and integer records, also ones no writer produces.
#include <sys/resource.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "framework/InCryptStream.h"
#include "framework/InFStream.h"
#include "framework/MemoryInStream.h"
#include "framework/MemoryOutStream.h"
#include "framework/OutCryptStream.h"
#include "framework/OutFStream.h"
#include "framework/StreamHelpers.h"
#include "tests/framework/LogCapture.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ReadFile;
using testing_support::ReturnsWithoutReader;
using testing_support::ScopedTempDir;
using testing_support::WriteFile;

TEST(InFStreamTest, ShortReadsFailAndLeaveNothing) {
  ScopedTempDir dir;
  WriteFile(dir.Path() / "ten.dat", "0123456789");
  InFStream in(dir.Str() + "\\ten.dat");
  EXPECT_EQ(in.Size(), 10);
  char buffer[8] = "-------";
  in.Read(buffer, 4);
  in.Seek(3);
  EXPECT_EQ(in.BytesLeft(), 3);
  EXPECT_EQ(in.Read(buffer, 5), 3u);
  EXPECT_EQ(std::string(buffer, 5), "7893-");  // the rest is untouched
  EXPECT_TRUE(in.Failed());
  EXPECT_EQ(in.BytesLeft(), 0);                                  // rather than a count that never runs out
  EXPECT_EQ(InFStream(dir.File("missing.dat")).BytesLeft(), 0);  // a missing file reads as empty
  EXPECT_EQ(InFStream(dir.Str()).Size(), -1);                    // and so does a folder
  // A named pipe without a writer: refused at once, not waited on.
  ASSERT_EQ(mkfifo((dir.Path() / "pipe.dat").c_str(), 0600), 0);
  InFStream pipe(dir.Str() + "\\pipe.dat");
  EXPECT_TRUE(pipe.Failed());
  EXPECT_EQ(pipe.BytesLeft(), 0);
}

TEST(OutFStreamTest, SafeWriteReplacesTheTargetWhenClosedAndLeavesItWholeOnFailure) {
  ScopedTempDir dir;
  for (const char* name : {"a.dat", "b.dat", "c.dat"}) WriteFile(dir.Path() / name, "keep");
  {
    OutFStream out(dir.Str() + "\\a.dat", true);
    WriteInt(out, 7);
    EXPECT_EQ(ReadFile(dir.Path() / "a.dat"), "keep");
  }
  EXPECT_EQ(ReadFile(dir.Path() / "a.dat"), std::string("\x07\0\0\0", 4));
  EXPECT_FALSE(fs::exists(dir.Path() / "a.dat.tmp"));
  // The ".tmp" cannot be opened: a folder of that name is in the way.
  fs::create_directories(dir.Path() / "b.dat.tmp" / "inside");
  OutFStream blocked(dir.File("b.dat"), true);
  EXPECT_FALSE(blocked.Write("x", 1));
  EXPECT_FALSE(blocked.Close());
  EXPECT_EQ(ReadFile(dir.Path() / "b.dat"), "keep");
  EXPECT_TRUE(fs::exists(dir.Path() / "b.dat.tmp" / "inside"));
  // The file may grow no further while writing: the flush fails, nothing is
  // moved and the partial ".tmp" goes.
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit oldLimit{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
  rlimit small = oldLimit;
  small.rlim_cur = 2;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  OutFStream full(dir.File("c.dat"), true);
  full.Write("lost", 4);
  const bool closed = full.Close();
  setrlimit(RLIMIT_FSIZE, &oldLimit);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(closed);
  EXPECT_EQ(ReadFile(dir.Path() / "c.dat"), "keep");
  EXPECT_FALSE(fs::exists(fs::symlink_status(dir.Path() / "c.dat.tmp")));
}

// A named pipe or a device where the file should be is refused and logged,
// never waited on, and left as it is; the target stays whole.
TEST(OutFStreamTest, WhatIsNotARegularFileIsRefusedAndLogged) {
  ScopedTempDir dir;
  WriteFile(dir.Path() / "a.dat", "keep");
  ASSERT_EQ(mkfifo((dir.Path() / "a.dat.tmp").c_str(), 0600), 0);
  ASSERT_EQ(mkfifo((dir.Path() / "b.lyt").c_str(), 0600), 0);
  fs::create_symlink("/dev/null", dir.Path() / "c.dat.tmp");
  LogCapture log;
  for (const auto& file : {std::pair{"a.dat", true}, std::pair{"b.lyt", false}, std::pair{"c.dat", true}}) {
    const std::string name = file.first;  // a lambda cannot capture a structured binding in clang 14
    const bool safe = file.second;
    const fs::path written = dir.Path() / (name + (safe ? ".tmp" : ""));
    bool closed = true;
    EXPECT_TRUE(ReturnsWithoutReader(written, [&] {
      OutFStream out(dir.Str() + "\\" + name, safe);
      EXPECT_FALSE(out.Write("x", 1));
      closed = out.Close();
    })) << name;
    EXPECT_FALSE(closed) << name;
    EXPECT_TRUE(fs::exists(fs::symlink_status(written))) << name;
  }
  ASSERT_TRUE(fs::is_regular_file(dir.Path() / "a.dat"));  // reading a pipe would wait
  EXPECT_EQ(ReadFile(dir.Path() / "a.dat"), "keep");
  EXPECT_TRUE(fs::is_fifo(dir.Path() / "b.lyt"));
  const std::string prefix = "Not a regular file, not written: " + dir.Str() + "/";
  EXPECT_EQ(log.Lines(),
            (std::vector<std::string>{prefix + "a.dat.tmp", prefix + "b.lyt", prefix + "c.dat.tmp"}));
}

TEST(CryptStreamTest, TheKeyRunsOnAcrossCallsOfAnySize) {
  std::string plain(1000, '\0');
  for (std::size_t i = 0; i < plain.size(); ++i) plain[i] = static_cast<char>(i * 37 + i / 256);
  const std::string key = "s3cr#t";
  MemoryOutStream pieces;
  OutCryptStream out(pieces, key);
  for (std::size_t at = 0, n = 0; at < plain.size(); at += n, n = (n + 7) % 40)
    out.Write(plain.data() + at, n = std::min(n, plain.size() - at));
  ASSERT_EQ(pieces.Bytes().size(), plain.size());
  for (std::size_t i = 0; i < plain.size(); ++i)
    ASSERT_EQ(pieces.Bytes()[i], static_cast<char>(plain[i] ^ key[i % key.size()])) << i;
  MemoryInStream inner(pieces.Bytes());
  InCryptStream in(inner, key);
  std::string back(plain.size(), '\0');
  for (std::size_t at = 0, n = 0; at < back.size(); at += n, n = (n + 11) % 40)
    in.Read(back.data() + at, n = std::min(n, back.size() - at));
  EXPECT_EQ(back, plain);
}

TEST(StreamHelpersTest, LittleEndianRecordsAndOverlongTexts) {
  MemoryOutStream out;
  WriteFloat(WriteInt(WriteInt(out, 0x01020304), -2), 1.5f);
  WriteString(WriteString(WriteString(out, ""), std::string("hey")), nullptr);
  EXPECT_EQ(out.Bytes(), std::string("\x04\x03\x02\x01\xFE\xFF\xFF\xFF\x00\x00\xC0\x3F\0\0\x03\0hey\0\0", 21));
  WriteString(out, std::string(40000, 'q'));  // cut, so the file stays readable
  WriteString(out, "next");
  MemoryInStream in(out.Bytes() + "\x01");
  std::int32_t a = 0, b = 0, c = 99;
  float f = 0;
  ReadFloat(ReadInt(ReadInt(in, a), b), f);
  EXPECT_EQ(std::tuple(a, b, f), std::tuple(0x01020304, -2, 1.5f));
  std::vector<std::string> texts(5, "x");
  for (std::string& text : texts) ReadString(in, text);
  EXPECT_EQ(texts,
            (std::vector<std::string>{"", "hey", "", std::string(kMaxStringRecordLength, 'q'), "next"}));
  EXPECT_FALSE(in.Failed());
  ReadInt(in, c);  // one byte left: a short read leaves the value
  EXPECT_TRUE(in.Failed());
  EXPECT_EQ(c, 99);
}

TEST(StreamHelpersTest, TextsAreCutToFitABufferAndBadLengthsNeverWriteOutsideIt) {
  MemoryOutStream plain;
  OutCryptStream out(plain, "key");
  WriteInt(WriteString(out, "abcdefghij"), 42);
  MemoryInStream inner(plain.Bytes());
  InCryptStream in(inner, "key");
  char buffer[4];
  std::int32_t value = 0;
  ReadInt(ReadString(in, buffer, sizeof buffer), value);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(value, 42);  // the rest was read past: the stream and the cipher stay in step
  const std::string cases[] = {
      std::string("\xFF\xFF", 2) + "abcdefgh",  // -1
      std::string("\x00\x80", 2) + "abcdefgh",  // -32768
      std::string("\x10\x00", 2) + "abc",       // 16 bytes, 3 left
      std::string("\x05", 1),                   // the length itself is cut short
  };
  for (const std::string& bytes : cases) {
    MemoryInStream in(bytes);
    char guarded[8] = {'<', '<', 'a', 'b', 'c', 'd', '>', '>'};  // sentinels around four bytes
    ReadString(in, guarded + 2, 4);
    EXPECT_TRUE(in.Failed());
    EXPECT_EQ(std::string(guarded, 3) + std::string(guarded + 6, 2), std::string("<<\0>>", 5));
    MemoryInStream unsized(bytes, false);  // a stream that cannot tell its size
    std::string text = "old";
    ReadString(unsized, text);
    EXPECT_TRUE(unsized.Failed());
    EXPECT_EQ(text, "");
  }
}

}  // namespace
