// Our reader of RIFF/WAVE files holding PCM samples (format tag 1). Chunks
// are walked within the bounds of the file and of the RIFF chunk, odd sizes
// padded; chunks other than "fmt " and "data" (LIST, fact, ...) are
// skipped; a format chunk of 16 bytes or more is accepted; the data is
// clamped to what the file really holds, in whole sample frames.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "platform/SoundDevice.h"

struct WavData {
  platform::PcmFormat format;
  std::vector<std::uint8_t> pcm;
  // The data chunk is longer than the file: the file was cut short, and
  // `pcm` holds only what is there.
  bool cut = false;
};

enum class WavStatus {
  Ok,
  CannotOpen,     // the file could not be read
  InvalidFormat,  // not RIFF/WAVE, no usable "fmt " or "data", not PCM
};

// Reads a data file name (mapped before use).
WavStatus ReadWavFile(std::string_view fileName, WavData& out);
// Parses the bytes of a whole file.
WavStatus ParseWav(std::span<const std::uint8_t> bytes, WavData& out);
