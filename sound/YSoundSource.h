// A voice: one playing copy of a sound buffer with its own 3D position,
// velocity and volume. Voices are made lazily by the named sounds
// (SoundEntry) and keep their settings across SoundShutdown / SoundInit.
// Starts are queued and all begin together at the next SoundFrame.
// Main thread only.
#pragma once

#include <memory>

#include "framework/YVector3.h"
#include "sound/YSoundResource.h"

namespace platform {
class SoundVoice;
}
class YSoundBuffer;

class YSoundSource : public YSoundResource {
 public:
  // A voice on `source` (not owned; it must outlive the voice). Creates its
  // device voice at once when a device exists; raises SoundError ("Could
  // create SoundSource") when that fails.
  explicit YSoundSource(YSoundBuffer& source);
  ~YSoundSource() override;

  // Makes the device voice (and the source's device buffer when it has
  // none yet) when this voice has none; raises SoundError("Could create
  // SoundSource").
  void Create() override;
  void Release() override;

  // 3D settings; they take effect at the next SoundFrame.
  void SetPosition(const YVector3& position);
  void SetVelocity(const YVector3& velocity);
  // Own volume 0..1, combined with the effects volume.
  void SetVolume(float volume);
  void ApplyVolume();
  // Queues a start for the next SoundFrame; nothing without a device voice.
  void Play(bool loop);
  // Starts the device voice (SoundFrame calls it for each queued voice).
  void StartPending();
  // True while queued or sounding.
  bool IsPlaying() const;

  YSoundBuffer& Source() const { return *source_; }
  float Volume() const { return volume_; }
  bool HasVoice() const;

  // Applies the volume of every voice again (effects volume changed).
  static void ApplyAllVolumes();
  // Forgets every queued start (the device goes away).
  static void ClearPending();

 private:
  std::unique_ptr<platform::SoundVoice> voice_;
  float volume_ = 1.0f;
  bool loop_ = false;
  bool pending_ = false;
  YSoundBuffer* source_;
};

// Once per frame: commits the listener's and the voices' 3D settings and
// starts every queued voice, all at once. Nothing without a device.
void SoundFrame();
