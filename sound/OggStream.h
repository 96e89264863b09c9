// A reader of Ogg Vorbis files decoded to 16-bit signed little-endian PCM,
// used whole by sound buffers and piece by piece by music streams. Owns its
// file and decoder; the destructor closes them. Not thread-safe: a stream's
// owner serialises the calls (the music streams hold their stream lock).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/SoundDevice.h"

// The message of a libvorbisfile error code ("Unknown Ogg error." for codes
// without a text of their own).
const char* OggErrorText(int code);

class OggStream {
 public:
  OggStream();
  ~OggStream();
  OggStream(const OggStream&) = delete;
  OggStream& operator=(const OggStream&) = delete;

  // Opens a data file name (closing any open file first); logs "Open OGG
  // stream %s". Raises SoundError with "Could not open Ogg file.", "Could not
  // open Ogg stream. " + the decoder's error text, for a stream without a
  // positive length "Unknown Ogg error." + the file name, or, for a file
  // that lacks the stream's last page, "Ogg file cut short: " + the file
  // name; the stream is then closed.
  void Open(std::string_view fileName);
  // Decodes up to `count` bytes into `buffer`; returns the bytes written,
  // fewer than `count` only at the end of the data (0 there, or when no file
  // is open). Raises SoundError with OggErrorText on a decoder error.
  int Read(std::uint8_t* buffer, int count);
  // Seeks back to the first sample.
  void Rewind();
  // Logs "Close OGG stream." and closes the decoder and the file when open.
  void Close();

  bool IsOpen() const;
  // The decoded format (16-bit) and the whole decoded size in bytes.
  const platform::PcmFormat& Format() const { return format_; }
  std::int64_t TotalBytes() const { return totalBytes_; }

 private:
  struct Decoder;
  std::unique_ptr<Decoder> decoder_;
  platform::PcmFormat format_;
  std::int64_t totalBytes_ = 0;
};
