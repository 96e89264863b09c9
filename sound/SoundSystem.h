// The sound system's shared state: the device, the listener, the sound-on
// flag and the two master volumes (effects, music), with the device's start
// and stop on the window's life.
//
// Threads and locks. SoundLock() guards the device and these globals. Lock
// order, outermost first: music player lock -> stream lock -> sound lock.
// The sound lock is innermost: while holding it, never call out to a sound
// resource (Create, Release, ApplyVolume) or take another lock. Every call
// into the device or into an object made on it (platform::SoundBuffer,
// SoundVoice, StreamVoice), destroying one included, is made holding it.
// Resources are constructed and destroyed on the main thread only.
#pragma once

#include <memory>
#include <string_view>

#include "framework/YCriticalSection.h"
#include "platform/SoundTypes.h"
#include "sound/SoundEntry.h"

namespace platform {
class SoundDevice;
}

// The lock of the sound globals and the device (see above).
YCriticalSection& SoundLock();

// The device; null when there is none (before SoundInit, after a failed
// SoundInit, after SoundShutdown, while SoundShutdown runs). The pointer and
// the device are valid only while the caller holds SoundLock().
platform::SoundDevice* GetSoundDevice();

// Whether sound is on: follows the window's activation. Any thread.
bool SoundOn();
// The master volumes, 0..1: the configuration's sound and music volumes,
// read live. Any thread.
float EffectsVolume();
float MusicVolume();

// The attenuation in hundredths of a decibel for a master volume and an own
// volume: (1 - master * own) * -5000, truncated toward zero. 0 is full
// volume, -5000 silence of either factor.
int SoundAttenuation(float master, float own);

// Something whose volume follows the music volume (the music streams).
// SetMusicVolume and ReapplySoundVolumes call ApplyVolume of every
// registered target, on the calling thread (the main thread), without
// holding SoundLock: ApplyVolume takes its own lock and then SoundLock.
class SoundVolumeTarget {
 public:
  virtual void ApplyVolume() = 0;

 protected:
  ~SoundVolumeTarget() = default;
};
// Register in the constructor, unregister in the destructor (main thread).
void RegisterVolumeTarget(SoundVolumeTarget* target);
void UnregisterVolumeTarget(SoundVolumeTarget* target);

// Opens the default device and starts the sound system on it (the window
// calls it once it exists): logs the drivers, sets the listener, creates
// every registered resource. A device failure logs "OpenAL init error: %s"
// and leaves the game silent; a resource that fails logs the same line and
// the others are still created. Main thread.
void SoundInit();
// The voices SoundInit opens the device for: every named effect (up to
// kVoicedSounds of them) may play up to SoundEntry::kMaxVoices at once, all
// mono, and the music player crossfades two stereo streams. Fewer voices
// than the library's default give it a smaller pool of sources.
inline constexpr int kVoicedSounds = 20;
inline constexpr platform::VoiceCounts kGameVoices{kVoicedSounds * static_cast<int>(SoundEntry::kMaxVoices),
                                                   2};
// SoundInit on a given device (tests pass a loopback device); null = the
// device could not be opened, with `error` as the reason.
void SoundInitOn(std::unique_ptr<platform::SoundDevice> device, std::string_view error = {});
// Releases every resource (they keep what they need to be created again),
// drops pending starts and closes the device. Main thread.
void SoundShutdown();
// Logs one driver as "%s, %s" (description, module).
void LogSoundDriver(std::string_view description, std::string_view module);

// Sets the listener's distance and rolloff factors (deferred to SoundFrame).
void SetListenerFactor(float factor);
// Sound on or off with the window's activity: pauses or resumes the device,
// and re-applies every volume when switched on. Main thread.
void EnableSound(bool on);
// Set a master volume and re-apply the volumes that follow it. Main thread.
void SetEffectsVolume(float volume);
void SetMusicVolume(float volume);
// Applies the volume of every voice, then of every volume target.
void ReapplySoundVolumes();

// Marks the listener or a voice's 3D settings as changed, so SoundFrame
// commits them. Caller holds SoundLock().
void SetCommitPending();
// Takes (and clears) the commit-pending flag. Caller holds SoundLock().
bool TakeCommitPending();
