#include "platform/SoundVoice.h"

#include <AL/al.h>
#include <AL/alext.h>

#include "platform/SoundBuffer.h"
#include "platform/SoundDevice.h"

namespace platform {

SoundVoice::SoundVoice(SoundDevice& device, const SoundBuffer& buffer, ALObject source)
    : device_(&device), buffer_(&buffer), source_(std::move(source)) {}

std::unique_ptr<SoundVoice> SoundVoice::Create(SoundDevice& device, const SoundBuffer& buffer,
                                               std::string& error) {
  if (buffer.device_ != &device || !buffer.buffer_) {
    error = "the sound buffer belongs to another device";
    return nullptr;
  }
  ALObject source = ALObject::Generate(ALObject::Kind::Source);
  if (!source) {
    error = "the sound library gave no source";
    return nullptr;
  }
  const ALuint name = source.Name();
  alSourcei(name, AL_BUFFER, static_cast<ALint>(buffer.Handle()));
  alSourcef(name, AL_REFERENCE_DISTANCE, 1.0f);
  if (buffer.Format().channels == 2 && device.HasDirectChannels()) {
    alSourcei(name, AL_DIRECT_CHANNELS_SOFT, AL_TRUE);
  }
  std::unique_ptr<SoundVoice> voice(new SoundVoice(device, buffer, std::move(source)));
  voice->ApplyRolloff(device.AppliedRolloff());
  device.AddVoice(voice.get());
  return voice;
}

SoundVoice::~SoundVoice() {
  if (device_ != nullptr) device_->RemoveVoice(this);
  source_.Reset();
}

void SoundVoice::SetPosition(const Vector3f& position) {
  position_ = position;
  spatialChanged_ = true;
}

void SoundVoice::SetVelocity(const Vector3f& velocity) {
  velocity_ = velocity;
  spatialChanged_ = true;
}

void SoundVoice::SetVolume(int hundredthsDb) {
  if (!source_) return;
  alSourcef(source_.Name(), AL_GAIN, GainFromHundredthsDb(hundredthsDb));
}

void SoundVoice::Play(bool loop) {
  if (device_ == nullptr || buffer_ == nullptr) return;
  loop_ = loop;
  if (pending_) return;
  pending_ = true;
  device_->QueueStart(this);
}

void SoundVoice::Stop() {
  if (pending_) {
    pending_ = false;
    device_->CancelStart(this);
  }
  if (source_) alSourceStop(source_.Name());
}

bool SoundVoice::IsPlaying() const {
  if (pending_) return true;
  if (!source_) return false;
  ALint state = AL_STOPPED;
  alGetSourcei(source_.Name(), AL_SOURCE_STATE, &state);
  return state == AL_PLAYING || state == AL_PAUSED;
}

void SoundVoice::ApplySpatial() {
  if (!spatialChanged_ || !source_) return;
  spatialChanged_ = false;
  // The game is left-handed, OpenAL right-handed: z changes sign.
  alSource3f(source_.Name(), AL_POSITION, position_.x, position_.y, -position_.z);
  alSource3f(source_.Name(), AL_VELOCITY, velocity_.x, velocity_.y, -velocity_.z);
}

void SoundVoice::ApplyRolloff(float rolloff) {
  if (source_) alSourcef(source_.Name(), AL_ROLLOFF_FACTOR, rolloff);
}

void SoundVoice::LoseBuffer() {
  Stop();
  if (source_) alSourcei(source_.Name(), AL_BUFFER, 0);
  buffer_ = nullptr;
}

void SoundVoice::Orphan() {
  pending_ = false;
  source_.Reset();
  buffer_ = nullptr;
  device_ = nullptr;
}

}  // namespace platform
