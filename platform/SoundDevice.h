// The sound device on OpenAL Soft: one device and context, a 3D listener,
// PCM buffers (SoundBuffer), voices that play a shared buffer in 3D
// (SoundVoice), and stream voices fed through a queue of buffers
// (StreamVoice). Positions, velocities and orientations are given in the
// game's left-handed coordinates (x right, y up, z into the screen) and
// converted here. Volumes are attenuations in hundredths of a decibel (0 =
// full, negative = quieter). Main thread, except that a stream voice may be
// fed from one other thread at a time.
//
// Lifetime: one device is open at a time. Every buffer, voice and stream
// made on a device must be destroyed before it. A device destroyed first
// reports the count of objects still alive on stderr and frees their OpenAL
// objects itself; the survivors stay safe to call and to destroy, and are
// silent.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "platform/SoundBuffer.h"
#include "platform/SoundStreamVoice.h"
#include "platform/SoundTypes.h"
#include "platform/SoundVoice.h"

namespace platform {

class ALDevice;

class SoundDevice {
 public:
  ~SoundDevice();
  SoundDevice(const SoundDevice&) = delete;
  SoundDevice& operator=(const SoundDevice&) = delete;

  // The names of the playback devices the system offers (for the log).
  static std::vector<std::string> DriverNames();
  // Opens the default playback device for that many voices and makes its
  // context current; null (reason in `error`) on failure or while another
  // device is open.
  static std::unique_ptr<SoundDevice> Open(const VoiceCounts& voices, std::string& error);
  // A device that renders into memory instead of a speaker (tests): 16-bit
  // stereo at `samplesPerSecond`, read with Render. Same rules as Open.
  static std::unique_ptr<SoundDevice> OpenLoopback(int samplesPerSecond, std::string& error);
  // Loopback only: renders interleavedStereo.size() / 2 stereo frames (the
  // size must be even). False, with nothing written, on any other device.
  bool Render(std::span<std::int16_t> interleavedStereo);
  // The voices the library granted the device.
  VoiceCounts VoiceLimits() const;
  // The effect sends each voice has (none on the default device).
  int EffectSends() const;

  // Sets the listener; with deferred, it takes effect at the next Commit,
  // otherwise at once. See ListenerParams for the distance model.
  void SetListener(const ListenerParams& listener, bool deferred);
  ListenerParams Listener() const { return listener_; }
  // Applies every deferred setting (listener, voice positions and
  // velocities) in one step of the mixer (AL_SOFT_deferred_updates; without
  // it, one after another), then starts every voice queued with Play, all on
  // the same sample. Call once per frame.
  void Commit();
  // Pauses or resumes all output (the window was minimised or restored).
  // Voices and streams started while paused wait silently for the resume.
  void SetPaused(bool paused);

 private:
  friend class SoundBuffer;
  friend class SoundVoice;
  friend class StreamVoice;

  explicit SoundDevice(std::unique_ptr<ALDevice> al);
  static std::unique_ptr<SoundDevice> Start(std::unique_ptr<ALDevice> al);

  // The registry of live objects (main thread).
  void AddBuffer(SoundBuffer* buffer);
  void RemoveBuffer(SoundBuffer* buffer);  // silences the voices using it
  void AddVoice(SoundVoice* voice);
  void RemoveVoice(SoundVoice* voice);
  void AddStream(StreamVoice* stream);
  void RemoveStream(StreamVoice* stream);
  // Voice starts waiting for the Commit (main thread).
  void QueueStart(SoundVoice* voice);
  void CancelStart(SoundVoice* voice);
  // Plays a source now; while paused without device pause, it is held
  // paused for the resume. Any thread.
  void StartNow(std::uint32_t source);
  bool HasDirectChannels() const;
  float AppliedRolloff() const { return appliedRolloff_; }

  void ApplyListener();
  void StartPending();
  void HoldSourcesLocked();
  void ResumeHeldLocked();
  void ForgetHeld(std::uint32_t source);

  std::unique_ptr<ALDevice> al_;
  ListenerParams listener_;
  bool listenerChanged_ = false;
  float appliedRolloff_ = 1.0f;
  Vector3f front_{0, 0, 1}, top_{0, 1, 0};  // the last valid orientation
  std::vector<SoundVoice*> pendingStarts_;
  std::vector<SoundBuffer*> buffers_;
  std::vector<SoundVoice*> voices_;
  std::vector<StreamVoice*> streams_;
  // Guards the pause state against stream starts from a feeder thread.
  std::mutex pauseMutex_;
  bool paused_ = false;
  bool holdingSources_ = false;  // paused by pausing sources
  std::vector<std::uint32_t> held_;
};

}  // namespace platform
