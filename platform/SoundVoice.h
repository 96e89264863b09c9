// One playing copy of a sound buffer with its own 3D position, velocity and
// volume: an OpenAL source on the shared buffer. Main thread. Destroy it
// before its device (it falls silent if its buffer goes first).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/ALObject.h"
#include "platform/SoundTypes.h"

namespace platform {

class SoundBuffer;
class SoundDevice;

// Its 3D settings take effect at the device's next Commit; Play queues the
// start for that Commit too, so everything a frame asks for starts together.
// A mono buffer is placed in 3D; a stereo one plays its channels as they are
// (only the distance attenuates it). The volume applies at once.
class SoundVoice {
 public:
  ~SoundVoice();
  SoundVoice(const SoundVoice&) = delete;
  SoundVoice& operator=(const SoundVoice&) = delete;
  // Null (reason in `error`) when the buffer belongs to another device or
  // the library gives no source.
  static std::unique_ptr<SoundVoice> Create(SoundDevice& device, const SoundBuffer& buffer,
                                            std::string& error);
  // In the game's left-handed coordinates; applied at the next Commit.
  void SetPosition(const Vector3f& position);
  void SetVelocity(const Vector3f& velocity);
  // Hundredths of a dB, 0 = full (see GainFromHundredthsDb); at once.
  void SetVolume(int hundredthsDb);
  // Starts from the beginning at the next Commit (looping when asked); a
  // second Play before the Commit only updates the loop flag.
  void Play(bool loop);
  // Stops now, and cancels a start waiting for the Commit.
  void Stop();
  // True while playing (or paused with the device), and while a start waits
  // for the Commit.
  bool IsPlaying() const;

 private:
  friend class SoundDevice;
  SoundVoice(SoundDevice& device, const SoundBuffer& buffer, ALObject source);
  // Commit: sends position and velocity when they changed.
  void ApplySpatial();
  void ApplyRolloff(float rolloff);
  // Its buffer is going: stop and let go of it.
  void LoseBuffer();
  // The device is closing first (misuse): drop the source now.
  void Orphan();

  SoundDevice* device_;
  const SoundBuffer* buffer_;
  ALObject source_;
  Vector3f position_, velocity_;
  bool spatialChanged_ = false;
  bool pending_ = false;
  bool loop_ = false;
};

}  // namespace platform
