// Arbitrary bytes as a WAV file. What the reader accepts must be a sane PCM
// format with whole sample frames taken from the file, and a plain file
// written from what it read (one format chunk, one data chunk) must read
// back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "sound/WavReader.h"

namespace {

void Put(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>(value >> (8 * i) & 0xff));
}

std::string PlainWav(const WavData& wav) {
  const platform::PcmFormat& f = wav.format;
  std::string format;
  Put(format, 1, 2);
  Put(format, static_cast<std::uint32_t>(f.channels), 2);
  Put(format, static_cast<std::uint32_t>(f.samplesPerSecond), 4);
  Put(format, static_cast<std::uint32_t>(f.samplesPerSecond) * static_cast<std::uint32_t>(f.BlockAlign()), 4);
  Put(format, static_cast<std::uint32_t>(f.BlockAlign()), 2);
  Put(format, static_cast<std::uint32_t>(f.bitsPerSample), 2);
  std::string body = "WAVEfmt ";
  Put(body, static_cast<std::uint32_t>(format.size()), 4);
  body += format + "data";
  Put(body, static_cast<std::uint32_t>(wav.pcm.size()), 4);
  body.append(wav.pcm.begin(), wav.pcm.end());
  if (wav.pcm.size() % 2 != 0) body.push_back('\0');
  std::string file = "RIFF";
  Put(file, static_cast<std::uint32_t>(body.size()), 4);
  return file + body;
}

bool IsSane(const platform::PcmFormat& f) {
  return f.channels >= 1 && f.channels <= 16 && f.samplesPerSecond >= 0 &&
         (f.bitsPerSample == 8 || f.bitsPerSample == 16 || f.bitsPerSample == 24 || f.bitsPerSample == 32);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  WavData wav;
  if (ParseWav(std::span(data, size), wav) != WavStatus::Ok) {
    if (!wav.pcm.empty()) std::abort();  // a refused file yields nothing
    return 0;
  }
  if (!IsSane(wav.format)) std::abort();
  const auto frame = static_cast<std::size_t>(wav.format.BlockAlign());
  // The samples come from the file: after its RIFF header (12 bytes), a
  // format chunk (8 + at least 16) and the data chunk's header (8).
  if (wav.pcm.size() % frame != 0 || wav.pcm.size() + 44 > size) std::abort();

  const std::string plain = PlainWav(wav);
  WavData again;
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(plain.data());
  if (ParseWav(std::span(bytes, plain.size()), again) != WavStatus::Ok) std::abort();
  if (!(again.format == wav.format) || again.pcm != wav.pcm) std::abort();
  return 0;
}
