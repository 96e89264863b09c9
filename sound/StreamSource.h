// Where a sound stream gets its PCM: a decoder that reads a file piece by
// piece and can start it again. Ogg Vorbis files are the real source; tests
// feed generated PCM through the same interface.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "platform/SoundDevice.h"

class StreamSource {
 public:
  virtual ~StreamSource() = default;

  // Fills `buffer` from the current position; returns the bytes written,
  // fewer than the buffer holds only at the end of the data (0 there).
  // Raises SoundError on a decoding error.
  virtual std::size_t Read(std::span<std::uint8_t> buffer) = 0;
  // Goes back to the first sample.
  virtual void Rewind() = 0;
  // The format of the PCM that Read returns; fixed while the source lives.
  virtual platform::PcmFormat Format() const = 0;
};

// Opens a source on a data file name; raises SoundError when it cannot.
using StreamSourceOpener = std::function<std::unique_ptr<StreamSource>(const std::string& fileName)>;

// The real opener: an Ogg Vorbis file through OggStream (its errors raised).
std::unique_ptr<StreamSource> OpenOggStreamSource(const std::string& fileName);
