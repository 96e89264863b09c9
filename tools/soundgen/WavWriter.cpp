#include "tools/soundgen/WavWriter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "tools/soundgen/BinaryFile.h"

namespace {

std::vector<std::uint8_t> Pcm16(const std::vector<float>& samples) {
  std::vector<std::uint8_t> bytes;
  bytes.reserve(samples.size() * 2);
  for (float s : samples) {
    const auto v = static_cast<std::int16_t>(std::lround(std::clamp(s, -1.0F, 1.0F) * 32767.0F));
    const auto u = static_cast<std::uint16_t>(v);
    bytes.push_back(static_cast<std::uint8_t>(u & 0xFFU));
    bytes.push_back(static_cast<std::uint8_t>(u >> 8U));
  }
  return bytes;
}

}  // namespace

bool WriteWav(const MonoSound& sound, const std::string& path) {
  constexpr std::uint32_t kFormatSize = 18;
  const std::vector<std::uint8_t> data = Pcm16(sound.Samples());
  const auto rate = static_cast<std::uint32_t>(sound.Rate());
  BinaryFile file(path);
  file.WriteTag("RIFF");
  file.WriteU32(static_cast<std::uint32_t>(4 + 8 + kFormatSize + 8 + data.size()));
  file.WriteTag("WAVE");
  file.WriteTag("fmt ");
  file.WriteU32(kFormatSize);
  file.WriteU16(1);  // PCM
  file.WriteU16(1);  // mono
  file.WriteU32(rate);
  file.WriteU32(rate * 2);  // bytes per second
  file.WriteU16(2);         // block align
  file.WriteU16(16);        // bits per sample
  file.WriteU16(0);         // extra size
  file.WriteTag("data");
  file.WriteU32(static_cast<std::uint32_t>(data.size()));
  file.Write(data);
  return file.Close();
}
