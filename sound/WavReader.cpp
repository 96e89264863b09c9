#include "sound/WavReader.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

#include "platform/FileSystem.h"

namespace {

constexpr std::size_t kChunkHeader = 8;
constexpr std::size_t kPcmFormatBytes = 16;
constexpr std::uint16_t kFormatPcm = 1;
constexpr int kMaxChannels = 16;

std::uint32_t Read32(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
         static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint16_t Read16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

bool HasId(std::span<const std::uint8_t> b, std::size_t at, const char* id) {
  return std::memcmp(b.data() + at, id, 4) == 0;
}

// The bodies of the chunks the reader needs, each clamped to the RIFF chunk.
struct Chunks {
  std::optional<std::span<const std::uint8_t>> format;
  std::optional<std::span<const std::uint8_t>> data;
  bool dataCut = false;  // the data chunk runs past the end
};

Chunks FindChunks(std::span<const std::uint8_t> riff) {
  Chunks found;
  std::size_t at = 0;
  while (riff.size() - at >= kChunkHeader) {
    std::size_t declared = Read32(riff, at + 4);
    std::size_t body = at + kChunkHeader;
    std::size_t size = std::min(declared, riff.size() - body);
    std::span<const std::uint8_t> chunk = riff.subspan(body, size);
    if (HasId(riff, at, "fmt ") && !found.format) found.format = chunk;
    if (HasId(riff, at, "data") && !found.data) {
      found.data = chunk;
      found.dataCut = size < declared;
    }
    if (size < declared) break;  // the chunk runs past the end
    at = body + size + (size & 1);
    if (at > riff.size()) break;
  }
  return found;
}

std::optional<platform::PcmFormat> ParseFormat(std::span<const std::uint8_t> chunk) {
  if (chunk.size() < kPcmFormatBytes || Read16(chunk, 0) != kFormatPcm) return std::nullopt;
  platform::PcmFormat format;
  format.channels = Read16(chunk, 2);
  format.samplesPerSecond = static_cast<int>(std::min<std::uint32_t>(Read32(chunk, 4), 0x7fffffff));
  format.bitsPerSample = Read16(chunk, 14);
  bool sane = format.channels >= 1 && format.channels <= kMaxChannels && format.bitsPerSample >= 8 &&
              format.bitsPerSample <= 32 && format.bitsPerSample % 8 == 0;
  if (!sane) return std::nullopt;
  return format;
}

}  // namespace

WavStatus ParseWav(std::span<const std::uint8_t> bytes, WavData& out) {
  if (bytes.size() < 12 || !HasId(bytes, 0, "RIFF") || !HasId(bytes, 8, "WAVE"))
    return WavStatus::InvalidFormat;
  std::size_t riffEnd = std::min<std::size_t>(bytes.size(), std::size_t{8} + Read32(bytes, 4));
  if (riffEnd < 12) return WavStatus::InvalidFormat;
  Chunks chunks = FindChunks(bytes.subspan(12, riffEnd - 12));
  if (!chunks.format || !chunks.data) return WavStatus::InvalidFormat;
  std::optional<platform::PcmFormat> format = ParseFormat(*chunks.format);
  if (!format) return WavStatus::InvalidFormat;
  std::size_t frame = static_cast<std::size_t>(format->BlockAlign());
  std::size_t whole = chunks.data->size() / frame * frame;
  out.format = *format;
  out.cut = chunks.dataCut;
  out.pcm.assign(chunks.data->begin(), chunks.data->begin() + static_cast<std::ptrdiff_t>(whole));
  return WavStatus::Ok;
}

WavStatus ReadWavFile(std::string_view fileName, WavData& out) {
  std::optional<std::string> bytes = platform::ReadBinaryFile(fileName);
  if (!bytes) return WavStatus::CannotOpen;
  std::span<const std::uint8_t> view(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size());
  return ParseWav(view, out);
}
