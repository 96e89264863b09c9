// PCM as OpenAL takes it: the check of the formats the sound layer accepts
// (mono or stereo; 8-bit unsigned or 16-bit signed little-endian; 100 to
// 200000 samples per second; whole frames; not empty) and the upload of
// checked data into an OpenAL buffer. Only platform/ sources use it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/SoundTypes.h"

namespace platform {

inline constexpr int kMinSamplesPerSecond = 100;
inline constexpr int kMaxSamplesPerSecond = 200000;

// True when `pcm` in `format` can be played; otherwise false with the reason
// in `error`.
bool CheckPcm(const PcmFormat& format, std::span<const std::uint8_t> pcm, std::string& error);

// Fills `buffer` with checked PCM in its own format. True when the library
// holds all of it afterwards.
bool UploadPcm(std::uint32_t buffer, const PcmFormat& format, std::span<const std::uint8_t> pcm);

// Fills `buffer` with checked PCM widened to 16-bit stereo: a mono channel
// goes to both sides at full level, 8-bit samples become (u - 128) * 256.
// `scratch` is reused between calls. True when the library holds all of it.
bool UploadPcmAsStereo16(std::uint32_t buffer, const PcmFormat& format, std::span<const std::uint8_t> pcm,
                         std::vector<std::int16_t>& scratch);

}  // namespace platform
