// One OpenAL Soft device with its context, current for the whole process
// while it is open, and the extension entry points the sound layer uses
// (loopback rendering, deferred updates, device pause, direct channels).
// Only one may be open at a time. Owned by SoundDevice; platform/ only.
#pragma once

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "platform/SoundTypes.h"

namespace platform {

class ALDevice {
 public:
  // The default playback device with a context for that many voices (0
  // for both: the library's own count) and no effect sends (the game uses
  // no effects, and each send costs the library memory for every voice it
  // keeps); null with the reason in `error`.
  static std::unique_ptr<ALDevice> OpenDefault(const VoiceCounts& voices, std::string& error);
  // A device that renders 32-bit float stereo into memory at that rate
  // (no limiter, no HRTF), read back as 16-bit by Render.
  static std::unique_ptr<ALDevice> OpenLoopback(int samplesPerSecond, std::string& error);
  ~ALDevice();
  ALDevice(const ALDevice&) = delete;
  ALDevice& operator=(const ALDevice&) = delete;

  bool IsLoopback() const { return loopback_; }
  // Loopback only: renders interleaved stereo frames, rounded to 16-bit
  // without dither (so whole 16-bit input samples come back exactly).
  bool Render(std::span<std::int16_t> interleavedStereo);
  // Holds back or applies property changes of the context (no-ops without
  // AL_SOFT_deferred_updates).
  void DeferUpdates();
  void ProcessUpdates();
  // Stops or restarts the device's mixing; false when the device cannot
  // (no ALC_SOFT_pause_device, or a loopback device).
  bool SetOutputPaused(bool paused);
  // Whether sources can play their channels straight to the speakers.
  bool HasDirectChannels() const { return directChannels_; }
  // The mono and stereo voices the context was granted.
  VoiceCounts VoiceLimits() const;
  // The effect sends each voice has.
  int EffectSends() const;

 private:
  ALDevice(ALCdevice* device, bool loopback) : device_(device), loopback_(loopback) {}
  bool StartContext(const ALCint* attributes, std::string& error);
  void LoadExtensions();

  ALCdevice* device_ = nullptr;
  ALCcontext* context_ = nullptr;
  bool loopback_ = false;
  bool directChannels_ = false;
  LPALCRENDERSAMPLESSOFT renderSamples_ = nullptr;
  LPALDEFERUPDATESSOFT deferUpdates_ = nullptr;
  LPALPROCESSUPDATESSOFT processUpdates_ = nullptr;
  LPALCDEVICEPAUSESOFT pauseDevice_ = nullptr;
  LPALCDEVICERESUMESOFT resumeDevice_ = nullptr;
  std::vector<float> mix_;
};

}  // namespace platform
