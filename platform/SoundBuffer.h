// PCM data held by the sound device, shared by any number of voices.
// Main thread. Destroy it before its device. A voice still using it when it
// goes is stopped and falls silent (its Play does nothing afterwards).
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "platform/ALObject.h"
#include "platform/SoundTypes.h"

namespace platform {

class SoundDevice;

class SoundBuffer {
 public:
  ~SoundBuffer();
  SoundBuffer(const SoundBuffer&) = delete;
  SoundBuffer& operator=(const SoundBuffer&) = delete;
  // Null (reason in `error`) when the format is not mono/stereo 8/16-bit at
  // 100 to 200000 samples per second, or the data is empty or not whole
  // sample frames. The data is copied; the span may go after the call.
  static std::unique_ptr<SoundBuffer> Create(SoundDevice& device, const PcmFormat& format,
                                             std::span<const std::uint8_t> pcm, std::string& error);
  // Whether Create would take the data's format and size (no buffer made);
  // otherwise false with the reason in `error`.
  static bool Takes(const PcmFormat& format, std::span<const std::uint8_t> pcm, std::string& error);
  const PcmFormat& Format() const { return format_; }
  // The OpenAL buffer name; 0 once the device has gone.
  std::uint32_t Handle() const { return buffer_.Name(); }

 private:
  friend class SoundDevice;
  friend class SoundVoice;
  SoundBuffer(SoundDevice& device, ALObject buffer, const PcmFormat& format);
  // The device is closing first (misuse): drop the OpenAL buffer now.
  void Orphan();

  SoundDevice* device_;
  ALObject buffer_;
  PcmFormat format_;
};

}  // namespace platform
