// Texture preparation: decoding PNG and JPEG files, box resampling and
// whole mip chains, at the sizes textures have.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "platform/Image.h"

namespace {

platform::Image Noise(int width, int height) {
  platform::Image image = platform::MakeImage(width, height, 0);
  std::uint32_t state = 12345;
  for (std::uint8_t& byte : image.bgra) {
    state = state * 214013u + 2531011u;
    byte = static_cast<std::uint8_t>(state >> 16);
  }
  return image;
}

void BM_ResampleHalf(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  const platform::Image source = Noise(side, side);
  for (auto _ : state) benchmark::DoNotOptimize(platform::ResampleBox(source, side / 2, side / 2));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(source.bgra.size()));
}
BENCHMARK(BM_ResampleHalf)->Arg(256)->Arg(1024)->Arg(2048);

void BM_ResampleOdd(benchmark::State& state) {
  const platform::Image source = Noise(1000, 600);
  for (auto _ : state) benchmark::DoNotOptimize(platform::ResampleBox(source, 512, 256));
}
BENCHMARK(BM_ResampleOdd);

void BM_MipChain(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  const platform::Image source = Noise(side, side);
  for (auto _ : state) benchmark::DoNotOptimize(platform::BuildMipChain(source));
}
BENCHMARK(BM_MipChain)->Arg(256)->Arg(1024);

void BM_DecodePng(benchmark::State& state) {
  const std::string bytes = *platform::EncodePng(Noise(512, 512));
  for (auto _ : state) benchmark::DoNotOptimize(platform::DecodeImage(bytes));
}
BENCHMARK(BM_DecodePng);

void BM_DecodeJpeg(benchmark::State& state) {
  const std::string bytes = *platform::EncodeJpeg(Noise(512, 512), 90, platform::JpegColour::Colour);
  for (auto _ : state) benchmark::DoNotOptimize(platform::DecodeImage(bytes));
}
BENCHMARK(BM_DecodeJpeg);

}  // namespace
