#include "platform/SoundStreamVoice.h"

#include <AL/al.h>
#include <AL/alext.h>

#include <algorithm>

#include "platform/ALPcm.h"
#include "platform/SoundDevice.h"

namespace platform {

StreamVoice::StreamVoice(SoundDevice& device, ALObject source, std::vector<ALObject> buffers)
    : device_(&device),
      blockCount_(static_cast<int>(buffers.size())),
      buffers_(std::move(buffers)),
      source_(std::move(source)) {
  for (const ALObject& buffer : buffers_) free_.push_back(buffer.Name());
}

std::unique_ptr<StreamVoice> StreamVoice::Create(SoundDevice& device, int blockCount, std::string& error) {
  if (blockCount < 1 || blockCount > kMaxBlocks) {
    error =
        "a stream needs 1 to " + std::to_string(kMaxBlocks) + " blocks, not " + std::to_string(blockCount);
    return nullptr;
  }
  std::vector<ALObject> buffers;
  for (int i = 0; i < blockCount; ++i) {
    buffers.push_back(ALObject::Generate(ALObject::Kind::Buffer));
    if (!buffers.back()) {
      error = "the sound library gave no buffer";
      return nullptr;
    }
  }
  ALObject source = ALObject::Generate(ALObject::Kind::Source);
  if (!source) {
    error = "the sound library gave no source";
    return nullptr;
  }
  // Centred on the listener, never attenuated by distance, channels as given.
  alSourcei(source.Name(), AL_SOURCE_RELATIVE, AL_TRUE);
  alSourcef(source.Name(), AL_ROLLOFF_FACTOR, 0.0f);
  if (device.HasDirectChannels()) alSourcei(source.Name(), AL_DIRECT_CHANNELS_SOFT, AL_TRUE);
  std::unique_ptr<StreamVoice> stream(new StreamVoice(device, std::move(source), std::move(buffers)));
  device.AddStream(stream.get());
  return stream;
}

StreamVoice::~StreamVoice() {
  std::lock_guard lock(mutex_);
  if (device_ != nullptr) device_->RemoveStream(this);
  source_.Reset();
  buffers_.clear();
}

int StreamVoice::FreeBlocks() {
  std::lock_guard lock(mutex_);
  ReclaimLocked();
  return static_cast<int>(free_.size());
}

bool StreamVoice::QueueBlock(const PcmFormat& format, std::span<const std::uint8_t> pcm) {
  std::string error;
  if (!CheckPcm(format, pcm, error)) return false;
  std::lock_guard lock(mutex_);
  const ALuint source = SourceLocked();
  if (source == 0) return false;
  ReclaimLocked();
  if (free_.empty() || (queued_ > 0 && format.samplesPerSecond != queueRate_)) return false;
  ALuint buffer = free_.back();
  if (!UploadPcmAsStereo16(buffer, format, pcm, scratch_)) return false;
  alSourceQueueBuffers(source, 1, &buffer);
  ALint queued = 0;
  alGetSourcei(source, AL_BUFFERS_QUEUED, &queued);
  if (queued != queued_ + 1) return false;
  free_.pop_back();
  const int before = queued_++;
  queueRate_ = format.samplesPerSecond;
  // A stopped source (it ran dry) counts every queued block as played, this
  // one too: the blocks before it were, this one was not. Rewound, with only
  // this block queued, it counts it as unplayed.
  ALint state = AL_PLAYING;
  alGetSourcei(source, AL_SOURCE_STATE, &state);
  if (state == AL_STOPPED) {
    UnqueueLocked(before);
    alSourceRewind(source);
  }
  return true;
}

int StreamVoice::QueuedBlocks() {
  std::lock_guard lock(mutex_);
  ReclaimLocked();
  return queued_;
}

void StreamVoice::SetVolume(int hundredthsDb) {
  std::lock_guard lock(mutex_);
  if (const ALuint source = SourceLocked()) alSourcef(source, AL_GAIN, GainFromHundredthsDb(hundredthsDb));
}

void StreamVoice::Play() {
  std::lock_guard lock(mutex_);
  const ALuint source = SourceLocked();
  if (source == 0) return;
  ALint state = AL_STOPPED;
  alGetSourcei(source, AL_SOURCE_STATE, &state);
  if (state == AL_PLAYING || state == AL_PAUSED) return;
  ReclaimLocked();
  if (queued_ > 0) device_->StartNow(source);
}

void StreamVoice::Stop() {
  std::lock_guard lock(mutex_);
  const ALuint source = SourceLocked();
  if (source == 0) return;
  alSourceStop(source);
  alSourcei(source, AL_BUFFER, 0);  // a stopped source lets its whole queue go
  alSourceRewind(source);
  free_.clear();
  for (const ALObject& buffer : buffers_) free_.push_back(buffer.Name());
  queued_ = 0;
}

bool StreamVoice::IsPlaying() const {
  std::lock_guard lock(mutex_);
  const ALuint source = SourceLocked();
  if (source == 0) return false;
  ALint state = AL_STOPPED;
  alGetSourcei(source, AL_SOURCE_STATE, &state);
  return state == AL_PLAYING || state == AL_PAUSED;
}

void StreamVoice::ReclaimLocked() {
  const ALuint source = SourceLocked();
  if (source == 0 || queued_ == 0) return;
  ALint processed = 0;  // all of them once it ran dry
  alGetSourcei(source, AL_BUFFERS_PROCESSED, &processed);
  UnqueueLocked(processed);
}

void StreamVoice::UnqueueLocked(int count) {
  if (count <= 0) return;
  count = std::min(count, queued_);
  std::vector<ALuint> names(static_cast<std::size_t>(count));
  alSourceUnqueueBuffers(source_.Name(), count, names.data());
  for (ALuint name : names) {
    if (name != 0) free_.push_back(name);
  }
  queued_ -= count;
}

std::uint32_t StreamVoice::SourceLocked() const {
  return device_ != nullptr ? source_.Name() : 0;
}

void StreamVoice::Orphan() {
  std::lock_guard lock(mutex_);
  source_.Reset();
  buffers_.clear();
  free_.clear();
  queued_ = 0;
  device_ = nullptr;
}

}  // namespace platform
