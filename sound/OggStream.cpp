#include "sound/OggStream.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include "framework/Log.h"
#include "platform/FileSystem.h"
#include "sound/SoundError.h"

namespace {

// stdio callbacks with the signatures the decoder calls; the file is closed
// by its owner, never by the decoder.
std::size_t ReadFile(void* out, std::size_t size, std::size_t count, void* file) {
  return std::fread(out, size, count, static_cast<std::FILE*>(file));
}
int SeekFile(void* file, ogg_int64_t offset, int whence) {
  return fseeko(static_cast<std::FILE*>(file), static_cast<off_t>(offset), whence);
}
long TellFile(void* file) { return std::ftell(static_cast<std::FILE*>(file)); }

constexpr ov_callbacks kFileCallbacks{ReadFile, SeekFile, nullptr, TellFile};

// An Ogg page: a 27-byte header whose last byte counts the segment table's
// entries, the table, then a body of the entries' sum.
constexpr std::size_t kPageHeader = 27;
constexpr std::size_t kLongestPage = kPageHeader + 255 + 255 * 255;
constexpr unsigned char kLastPageFlag = 0x04;

// Where the page that starts at `at` ends; past the bytes when it runs
// beyond them.
std::size_t PageEnd(std::string_view bytes, std::size_t at) {
  if (bytes.size() - at < kPageHeader) return std::string_view::npos;
  const std::size_t segments = static_cast<unsigned char>(bytes[at + kPageHeader - 1]);
  if (bytes.size() - at < kPageHeader + segments) return std::string_view::npos;
  std::size_t end = at + kPageHeader + segments;
  for (std::size_t i = 0; i < segments; ++i) end += static_cast<unsigned char>(bytes[at + kPageHeader + i]);
  return end;
}

// Whether the bytes end with a whole page flagged as the stream's last.
bool EndsWithLastPage(std::string_view tail) {
  for (std::size_t from = tail.size();;) {
    const std::size_t at = tail.rfind("OggS", from);
    if (at == std::string_view::npos) return false;
    if (PageEnd(tail, at) == tail.size()) return (static_cast<unsigned char>(tail[at + 5]) & kLastPageFlag) != 0;
    if (at == 0) return false;
    from = at - 1;
  }
}

// A file cut short (a broken copy or download) lacks the page that ends
// the stream; the decoder would play what is there as if it were all.
// Leaves the file at its start.
bool IsWhole(std::FILE* file) {
  if (fseeko(file, 0, SEEK_END) != 0) return false;
  const off_t size = ftello(file);
  const off_t start = std::max<off_t>(0, size - static_cast<off_t>(kLongestPage));
  std::string tail(static_cast<std::size_t>(std::max<off_t>(size - start, 0)), '\0');
  const bool read = fseeko(file, start, SEEK_SET) == 0 && std::fread(tail.data(), 1, tail.size(), file) == tail.size();
  return fseeko(file, 0, SEEK_SET) == 0 && read && EndsWithLastPage(tail);
}

}  // namespace

// The file and the decoder opened on it; the decoder is cleared before the
// file closes, on every path.
struct OggStream::Decoder {
  platform::FilePtr file;
  OggVorbis_File vorbis{};
  bool opened = false;

  ~Decoder() {
    if (opened) ov_clear(&vorbis);
  }
};

const char* OggErrorText(int code) {
  switch (code) {
    case OV_EREAD: return "Read from media.";
    case OV_EFAULT: return "Internal logic fault (bug or heap/stack corruption.";
    case OV_ENOTVORBIS: return "Not Vorbis data.";
    case OV_EBADHEADER: return "Invalid Vorbis header.";
    case OV_EVERSION: return "Vorbis version mismatch.";
    default: return "Unknown Ogg error.";
  }
}

OggStream::OggStream() = default;

OggStream::~OggStream() {
  if (IsOpen()) Close();
}

bool OggStream::IsOpen() const { return decoder_ != nullptr; }

void OggStream::Open(std::string_view fileName) {
  if (IsOpen()) Close();
  totalBytes_ = 0;
  Log::Printf("Open OGG stream %.*s", static_cast<int>(fileName.size()), fileName.data());
  auto decoder = std::make_unique<Decoder>();
  // Only a regular file: a named pipe would hold the decoder's thread.
  decoder->file = platform::OpenRegularFile(fileName);
  if (!decoder->file) throw SoundError("Could not open Ogg file.");
  const bool whole = IsWhole(decoder->file.get());
  int result = ov_open_callbacks(decoder->file.get(), &decoder->vorbis, nullptr, 0, kFileCallbacks);
  if (result < 0) throw SoundError(std::string("Could not open Ogg stream. ") + OggErrorText(result));
  decoder->opened = true;
  if (!whole) throw SoundError("Ogg file cut short: " + std::string(fileName));

  const vorbis_info* info = ov_info(&decoder->vorbis, -1);
  ogg_int64_t samples = ov_pcm_total(&decoder->vorbis, -1);
  bool usable = info && info->channels > 0 && samples > 0 &&
                samples <= INT64_MAX / (2 * static_cast<ogg_int64_t>(info->channels));
  if (!usable)
    throw SoundError(std::string(OggErrorText(-1)) + std::string(fileName));
  format_.channels = info->channels;
  format_.samplesPerSecond = static_cast<int>(info->rate);
  format_.bitsPerSample = 16;
  totalBytes_ = static_cast<std::int64_t>(samples) * format_.BlockAlign();
  decoder_ = std::move(decoder);
}

int OggStream::Read(std::uint8_t* buffer, int count) {
  if (!IsOpen() || count <= 0) return 0;
  int filled = 0;
  while (filled < count) {
    int section = 0;
    long got = ov_read(&decoder_->vorbis, reinterpret_cast<char*>(buffer + filled), count - filled,
                       0, 2, 1, &section);
    if (got < 0) throw SoundError(OggErrorText(static_cast<int>(got)));
    if (got == 0) break;
    filled += static_cast<int>(got);
  }
  return filled;
}

void OggStream::Rewind() {
  if (IsOpen()) ov_pcm_seek(&decoder_->vorbis, 0);
}

void OggStream::Close() {
  Log::Write("Close OGG stream.");
  decoder_.reset();
  totalBytes_ = 0;
}
