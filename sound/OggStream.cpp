#include "sound/OggStream.h"

#include <cstdint>
#include <cstdio>
#include <string>

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
  int result = ov_open_callbacks(decoder->file.get(), &decoder->vorbis, nullptr, 0, kFileCallbacks);
  if (result < 0) throw SoundError(std::string("Could not open Ogg stream. ") + OggErrorText(result));
  decoder->opened = true;

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
