// Arbitrary bytes as an Ogg Vorbis file, read as a music stream does (in
// pieces, with a rewind half-way) and whole as a sound buffer does, without
// a sound device. A bad file raises SoundError and leaves the stream
// closed; a read never writes past the piece it was given nor returns more.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "sound/OggStream.h"
#include "sound/SoundError.h"
#include "sound/YSoundBuffer.h"
#include "tests/fuzz/FuzzSupport.h"

namespace {

std::string g_path;

// Reads at most `limit` bytes in pieces of `piece`; returns the bytes read.
std::int64_t ReadPieces(OggStream& stream, int piece, std::int64_t limit) {
  constexpr std::size_t kGuard = 16;
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(piece) + kGuard, 0xA5);
  std::int64_t read = 0;
  while (read < limit) {
    const int got = stream.Read(buffer.data(), piece);
    if (got < 0 || got > piece) std::abort();
    for (std::size_t k = 0; k < kGuard; ++k)
      if (buffer[static_cast<std::size_t>(piece) + k] != 0xA5) std::abort();
    if (got == 0) break;
    read += got;
  }
  return read;
}

void ReadAsStream(std::int64_t limit) {
  OggStream stream;
  try {
    stream.Open(g_path);
  } catch (const SoundError&) {
    if (stream.IsOpen()) std::abort();
    return;
  }
  if (stream.TotalBytes() <= 0 || stream.Format().channels <= 0) std::abort();
  try {
    const std::int64_t first = ReadPieces(stream, 4099, limit / 2);
    stream.Rewind();
    ReadPieces(stream, 1 + static_cast<int>(first % 8191), limit);
  } catch (const SoundError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_path = (fuzz::ScratchFolder() / "fuzz.ogg").string();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::WriteBytes(g_path, data, size);
  ReadAsStream(std::int64_t{4} << 20);
  try {
    YSoundBuffer buffer;
    buffer.Open(g_path);
  } catch (const SoundError&) {
  }
  return 0;
}
