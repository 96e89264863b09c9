#include "sound/YSoundSource.h"

#include <vector>

#include "framework/YLock.h"
#include "platform/SoundDevice.h"
#include "sound/SoundError.h"
#include "sound/SoundSystem.h"
#include "sound/YSoundBuffer.h"

namespace {

// Every voice in creation order, and the voices waiting for SoundFrame.
// Both guarded by SoundLock(); never destroyed, so that voices living until
// exit can leave them whatever the order of static destruction.
std::vector<YSoundSource*>& Voices() {
  static auto* voices = new std::vector<YSoundSource*>;
  return *voices;
}

std::vector<YSoundSource*>& PendingStarts() {
  static auto* pending = new std::vector<YSoundSource*>;
  return *pending;
}

platform::Vector3f ToDevice(const YVector3& v) { return {v.x, v.y, v.z}; }

}  // namespace

YSoundSource::YSoundSource(YSoundBuffer& source) : source_(&source) {
  Create();  // a failure here leaves no trace in the lists
  YLock hold(SoundLock());
  Voices().push_back(this);
}

YSoundSource::~YSoundSource() {
  YLock hold(SoundLock());
  std::erase(Voices(), this);
  Release();
}

void YSoundSource::Create() {
  YLock hold(SoundLock());
  platform::SoundDevice* device = GetSoundDevice();
  if (!device || voice_) return;
  const platform::SoundBuffer* buffer = source_->DeviceBufferForVoice();
  if (!buffer) return;
  std::string error;
  voice_ = platform::SoundVoice::Create(*device, *buffer, error);
  if (!voice_) throw SoundError("Could create SoundSource");
  ApplyVolume();
}

void YSoundSource::Release() {
  YLock hold(SoundLock());
  if (pending_) std::erase(PendingStarts(), this);
  pending_ = false;
  voice_.reset();
}

bool YSoundSource::HasVoice() const {
  YLock hold(SoundLock());
  return voice_ != nullptr;
}

void YSoundSource::SetPosition(const YVector3& position) {
  YLock hold(SoundLock());
  if (voice_) voice_->SetPosition(ToDevice(position));
  SetCommitPending();
}

void YSoundSource::SetVelocity(const YVector3& velocity) {
  YLock hold(SoundLock());
  if (voice_) voice_->SetVelocity(ToDevice(velocity));
  SetCommitPending();
}

void YSoundSource::SetVolume(float volume) {
  volume_ = volume;
  ApplyVolume();
}

void YSoundSource::ApplyVolume() {
  YLock hold(SoundLock());
  if (voice_) voice_->SetVolume(SoundAttenuation(EffectsVolume(), volume_));
}

void YSoundSource::Play(bool loop) {
  YLock hold(SoundLock());
  if (!voice_) return;
  loop_ = loop;
  if (!pending_) PendingStarts().push_back(this);
  pending_ = true;
}

void YSoundSource::StartPending() {
  YLock hold(SoundLock());
  if (voice_) voice_->Play(loop_);
  pending_ = false;
}

bool YSoundSource::IsPlaying() const {
  YLock hold(SoundLock());
  if (pending_) return true;
  return voice_ && voice_->IsPlaying();
}

void YSoundSource::ApplyAllVolumes() {
  std::vector<YSoundSource*> voices;
  {
    YLock hold(SoundLock());
    voices = Voices();
  }
  for (YSoundSource* voice : voices) voice->ApplyVolume();
}

void YSoundSource::ClearPending() {
  YLock hold(SoundLock());
  for (YSoundSource* voice : PendingStarts()) voice->pending_ = false;
  PendingStarts().clear();
}

void SoundFrame() {
  YLock hold(SoundLock());
  platform::SoundDevice* device = GetSoundDevice();
  if (!device) return;
  std::vector<YSoundSource*> starting;
  starting.swap(PendingStarts());
  for (YSoundSource* voice : starting) voice->StartPending();
  // The device starts what was queued with Play at its Commit, together
  // with the 3D settings of this frame.
  if (TakeCommitPending() || !starting.empty()) device->Commit();
}
