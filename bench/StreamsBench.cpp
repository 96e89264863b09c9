// The XOR cipher streams over memory, for small record-sized calls and for
// whole blocks, and the string records through them.
#include <benchmark/benchmark.h>

#include <string>

#include "framework/InCryptStream.h"
#include "framework/MemoryInStream.h"
#include "framework/MemoryOutStream.h"
#include "framework/OutCryptStream.h"
#include "framework/StreamHelpers.h"

namespace {

constexpr std::size_t kTotal = 1 << 16;

void BM_CryptWrite(benchmark::State& state) {
  const auto chunk = static_cast<std::size_t>(state.range(0));
  const std::string plain(chunk, 'p');
  for (auto _ : state) {
    MemoryOutStream sink;
    sink.Reserve(kTotal);
    OutCryptStream out(sink, "hall of fame key");
    for (std::size_t at = 0; at < kTotal; at += chunk) out.Write(plain.data(), chunk);
    benchmark::DoNotOptimize(sink.Bytes().data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kTotal));
}
BENCHMARK(BM_CryptWrite)->Arg(4)->Arg(64)->Arg(4096);

void BM_CryptRead(benchmark::State& state) {
  const auto chunk = static_cast<std::size_t>(state.range(0));
  const std::string cipher(kTotal, 'c');
  std::string buffer(chunk, '\0');
  for (auto _ : state) {
    MemoryInStream source(cipher);
    InCryptStream in(source, "hall of fame key");
    for (std::size_t at = 0; at < kTotal; at += chunk) in.Read(buffer.data(), chunk);
    benchmark::DoNotOptimize(buffer.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kTotal));
}
BENCHMARK(BM_CryptRead)->Arg(4)->Arg(64)->Arg(4096);

void BM_CryptStringRecords(benchmark::State& state) {
  MemoryOutStream sink;
  OutCryptStream out(sink, "key");
  for (int i = 0; i < 1000; ++i) WriteInt(WriteString(out, "Player " + std::to_string(i)), i);
  std::string name;
  std::int32_t value = 0;
  for (auto _ : state) {
    MemoryInStream source(sink.Bytes());
    InCryptStream in(source, "key");
    for (int i = 0; i < 1000; ++i) ReadInt(ReadString(in, name), value);
    benchmark::DoNotOptimize(value);
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_CryptStringRecords);

}  // namespace
