#include "sound/YSoundStream.h"

#include <algorithm>
#include <chrono>
#include <exception>
#include <span>

#include "framework/FileAlerts.h"
#include "framework/Log.h"
#include "framework/YLock.h"
#include "platform/SoundDevice.h"
#include "sound/SoundError.h"
#include "sound/YSoundStreamEvent.h"

YSoundStream::YSoundStream(std::size_t size)
    : block_(std::max<std::size_t>(size / kBlockCount / 4 * 4, 4)),
      opener_(OpenOggStreamSource) {
  RegisterVolumeTarget(this);
  refiller_.Start(std::chrono::milliseconds(kRefillIntervalMs), [this] { ThreadProc(); });
}

YSoundStream::~YSoundStream() {
  refiller_.Stop();
  UnregisterVolumeTarget(this);
  YLock hold(lock_);
  CloseFile();
  Release();
}

void YSoundStream::SetListener(YSoundStreamEvent* listener) {
  YLock hold(lock_);
  listener_ = listener;
}

void YSoundStream::SetSourceOpener(StreamSourceOpener opener) {
  YLock hold(lock_);
  opener_ = opener ? std::move(opener) : StreamSourceOpener(OpenOggStreamSource);
}

void YSoundStream::Open(const std::string& fileName) {
  YLock hold(lock_);
  CloseFile();
  source_ = opener_(fileName);
  fileName_ = fileName;
  if (voice_) {
    Refill();
  } else {
    Create();
  }
}

void YSoundStream::Create() {
  YLock hold(lock_);
  if (!source_ || voice_) return;
  std::string error;
  {
    YLock sound(SoundLock());
    platform::SoundDevice* device = GetSoundDevice();
    if (!device) return;
    voice_ = platform::StreamVoice::Create(*device, kBlockCount, error);
  }
  if (!voice_) throw SoundError("OpenAL stream voice error: " + error);
  ApplyVolume();
  // Feeds the new voice and, when the stream was playing, starts it again.
  Refill();
}

void YSoundStream::Release() {
  YLock hold(lock_);
  YLock sound(SoundLock());
  voice_.reset();
}

void YSoundStream::Play(bool loop) {
  YLock hold(lock_);
  if (!voice_ || endReported_) return;
  // A file opened for playing once may have been read to its end ahead of
  // time; looping carries on from its start.
  if (loop && !loop_ && sourceEnded_ && !sourceFailed_) sourceEnded_ = false;
  loop_ = loop;
  playing_ = true;
  Refill();
}

void YSoundStream::Stop() {
  YLock hold(lock_);
  StopLocked();
}

void YSoundStream::SetVolume(float volume) {
  YLock hold(lock_);
  volume_ = volume;
  ApplyVolume();
}

void YSoundStream::ApplyVolume() {
  YLock hold(lock_);
  if (!voice_) return;
  int attenuation = SoundAttenuation(MusicVolume(), volume_);
  YLock sound(SoundLock());
  voice_->SetVolume(attenuation);
}

void YSoundStream::Refill() {
  YLock hold(lock_);
  if (!source_ || !voice_) return;
  try {
    FeedFreeBlocks();
  } catch (const std::exception& error) {
    Log::Printf("SoundStream error: %s", error.what());
    FileAlerts::NeededFileFailed(fileName_);  // a damaged file: its track ends here
    sourceEnded_ = sourceFailed_ = true;
  }
  if (playing_) PlayVoiceLocked();
  ReportDrained();
}

bool YSoundStream::IsPlaying() const {
  YLock hold(lock_);
  return playing_;
}

float YSoundStream::Volume() const {
  YLock hold(lock_);
  return volume_;
}

std::string YSoundStream::FileName() const {
  YLock hold(lock_);
  return fileName_;
}

void YSoundStream::ThreadProc() { Refill(); }

// Stops playback and forgets the file; the caller holds the lock.
void YSoundStream::CloseFile() {
  StopLocked();
  source_.reset();
  fileName_.clear();
  loop_ = false;
  sourceEnded_ = sourceFailed_ = false;
  endReported_ = false;
}

void YSoundStream::StopLocked() {
  playing_ = false;
  if (!voice_) return;
  YLock sound(SoundLock());
  voice_->Stop();
}

// Starts the voice when it holds data and is silent: at Play, and again
// after it ran dry because feeding fell behind.
void YSoundStream::PlayVoiceLocked() {
  YLock sound(SoundLock());
  if (!voice_->IsPlaying() && voice_->QueuedBlocks() > 0) voice_->Play();
}

// Decodes into each free block of the voice and queues it, until the file
// is read to its end (files played once).
void YSoundStream::FeedFreeBlocks() {
  const platform::PcmFormat format = source_->Format();
  const std::size_t frame = static_cast<std::size_t>(std::max(format.BlockAlign(), 1));
  for (;;) {
    if (sourceEnded_) return;
    {
      YLock sound(SoundLock());
      if (voice_->FreeBlocks() == 0) return;
    }
    std::size_t bytes = ReadBlock();
    bytes -= bytes % frame;
    if (bytes == 0) return;
    YLock sound(SoundLock());
    if (!voice_->QueueBlock(format, std::span<const std::uint8_t>(block_.data(), bytes)))
      throw SoundError("OpenAL stream block refused");
  }
}

// Fills the block from the file; a looping file starts again at its end, so
// the block runs on across the seam. Returns the bytes filled: fewer than a
// block only when the file (played once, or empty) has ended.
std::size_t YSoundStream::ReadBlock() {
  std::size_t filled = 0;
  bool justRewound = false;
  while (filled < block_.size()) {
    std::size_t got = source_->Read(std::span<std::uint8_t>(block_).subspan(filled));
    filled += got;
    if (filled == block_.size()) break;
    if (!loop_ || (got == 0 && justRewound)) {
      sourceEnded_ = true;
      break;
    }
    source_->Rewind();
    justRewound = true;
  }
  return filled;
}

// Once a file played once is read to its end and the voice has sounded all
// of it, the stream stops and tells its listener, once.
void YSoundStream::ReportDrained() {
  if (!playing_ || !sourceEnded_ || endReported_) return;
  {
    YLock sound(SoundLock());
    if (voice_->QueuedBlocks() > 0 || voice_->IsPlaying()) return;
  }
  endReported_ = true;
  StopLocked();
  if (listener_) listener_->OnStreamEnd(*this);
}
