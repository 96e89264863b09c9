#include "platform/ALPcm.h"

#include <AL/al.h>

#include <bit>
#include <limits>

namespace platform {
namespace {

// Widening to stereo 16-bit multiplies the size by up to 4; keep the result
// within what the library's size type holds.
constexpr std::size_t kMaxPcmBytes = std::numeric_limits<ALsizei>::max() / 4;

ALenum FormatEnum(int channels, int bits) {
  if (channels == 1) return bits == 8 ? AL_FORMAT_MONO8 : AL_FORMAT_MONO16;
  return bits == 8 ? AL_FORMAT_STEREO8 : AL_FORMAT_STEREO16;
}

std::int16_t SampleAt(const PcmFormat& format, std::span<const std::uint8_t> pcm, std::size_t index) {
  if (format.bitsPerSample == 8) return static_cast<std::int16_t>((pcm[index] - 128) * 256);
  const auto low = static_cast<std::uint16_t>(pcm[2 * index]);
  const auto high = static_cast<std::uint16_t>(pcm[2 * index + 1]);
  return static_cast<std::int16_t>(low | (high << 8));
}

// True when `buffer` holds `frames` frames of `channels` x `bits`.
bool HoldsFrames(ALuint buffer, std::size_t frames, int channels, int bits) {
  ALint size = 0;
  alGetBufferi(buffer, AL_SIZE, &size);
  return size >= 0 && static_cast<std::size_t>(size) == frames * channels * (bits / 8);
}

// Empties the buffer first, so that a failed upload shows in its size.
void Upload(ALuint buffer, ALenum format, const void* data, std::size_t bytes, int rate) {
  alBufferData(buffer, format, nullptr, 0, rate);
  alBufferData(buffer, format, data, static_cast<ALsizei>(bytes), rate);
}

}  // namespace

bool CheckPcm(const PcmFormat& format, std::span<const std::uint8_t> pcm, std::string& error) {
  if (format.channels != 1 && format.channels != 2) {
    error = "unsupported channel count " + std::to_string(format.channels) + " (1 or 2)";
  } else if (format.bitsPerSample != 8 && format.bitsPerSample != 16) {
    error = "unsupported sample size " + std::to_string(format.bitsPerSample) + " bits (8 or 16)";
  } else if (format.samplesPerSecond < kMinSamplesPerSecond ||
             format.samplesPerSecond > kMaxSamplesPerSecond) {
    error = "unsupported sample rate " + std::to_string(format.samplesPerSecond) + " (100 to 200000)";
  } else if (pcm.empty()) {
    error = "no sample data";
  } else if (pcm.size() % static_cast<std::size_t>(format.BlockAlign()) != 0) {
    error = std::to_string(pcm.size()) + " bytes are not whole frames of " +
            std::to_string(format.BlockAlign()) + " bytes";
  } else if (pcm.size() > kMaxPcmBytes) {
    error = "sample data too large (" + std::to_string(pcm.size()) + " bytes)";
  } else {
    return true;
  }
  return false;
}

bool UploadPcm(std::uint32_t buffer, const PcmFormat& format, std::span<const std::uint8_t> pcm) {
  const std::size_t frames = pcm.size() / format.BlockAlign();
  const ALenum alFormat = FormatEnum(format.channels, format.bitsPerSample);
  if (format.bitsPerSample == 8 || std::endian::native == std::endian::little) {
    Upload(buffer, alFormat, pcm.data(), pcm.size(), format.samplesPerSecond);
  } else {
    std::vector<std::int16_t> host(pcm.size() / 2);
    for (std::size_t i = 0; i < host.size(); ++i) host[i] = SampleAt(format, pcm, i);
    Upload(buffer, alFormat, host.data(), pcm.size(), format.samplesPerSecond);
  }
  return HoldsFrames(buffer, frames, format.channels, format.bitsPerSample);
}

bool UploadPcmAsStereo16(std::uint32_t buffer, const PcmFormat& format, std::span<const std::uint8_t> pcm,
                         std::vector<std::int16_t>& scratch) {
  const std::size_t frames = pcm.size() / format.BlockAlign();
  const bool asGiven =
      format.channels == 2 && format.bitsPerSample == 16 && std::endian::native == std::endian::little;
  if (asGiven) {
    Upload(buffer, AL_FORMAT_STEREO16, pcm.data(), pcm.size(), format.samplesPerSecond);
  } else {
    scratch.resize(frames * 2);
    for (std::size_t f = 0; f < frames; ++f) {
      scratch[2 * f] = SampleAt(format, pcm, f * format.channels);
      scratch[2 * f + 1] = SampleAt(format, pcm, f * format.channels + format.channels - 1);
    }
    Upload(buffer, AL_FORMAT_STEREO16, scratch.data(), frames * 4, format.samplesPerSecond);
  }
  return HoldsFrames(buffer, frames, 2, 16);
}

}  // namespace platform
