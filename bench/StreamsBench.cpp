// The XOR cipher streams over memory, for small record-sized calls and for
// whole blocks, and the string records through them.
#include <benchmark/benchmark.h>

#include <string>

#include "framework/InCryptStream.h"
#include "framework/OutCryptStream.h"
#include "framework/StreamHelpers.h"

namespace {

class MemoryIn : public InStream {
 public:
  explicit MemoryIn(const std::string& bytes) : bytes_(bytes) {}
  std::size_t Read(void* buffer, std::size_t count) override {
    const std::size_t got = std::min(count, bytes_.size() - position_);
    bytes_.copy(static_cast<char*>(buffer), got, position_);
    position_ += got;
    failed_ = failed_ || got < count;
    return got;
  }
  void Seek(std::size_t count) override { position_ += std::min(count, bytes_.size() - position_); }
  std::int32_t BytesLeft() const override { return static_cast<std::int32_t>(bytes_.size() - position_); }
  bool Failed() const override { return failed_; }
  void SetFailed() override { failed_ = true; }

 private:
  const std::string& bytes_;
  std::size_t position_ = 0;
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

constexpr std::size_t kTotal = 1 << 16;

void BM_CryptWrite(benchmark::State& state) {
  const auto chunk = static_cast<std::size_t>(state.range(0));
  const std::string plain(chunk, 'p');
  for (auto _ : state) {
    MemoryOut sink;
    sink.bytes.reserve(kTotal);
    OutCryptStream out(sink, "hall of fame key");
    for (std::size_t at = 0; at < kTotal; at += chunk) out.Write(plain.data(), chunk);
    benchmark::DoNotOptimize(sink.bytes.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kTotal));
}
BENCHMARK(BM_CryptWrite)->Arg(4)->Arg(64)->Arg(4096);

void BM_CryptRead(benchmark::State& state) {
  const auto chunk = static_cast<std::size_t>(state.range(0));
  const std::string cipher(kTotal, 'c');
  std::string buffer(chunk, '\0');
  for (auto _ : state) {
    MemoryIn source(cipher);
    InCryptStream in(source, "hall of fame key");
    for (std::size_t at = 0; at < kTotal; at += chunk) in.Read(buffer.data(), chunk);
    benchmark::DoNotOptimize(buffer.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kTotal));
}
BENCHMARK(BM_CryptRead)->Arg(4)->Arg(64)->Arg(4096);

void BM_CryptStringRecords(benchmark::State& state) {
  MemoryOut sink;
  OutCryptStream out(sink, "key");
  for (int i = 0; i < 1000; ++i) WriteInt(WriteString(out, "Player " + std::to_string(i)), i);
  std::string name;
  std::int32_t value = 0;
  for (auto _ : state) {
    MemoryIn source(sink.bytes);
    InCryptStream in(source, "key");
    for (int i = 0; i < 1000; ++i) ReadInt(ReadString(in, name), value);
    benchmark::DoNotOptimize(value);
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_CryptStringRecords);

}  // namespace
