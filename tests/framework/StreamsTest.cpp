// Binary streams: file sizes and positions, safe replacement, the XOR
// ciphers across call sizes, and the string and integer records, including
// records no writer produces.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "framework/InCryptStream.h"
#include "framework/InFStream.h"
#include "framework/OutCryptStream.h"
#include "framework/OutFStream.h"
#include "framework/StreamHelpers.h"
#include "tests/support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ReadFile;
using testing_support::ScopedTempDir;
using testing_support::WriteFile;

// Bytes kept in memory; reports its size unless told not to.
class MemoryIn : public InStream {
 public:
  explicit MemoryIn(std::string bytes, bool knowsSize = true)
      : bytes_(std::move(bytes)), knowsSize_(knowsSize) {}
  std::size_t Read(void* buffer, std::size_t count) override {
    const std::size_t got = failed_ ? 0 : std::min(count, bytes_.size() - position_);
    bytes_.copy(static_cast<char*>(buffer), got, position_);
    position_ += got;
    if (got < count) failed_ = true;
    return got;
  }
  void Seek(std::size_t count) override { position_ += std::min(count, bytes_.size() - position_); }
  std::int32_t BytesLeft() const override {
    return knowsSize_ ? static_cast<std::int32_t>(bytes_.size() - position_) : -1;
  }
  bool Failed() const override { return failed_; }
  void SetFailed() override { failed_ = true; }

 private:
  std::string bytes_;
  std::size_t position_ = 0;
  bool knowsSize_;
  bool failed_ = false;
};

class MemoryOut : public OutStream {
 public:
  bool Write(const void* buffer, std::size_t count) override {
    bytes.append(static_cast<const char*>(buffer), count);
    return true;
  }
  bool Failed() const override { return false; }
  std::string bytes;
};

TEST(InFStreamTest, BytesLeftFollowsReadsAndSeeks) {
  ScopedTempDir dir;
  WriteFile(dir.Path() / "ten.dat", "0123456789");
  InFStream in(dir.Str() + "\\ten.dat");
  EXPECT_EQ(in.Size(), 10);
  EXPECT_EQ(in.BytesLeft(), 10);
  char buffer[8] = "-------";
  EXPECT_EQ(in.Read(buffer, 4), 4u);
  EXPECT_EQ(std::string(buffer, 4), "0123");
  EXPECT_EQ(in.BytesLeft(), 6);
  in.Seek(3);
  EXPECT_EQ(in.BytesLeft(), 3);
  // A short read copies what there is and fails the stream, which then
  // reports nothing left rather than a count that never runs out.
  EXPECT_EQ(in.Read(buffer, 5), 3u);
  EXPECT_EQ(std::string(buffer, 5), "7893-");  // the rest is untouched
  EXPECT_TRUE(in.Failed());
  EXPECT_EQ(in.BytesLeft(), 0);
  EXPECT_EQ(in.Read(buffer, 1), 0u);
  InFStream again(dir.File("ten.dat"));
  again.Seek(100);  // stops at the end
  EXPECT_EQ(again.BytesLeft(), 0);
  EXPECT_FALSE(again.Failed());
}

TEST(InFStreamTest, MissingFileOrFolderReadsAsEmpty) {
  ScopedTempDir dir;
  for (const std::string& name : {dir.File("missing.dat"), dir.Str()}) {
    InFStream in(name);
    EXPECT_EQ(in.Size(), -1) << name;
    EXPECT_EQ(in.BytesLeft(), 0) << name;
    char c = 'x';
    EXPECT_EQ(in.Read(&c, 1), 0u);
    EXPECT_EQ(c, 'x');
  }
}

TEST(OutFStreamTest, SafeWriteReplacesTheTargetOnlyWhenClosed) {
  ScopedTempDir dir;
  WriteFile(dir.Path() / "stats.dat", "old");
  {
    OutFStream out(dir.Str() + "\\stats.dat", true);
    out.Write("new!", 4);
    EXPECT_TRUE(fs::exists(dir.Path() / "stats.dat.tmp"));
    EXPECT_EQ(ReadFile(dir.Path() / "stats.dat"), "old");
  }
  EXPECT_EQ(ReadFile(dir.Path() / "stats.dat"), "new!");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 1);
}

TEST(OutFStreamTest, FailedSafeWriteLeavesTheOldFileWhole) {
  ScopedTempDir dir;
  WriteFile(dir.Path() / "a.dat", "keep");
  WriteFile(dir.Path() / "b.dat", "keep");
  // The ".tmp" cannot be opened: a folder of that name is in the way.
  fs::create_directories(dir.Path() / "a.dat.tmp" / "inside");
  OutFStream blocked(dir.File("a.dat"), true);
  EXPECT_TRUE(blocked.Failed());
  EXPECT_FALSE(blocked.Write("x", 1));
  EXPECT_FALSE(blocked.Close());
  EXPECT_EQ(ReadFile(dir.Path() / "a.dat"), "keep");
  EXPECT_TRUE(fs::exists(dir.Path() / "a.dat.tmp" / "inside"));
  // The disk fills up while writing: the flush fails, nothing is moved.
  fs::create_symlink("/dev/full", dir.Path() / "b.dat.tmp");
  OutFStream full(dir.File("b.dat"), true);
  full.Write("lost", 4);
  EXPECT_FALSE(full.Close());
  EXPECT_EQ(ReadFile(dir.Path() / "b.dat"), "keep");
  EXPECT_FALSE(fs::exists(fs::symlink_status(dir.Path() / "b.dat.tmp")));
}

TEST(OutFStreamTest, PlainWriteGoesToTheNameItself) {
  ScopedTempDir dir;
  OutFStream out(dir.File("m.meb"), false);
  WriteInt(out, 7);
  EXPECT_TRUE(out.Close());
  EXPECT_EQ(ReadFile(dir.Path() / "m.meb"), std::string("\x07\0\0\0", 4));
}

TEST(CryptStreamTest, KeyPositionCarriesAcrossReads) {
  MemoryIn inner(std::string(6, '\0'));
  InCryptStream in(inner, "\x01\x02\x03");
  unsigned char first[2], second[4];
  in.Read(first, 2);
  in.Read(second, 4);
  EXPECT_EQ(first[0], 1);
  EXPECT_EQ(first[1], 2);
  EXPECT_EQ(second[0], 3);
  EXPECT_EQ(second[1], 1);
  EXPECT_EQ(second[2], 2);
  EXPECT_EQ(second[3], 3);
}

TEST(CryptStreamTest, OneByteKeyXorsEveryByte) {
  MemoryOut inner;
  OutCryptStream out(inner, "k");
  const std::string plain = "abc";
  out.Write(plain.data(), plain.size());
  EXPECT_EQ(plain, "abc");  // the caller's bytes stay as they were
  EXPECT_EQ(inner.bytes, std::string({'a' ^ 'k', 'b' ^ 'k', 'c' ^ 'k'}));
}

TEST(CryptStreamTest, ChunkSizesNeverChangeTheBytes) {
  std::mt19937 rng(99);
  std::string plain(1000, '\0');
  for (char& c : plain) c = static_cast<char>(rng());
  const std::string key = "s3cr#t";
  MemoryOut whole;
  OutCryptStream(whole, key).Write(plain.data(), plain.size());
  for (int round = 0; round < 20; ++round) {
    MemoryOut pieces;
    OutCryptStream out(pieces, key);
    for (std::size_t at = 0; at < plain.size();) {
      const std::size_t n = std::min<std::size_t>(rng() % 40, plain.size() - at);
      out.Write(plain.data() + at, n);
      at += n;
    }
    ASSERT_EQ(pieces.bytes, whole.bytes);
    MemoryIn inner(pieces.bytes);
    InCryptStream in(inner, key);
    std::string back(plain.size(), '\0');
    for (std::size_t at = 0; at < back.size();) {
      const std::size_t n = std::min<std::size_t>(rng() % 40, back.size() - at);
      in.Read(back.data() + at, n);
      at += n;
    }
    ASSERT_EQ(back, plain);
  }
}

TEST(StreamHelpersTest, IntegersAndFloatsAreLittleEndian) {
  MemoryOut out;
  WriteInt(WriteInt(out, 0x01020304), -2);
  WriteFloat(out, 1.5f);
  EXPECT_EQ(out.bytes, std::string("\x04\x03\x02\x01\xFE\xFF\xFF\xFF\x00\x00\xC0\x3F", 12));
  MemoryIn in(out.bytes + "\x01");
  std::int32_t a = 0, b = 0, c = 99;
  float f = 0;
  ReadFloat(ReadInt(ReadInt(in, a), b), f);
  EXPECT_EQ(a, 0x01020304);
  EXPECT_EQ(b, -2);
  EXPECT_EQ(f, 1.5f);
  ReadInt(in, c);  // one byte left: a short read
  EXPECT_TRUE(in.Failed());
  EXPECT_EQ(c, 99);
}

TEST(StreamHelpersTest, StringRecords) {
  MemoryOut out;
  WriteString(WriteString(WriteString(out, ""), std::string("hey")), nullptr);
  EXPECT_EQ(out.bytes, std::string("\0\0\x03\0hey\0\0", 9));
  MemoryIn in(out.bytes);
  std::string a = "x", b, c = "x";
  ReadString(ReadString(ReadString(in, a), b), c);
  EXPECT_EQ(a, "");
  EXPECT_EQ(b, "hey");
  EXPECT_EQ(c, "");
  EXPECT_FALSE(in.Failed());
}

TEST(StreamHelpersTest, OverlongTextIsCutAndTheFileStaysReadable) {
  MemoryOut out;
  WriteString(out, std::string(40000, 'q'));
  WriteString(out, "next");
  EXPECT_EQ(out.bytes.substr(0, 2), "\xFF\x7F");
  MemoryIn in(out.bytes);
  std::string first, second;
  ReadString(ReadString(in, first), second);
  EXPECT_EQ(first, std::string(kMaxStringRecordLength, 'q'));
  EXPECT_EQ(second, "next");
}

TEST(StreamHelpersTest, SmallBufferGetsACutTextAndTheCipherStaysInStep) {
  MemoryOut plain;
  OutCryptStream out(plain, "key");
  WriteInt(WriteString(out, "abcdefghij"), 42);
  MemoryIn inner(plain.bytes);
  InCryptStream in(inner, "key");
  char buffer[4];
  std::int32_t value = 0;
  ReadInt(ReadString(in, buffer, sizeof buffer), value);
  EXPECT_STREQ(buffer, "abc");
  EXPECT_EQ(value, 42);
}

// Sentinels on both sides of a four-byte buffer show any write outside it.
struct GuardedBuffer {
  char bytes[8] = {'<', '<', 'a', 'b', 'c', 'd', '>', '>'};
  char* Inside() { return bytes + 2; }
  bool GuardsIntact() const {
    return bytes[0] == '<' && bytes[1] == '<' && bytes[6] == '>' && bytes[7] == '>';
  }
};

TEST(StreamHelpersTest, BadLengthFieldsFailTheRead) {
  const std::string cases[] = {
      std::string("\xFF\xFF", 2) + "abcdefgh",  // -1
      std::string("\x00\x80", 2) + "abcdefgh",  // -32768
      std::string("\x10\x00", 2) + "abc",       // 16 bytes, 3 left
      std::string("\x05", 1),                   // the length itself is cut short
  };
  for (const std::string& bytes : cases) {
    MemoryIn in(bytes);
    GuardedBuffer buffer;
    ReadString(in, buffer.Inside(), 4);
    EXPECT_TRUE(in.Failed());
    EXPECT_TRUE(buffer.GuardsIntact());
    EXPECT_STREQ(buffer.Inside(), "");
    MemoryIn again(bytes, false);  // a stream that cannot tell its size
    std::string text = "old";
    ReadString(again, text);
    EXPECT_TRUE(again.Failed());
    EXPECT_EQ(text, "");
  }
}

}  // namespace
