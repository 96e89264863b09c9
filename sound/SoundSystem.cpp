#include "sound/SoundSystem.h"

#include <atomic>
#include <string>
#include <vector>

#include "framework/Init.h"
#include "framework/Log.h"
#include "framework/YLock.h"
#include "platform/SoundDevice.h"
#include "sound/SoundError.h"
#include "sound/YSoundResource.h"
#include "sound/YSoundSource.h"

namespace {

// Everything below is guarded by `lock`, except the atomics.
struct SoundState {
  YCriticalSection lock;
  std::unique_ptr<platform::SoundDevice> device;
  platform::ListenerParams listener;
  bool commitPending = false;
  std::vector<SoundVolumeTarget*> volumeTargets;
  std::atomic<bool> soundOn{true};
};

SoundState& State() {
  static SoundState state;
  return state;
}

// The registered resources, copied under the lock so that they can be
// called without it.
std::vector<YSoundResource*> RegistrySnapshot() {
  YLock hold(SoundLock());
  return SoundRegistry();
}

std::vector<SoundVolumeTarget*> VolumeTargetSnapshot() {
  YLock hold(SoundLock());
  return State().volumeTargets;
}

// Creates each resource on the new device; one failure is logged and the
// others go on.
void CreateResources() {
  for (YSoundResource* resource : RegistrySnapshot()) {
    try {
      resource->Create();
    } catch (const std::exception& error) {
      Log::Printf("OpenAL init error: %s", error.what());
    }
  }
}

}  // namespace

YCriticalSection& SoundLock() {
  return State().lock;
}

platform::SoundDevice* GetSoundDevice() {
  return State().device.get();
}

bool SoundOn() {
  return State().soundOn;
}
float EffectsVolume() {
  return GetInit().soundVolume;
}
float MusicVolume() {
  return GetInit().musicVolume;
}

int SoundAttenuation(float master, float own) {
  float product = master * own;
  // Out-of-range volumes (and NaN) are held between silence and full volume.
  if (!(product >= 0.0f)) product = 0.0f;
  if (product > 1.0f) product = 1.0f;
  return static_cast<int>((1.0f - product) * -5000.0f);
}

void RegisterVolumeTarget(SoundVolumeTarget* target) {
  YLock hold(SoundLock());
  State().volumeTargets.push_back(target);
}

void UnregisterVolumeTarget(SoundVolumeTarget* target) {
  YLock hold(SoundLock());
  std::erase(State().volumeTargets, target);
}

void LogSoundDriver(std::string_view description, std::string_view module) {
  Log::Printf("%.*s, %.*s", static_cast<int>(description.size()), description.data(),
              static_cast<int>(module.size()), module.data());
}

void SoundInit() {
  Log::Write("Sound Drivers:");
  for (const std::string& name : platform::SoundDevice::DriverNames()) LogSoundDriver(name, "OpenAL");
  std::string error;
  auto device = platform::SoundDevice::Open(kGameVoices, error);
  SoundInitOn(std::move(device), error);
}

void SoundInitOn(std::unique_ptr<platform::SoundDevice> device, std::string_view error) {
  bool running = false;
  {
    YLock hold(SoundLock());
    running = State().device != nullptr;
  }
  if (running) SoundShutdown();
  if (!device) {
    Log::Printf("OpenAL init error: %s", "Could not create OpenAL device.");
    if (!error.empty()) Log::Printf("OpenAL: %.*s", static_cast<int>(error.size()), error.data());
    return;
  }
  {
    YLock hold(SoundLock());
    SoundState& state = State();
    state.device = std::move(device);
    state.device->SetListener(state.listener, false);
    state.device->SetPaused(!state.soundOn);
  }
  CreateResources();
  YLock hold(SoundLock());
  State().commitPending = true;
}

void SoundShutdown() {
  Log::Write("OpenAL Release.");
  std::unique_ptr<platform::SoundDevice> closing;
  {
    // Detach the device first: from here on no resource creates new device
    // objects, while the old ones are released on the device still alive.
    YLock hold(SoundLock());
    SoundState& state = State();
    if (state.device) state.listener = state.device->Listener();
    closing = std::move(state.device);
    state.commitPending = false;
  }
  YSoundSource::ClearPending();
  std::vector<YSoundResource*> resources = RegistrySnapshot();
  // Newest first: voices go before the buffers they play.
  for (auto it = resources.rbegin(); it != resources.rend(); ++it) (*it)->Release();
  YLock hold(SoundLock());
  closing.reset();
}

void SetListenerFactor(float factor) {
  YLock hold(SoundLock());
  SoundState& state = State();
  state.listener.distanceFactor = factor;
  state.listener.rolloffFactor = factor;
  if (!state.device) return;
  state.device->SetListener(state.listener, true);
  state.commitPending = true;
}

void EnableSound(bool on) {
  State().soundOn = on;
  bool hasDevice = false;
  {
    YLock hold(SoundLock());
    if (State().device) State().device->SetPaused(!on);
    hasDevice = State().device != nullptr;
  }
  if (on && hasDevice) ReapplySoundVolumes();
}

void SetEffectsVolume(float volume) {
  GetInit().soundVolume = volume;
  YSoundSource::ApplyAllVolumes();
}

void SetMusicVolume(float volume) {
  GetInit().musicVolume = volume;
  for (SoundVolumeTarget* target : VolumeTargetSnapshot()) target->ApplyVolume();
}

void ReapplySoundVolumes() {
  YSoundSource::ApplyAllVolumes();
  for (SoundVolumeTarget* target : VolumeTargetSnapshot()) target->ApplyVolume();
}

void SetCommitPending() {
  State().commitPending = true;
}

bool TakeCommitPending() {
  bool pending = State().commitPending;
  State().commitPending = false;
  return pending;
}
