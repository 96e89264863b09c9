#include "platform/ALDevice.h"

#include <algorithm>
#include <atomic>
#include <cmath>

namespace platform {
namespace {

// A context is current for the whole process, so two open devices would
// take each other's calls: only one is allowed at a time.
std::atomic<bool> deviceOpen{false};

bool ClaimDevice(std::string& error) {
  bool expected = false;
  if (deviceOpen.compare_exchange_strong(expected, true)) return true;
  error = "another sound device is already open";
  return false;
}

template <typename Function>
Function AlcEntry(ALCdevice* device, const char* name) {
  return reinterpret_cast<Function>(alcGetProcAddress(device, name));
}

template <typename Function>
Function AlEntry(const char* name) {
  return reinterpret_cast<Function>(alGetProcAddress(name));
}

std::int16_t ToSample16(float value) {
  if (!std::isfinite(value)) return 0;
  const long scaled = std::lrint(static_cast<double>(value) * 32768.0);
  if (scaled > 32767) return 32767;
  if (scaled < -32768) return -32768;
  return static_cast<std::int16_t>(scaled);
}

}  // namespace

std::unique_ptr<ALDevice> ALDevice::OpenDefault(const VoiceCounts& voices, std::string& error) {
  if (!ClaimDevice(error)) return nullptr;
  ALCdevice* raw = alcOpenDevice(nullptr);
  if (raw == nullptr) {
    deviceOpen = false;
    error = "could not open the default sound device";
    return nullptr;
  }
  std::unique_ptr<ALDevice> device(new ALDevice(raw, false));
  const bool ownCount = voices.mono <= 0 && voices.stereo <= 0;
  // With the library's own count the list ends after the sends.
  const ALCint attributes[] = {ALC_MAX_AUXILIARY_SENDS,
                               0,
                               ownCount ? 0 : ALC_MONO_SOURCES,
                               voices.mono,
                               ALC_STEREO_SOURCES,
                               voices.stereo,
                               0};
  if (!device->StartContext(attributes, error)) return nullptr;
  return device;
}

VoiceCounts ALDevice::VoiceLimits() const {
  ALCint mono = 0, stereo = 0;
  alcGetIntegerv(device_, ALC_MONO_SOURCES, 1, &mono);
  alcGetIntegerv(device_, ALC_STEREO_SOURCES, 1, &stereo);
  return {mono, stereo};
}

int ALDevice::EffectSends() const {
  ALCint sends = 0;
  alcGetIntegerv(device_, ALC_MAX_AUXILIARY_SENDS, 1, &sends);
  return sends;
}

std::unique_ptr<ALDevice> ALDevice::OpenLoopback(int samplesPerSecond, std::string& error) {
  if (!alcIsExtensionPresent(nullptr, "ALC_SOFT_loopback")) {
    error = "the sound library cannot render into memory (no ALC_SOFT_loopback)";
    return nullptr;
  }
  const auto open = AlcEntry<LPALCLOOPBACKOPENDEVICESOFT>(nullptr, "alcLoopbackOpenDeviceSOFT");
  const auto supported =
      AlcEntry<LPALCISRENDERFORMATSUPPORTEDSOFT>(nullptr, "alcIsRenderFormatSupportedSOFT");
  if (open == nullptr || supported == nullptr || !ClaimDevice(error)) {
    if (error.empty()) error = "the loopback entry points are missing";
    return nullptr;
  }
  ALCdevice* raw = open(nullptr);
  if (raw == nullptr) {
    deviceOpen = false;
    error = "could not open a loopback sound device";
    return nullptr;
  }
  std::unique_ptr<ALDevice> device(new ALDevice(raw, true));
  if (samplesPerSecond <= 0 || !supported(raw, samplesPerSecond, ALC_STEREO_SOFT, ALC_FLOAT_SOFT)) {
    error = "unsupported loopback rate " + std::to_string(samplesPerSecond);
    return nullptr;
  }
  const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT,
                               ALC_STEREO_SOFT,
                               ALC_FORMAT_TYPE_SOFT,
                               ALC_FLOAT_SOFT,
                               ALC_FREQUENCY,
                               samplesPerSecond,
                               ALC_HRTF_SOFT,
                               ALC_FALSE,
                               ALC_OUTPUT_LIMITER_SOFT,
                               ALC_FALSE,
                               0};
  if (!device->StartContext(attributes, error)) return nullptr;
  device->renderSamples_ = AlcEntry<LPALCRENDERSAMPLESSOFT>(raw, "alcRenderSamplesSOFT");
  return device;
}

ALDevice::~ALDevice() {
  if (context_ != nullptr) {
    if (alcGetCurrentContext() == context_) alcMakeContextCurrent(nullptr);
    alcDestroyContext(context_);
  }
  if (device_ != nullptr) alcCloseDevice(device_);
  deviceOpen = false;
}

bool ALDevice::StartContext(const ALCint* attributes, std::string& error) {
  context_ = alcCreateContext(device_, attributes);
  if (context_ == nullptr) {
    error = "could not create the sound context";
    return false;
  }
  if (!alcMakeContextCurrent(context_)) {
    error = "could not make the sound context current";
    return false;
  }
  alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED);
  LoadExtensions();
  return true;
}

void ALDevice::LoadExtensions() {
  if (alIsExtensionPresent("AL_SOFT_deferred_updates")) {
    deferUpdates_ = AlEntry<LPALDEFERUPDATESSOFT>("alDeferUpdatesSOFT");
    processUpdates_ = AlEntry<LPALPROCESSUPDATESSOFT>("alProcessUpdatesSOFT");
    if (deferUpdates_ == nullptr || processUpdates_ == nullptr) deferUpdates_ = nullptr;
  }
  if (alcIsExtensionPresent(device_, "ALC_SOFT_pause_device")) {
    pauseDevice_ = AlcEntry<LPALCDEVICEPAUSESOFT>(device_, "alcDevicePauseSOFT");
    resumeDevice_ = AlcEntry<LPALCDEVICERESUMESOFT>(device_, "alcDeviceResumeSOFT");
    if (pauseDevice_ == nullptr || resumeDevice_ == nullptr) pauseDevice_ = nullptr;
  }
  directChannels_ = alIsExtensionPresent("AL_SOFT_direct_channels");
}

bool ALDevice::Render(std::span<std::int16_t> interleavedStereo) {
  if (renderSamples_ == nullptr || interleavedStereo.empty() || interleavedStereo.size() % 2 != 0) {
    return false;
  }
  constexpr std::size_t kChunkFrames = 4096;
  mix_.resize(2 * kChunkFrames);
  for (std::size_t done = 0; done < interleavedStereo.size();) {
    const std::size_t frames = std::min(kChunkFrames, (interleavedStereo.size() - done) / 2);
    renderSamples_(device_, mix_.data(), static_cast<ALCsizei>(frames));
    for (std::size_t i = 0; i < 2 * frames; ++i) interleavedStereo[done + i] = ToSample16(mix_[i]);
    done += 2 * frames;
  }
  return true;
}

void ALDevice::DeferUpdates() {
  if (deferUpdates_ != nullptr) deferUpdates_();
}

void ALDevice::ProcessUpdates() {
  if (deferUpdates_ != nullptr) processUpdates_();
}

bool ALDevice::SetOutputPaused(bool paused) {
  if (loopback_ || pauseDevice_ == nullptr) return false;
  alcGetError(device_);
  (paused ? pauseDevice_ : resumeDevice_)(device_);
  return alcGetError(device_) == ALC_NO_ERROR;
}

}  // namespace platform
