#include "platform/SoundDevice.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/ALDevice.h"

namespace platform {
namespace {

constexpr float kSpeedOfSoundMetres = 343.3f;

// The game is left-handed, OpenAL right-handed: z changes sign.
void SetListenerVector(ALenum parameter, const Vector3f& v) {
  alListener3f(parameter, v.x, v.y, -v.z);
}

float Length(const Vector3f& v) {
  return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

bool UsableOrientation(const Vector3f& front, const Vector3f& top) {
  const Vector3f cross{front.y * top.z - front.z * top.y, front.z * top.x - front.x * top.z,
                       front.x * top.y - front.y * top.x};
  const float lengths = Length(front) * Length(top);
  return std::isfinite(lengths) && lengths > 1e-12f && Length(cross) > 1e-6f * lengths;
}

float ClampedFactor(float value, float fallback) {
  if (!std::isfinite(value)) return fallback;
  return std::clamp(value, 0.0f, 10.0f);
}

std::vector<std::string> SplitNameList(const ALCchar* list) {
  std::vector<std::string> names;
  while (list != nullptr && *list != '\0') {
    names.emplace_back(list);
    list += names.back().size() + 1;
  }
  return names;
}

template <typename T>
void Erase(std::vector<T>& items, const T& item) {
  items.erase(std::remove(items.begin(), items.end(), item), items.end());
}

}  // namespace

SoundDevice::SoundDevice(std::unique_ptr<ALDevice> al) : al_(std::move(al)) {}

SoundDevice::~SoundDevice() {
  const std::size_t alive = buffers_.size() + voices_.size() + streams_.size();
  if (alive > 0) {
    std::fprintf(stderr, "Sound device closed with %zu sound objects still alive; they fall silent.\n",
                 alive);
  }
  // Sources before buffers: a buffer cannot go while a source holds it.
  for (StreamVoice* stream : streams_) stream->Orphan();
  for (SoundVoice* voice : voices_) voice->Orphan();
  for (SoundBuffer* buffer : buffers_) buffer->Orphan();
  al_.reset();
}

std::vector<std::string> SoundDevice::DriverNames() {
  if (alcIsExtensionPresent(nullptr, "ALC_ENUMERATE_ALL_EXT")) {
    return SplitNameList(alcGetString(nullptr, ALC_ALL_DEVICES_SPECIFIER));
  }
  return SplitNameList(alcGetString(nullptr, ALC_DEVICE_SPECIFIER));
}

std::unique_ptr<SoundDevice> SoundDevice::Open(const VoiceCounts& voices, std::string& error) {
  std::unique_ptr<ALDevice> al = ALDevice::OpenDefault(voices, error);
  return al ? Start(std::move(al)) : nullptr;
}

std::unique_ptr<SoundDevice> SoundDevice::OpenLoopback(int samplesPerSecond, std::string& error) {
  std::unique_ptr<ALDevice> al = ALDevice::OpenLoopback(samplesPerSecond, error);
  return al ? Start(std::move(al)) : nullptr;
}

VoiceCounts SoundDevice::VoiceLimits() const {
  return al_->VoiceLimits();
}

int SoundDevice::EffectSends() const {
  return al_->EffectSends();
}

std::unique_ptr<SoundDevice> SoundDevice::Start(std::unique_ptr<ALDevice> al) {
  std::unique_ptr<SoundDevice> device(new SoundDevice(std::move(al)));
  device->ApplyListener();
  return device;
}

bool SoundDevice::Render(std::span<std::int16_t> interleavedStereo) {
  return al_->IsLoopback() && al_->Render(interleavedStereo);
}

void SoundDevice::SetListener(const ListenerParams& listener, bool deferred) {
  listener_ = listener;
  listenerChanged_ = deferred;
  if (!deferred) ApplyListener();
}

void SoundDevice::Commit() {
  al_->DeferUpdates();
  if (listenerChanged_) ApplyListener();
  listenerChanged_ = false;
  for (SoundVoice* voice : voices_) voice->ApplySpatial();
  al_->ProcessUpdates();
  // After the settings, so no new voice sounds with the old ones; the
  // starts themselves happen in one call, on the same sample.
  StartPending();
}

void SoundDevice::SetPaused(bool paused) {
  std::lock_guard lock(pauseMutex_);
  if (paused == paused_) return;
  paused_ = paused;
  if (paused) {
    if (al_->SetOutputPaused(true)) return;
    holdingSources_ = true;
    HoldSourcesLocked();
  } else if (holdingSources_) {
    holdingSources_ = false;
    ResumeHeldLocked();
  } else {
    al_->SetOutputPaused(false);
  }
}

void SoundDevice::ApplyListener() {
  const ListenerParams& l = listener_;
  SetListenerVector(AL_POSITION, l.position);
  SetListenerVector(AL_VELOCITY, l.velocity);
  if (UsableOrientation(l.front, l.top)) {
    front_ = l.front;
    top_ = l.top;
  }
  const ALfloat orientation[6] = {front_.x, front_.y, -front_.z, top_.x, top_.y, -top_.z};
  alListenerfv(AL_ORIENTATION, orientation);
  const bool distanceUsable = std::isfinite(l.distanceFactor) && l.distanceFactor > 0.0f;
  // Velocities are in game units per second; so is the speed of sound.
  const float speed = kSpeedOfSoundMetres / (distanceUsable ? l.distanceFactor : 1.0f);
  if (std::isfinite(speed) && speed > 0.0f) alSpeedOfSound(speed);
  alDopplerFactor(ClampedFactor(l.dopplerFactor, 1.0f));
  const float rolloff = ClampedFactor(l.rolloffFactor, 1.0f);
  if (rolloff == appliedRolloff_) return;
  appliedRolloff_ = rolloff;
  for (SoundVoice* voice : voices_) voice->ApplyRolloff(rolloff);
}

void SoundDevice::StartPending() {
  std::vector<ALuint> sources;
  for (SoundVoice* voice : pendingStarts_) {
    voice->pending_ = false;
    if (!voice->source_ || voice->buffer_ == nullptr) continue;
    alSourcei(voice->source_.Name(), AL_LOOPING, voice->loop_ ? AL_TRUE : AL_FALSE);
    sources.push_back(voice->source_.Name());
  }
  pendingStarts_.clear();
  if (sources.empty()) return;
  std::lock_guard lock(pauseMutex_);
  alSourcePlayv(static_cast<ALsizei>(sources.size()), sources.data());
  if (!holdingSources_) return;
  alSourcePausev(static_cast<ALsizei>(sources.size()), sources.data());
  held_.insert(held_.end(), sources.begin(), sources.end());
}

void SoundDevice::StartNow(std::uint32_t source) {
  std::lock_guard lock(pauseMutex_);
  alSourcePlay(source);
  if (!holdingSources_) return;
  alSourcePause(source);
  if (std::find(held_.begin(), held_.end(), source) == held_.end()) held_.push_back(source);
}

void SoundDevice::HoldSourcesLocked() {
  std::vector<ALuint> sources;
  for (SoundVoice* voice : voices_) sources.push_back(voice->source_.Name());
  for (StreamVoice* stream : streams_) sources.push_back(stream->source_.Name());
  for (ALuint source : sources) {
    ALint state = AL_STOPPED;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    if (state != AL_PLAYING) continue;
    alSourcePause(source);
    held_.push_back(source);
  }
}

void SoundDevice::ResumeHeldLocked() {
  // Only what is still paused: a source stopped meanwhile stays stopped.
  std::vector<ALuint> sources;
  for (ALuint source : held_) {
    ALint state = AL_STOPPED;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    if (state == AL_PAUSED) sources.push_back(source);
  }
  held_.clear();
  if (!sources.empty()) alSourcePlayv(static_cast<ALsizei>(sources.size()), sources.data());
}

void SoundDevice::ForgetHeld(std::uint32_t source) {
  std::lock_guard lock(pauseMutex_);
  Erase(held_, source);
}

void SoundDevice::AddBuffer(SoundBuffer* buffer) {
  buffers_.push_back(buffer);
}

void SoundDevice::RemoveBuffer(SoundBuffer* buffer) {
  Erase(buffers_, buffer);
  for (SoundVoice* voice : voices_) {
    if (voice->buffer_ == buffer) voice->LoseBuffer();
  }
}

void SoundDevice::AddVoice(SoundVoice* voice) {
  voices_.push_back(voice);
}

void SoundDevice::RemoveVoice(SoundVoice* voice) {
  Erase(voices_, voice);
  Erase(pendingStarts_, voice);
  ForgetHeld(voice->source_.Name());
}

void SoundDevice::AddStream(StreamVoice* stream) {
  streams_.push_back(stream);
}

void SoundDevice::RemoveStream(StreamVoice* stream) {
  Erase(streams_, stream);
  ForgetHeld(stream->source_.Name());
}

void SoundDevice::QueueStart(SoundVoice* voice) {
  pendingStarts_.push_back(voice);
}

void SoundDevice::CancelStart(SoundVoice* voice) {
  Erase(pendingStarts_, voice);
}

bool SoundDevice::HasDirectChannels() const {
  return al_->HasDirectChannels();
}

}  // namespace platform
