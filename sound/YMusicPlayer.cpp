#include "sound/YMusicPlayer.h"

#include <algorithm>
#include <chrono>
#include <exception>

#include "framework/FileAlerts.h"
#include "framework/FileUtils.h"
#include "framework/Log.h"
#include "framework/YLock.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "sound/SoundSystem.h"

YMusicPlayer::YMusicPlayer() : YMusicPlayer(Options{}) {}

YMusicPlayer::YMusicPlayer(Options options)
    : clock_(options.clock ? std::move(options.clock) : Clock(platform::SystemTimeMs)) {
  YLock hold(lock_);
  for (YSoundStream& stream : slots_) {
    stream.SetSourceOpener(options.opener);
    stream.SetVolume(0.0f);
    stream.SetListener(this);
  }
  if (options.pollingThread) polling_.Start(std::chrono::milliseconds(kPollMs), [this] { ThreadProc(); });
}

YMusicPlayer::~YMusicPlayer() {
  StopPolling();
  YLock hold(lock_);
  for (YSoundStream& stream : slots_) {
    stream.SetListener(nullptr);
    stream.SetVolume(0.0f);
  }
}

void YMusicPlayer::ScanFolder(std::string_view folder) {
  YLock hold(lock_);
  const std::string name(folder);
  if (!PathExists(name, true)) {
    Log::Printf("Music folder %s is missing", name.c_str());
    return;
  }
  // Only plain files: a named pipe or a folder called "*.ogg" cannot be
  // played, and opening a pipe would wait for ever.
  const std::string prefix = name + "\\";
  for (const platform::FoundEntry& entry : platform::FindFiles(prefix + "*.ogg"))
    if (entry.isRegular) playlist_.push_back(prefix + entry.name);
}

void YMusicPlayer::SelectTrack(int index, float fadeSeconds) {
  SelectTrackAt(index, -1, fadeSeconds);
}

void YMusicPlayer::SelectTrackAt(int index, int followUp, float fadeSeconds) {
  YLock hold(lock_);
  const int count = static_cast<int>(playlist_.size());
  if (index == current_ || index < 0 || index >= count) return;
  if (followUp < -1 || followUp >= count) return;
  requested_ = index;
  followUp_ = followUp;
  fadeTime_ = std::max(fadeSeconds, 0.0f);
}

void YMusicPlayer::OnStreamEnd(YSoundStream& stream) {
  // Runs with the stream's lock held: the player's lock would come second
  // here, so the end is only flagged.
  stream.Stop();
  stream.SetVolume(0.0f);
  for (int slot = 0; slot < 2; ++slot) {
    if (&stream == &slots_[slot]) ended_[slot] = true;
  }
}

void YMusicPlayer::Tick() {
  YLock hold(lock_);
  if (!SoundReady()) return;
  std::optional<float> dt = TakeTimeStep();
  if (!dt) return;
  AdvanceFade(0, *dt);
  AdvanceFade(1, *dt);
  TakeStreamEnds();
  if (playlist_.empty()) return;
  StartRequest();
}

std::vector<std::string> YMusicPlayer::Playlist() const {
  YLock hold(lock_);
  return playlist_;
}

int YMusicPlayer::CurrentTrack() const {
  YLock hold(lock_);
  return current_;
}

void YMusicPlayer::ThreadProc() { Tick(); }

void YMusicPlayer::StopPolling() { polling_.Stop(); }

bool YMusicPlayer::SoundReady() const {
  if (!SoundOn()) return false;
  YLock sound(SoundLock());
  return GetSoundDevice() != nullptr;
}

// The seconds since the last step that ran (0.05 for the first); none when
// less than 0.05 s passed. The clock wraps at 2^32 ms.
std::optional<float> YMusicPlayer::TakeTimeStep() {
  const std::uint32_t now = clock_();
  float dt = 0.05f;
  if (lastTick_) {
    dt = static_cast<float>(now - *lastTick_) / 1000.0f;
    if (dt < 0.05f) return std::nullopt;
  }
  lastTick_ = now;
  return dt;
}

// Moves a slot's fade on by dt: a fade-in rises linearly to full volume, a
// fade-out falls linearly to silence and stops the stream.
void YMusicPlayer::AdvanceFade(int slot, float dt) {
  float& timer = fadeTimer_[slot];
  if (timer == 0.0f) return;
  YSoundStream& stream = slots_[slot];
  if (!stream.IsPlaying()) {
    timer = 0.0f;
    return;
  }
  if (timer < 0.0f) {
    timer = std::min(timer + dt, 0.0f);
    stream.SetVolume(timer / fadeLength_[slot] + 1.0f);
    return;
  }
  timer = std::max(timer - dt, 0.0f);
  if (timer == 0.0f) stream.Stop();
  stream.SetVolume(timer / fadeLength_[slot]);
}

// A track played once that is still the current one has ended: its
// follow-up becomes the request, unless the game asked for another track.
void YMusicPlayer::TakeStreamEnds() {
  for (int slot = 0; slot < 2; ++slot) {
    if (!ended_[slot].exchange(false)) continue;
    if (slotTrack_[slot] != current_ || followUp_ == -1 || requested_ != -1) continue;
    requested_ = followUp_;
    followUp_ = -1;
    fadeTime_ = kFollowUpFade;
  }
}

// Opens the requested track on a free slot (slot 1 while slot 0 plays) and
// starts it. A track that cannot be opened is logged once, reported and
// dropped.
void YMusicPlayer::StartRequest() {
  const int track = requested_;
  requested_ = -1;
  if (track == -1 || track == current_) return;
  const int slot = slots_[0].IsPlaying() ? 1 : 0;
  try {
    slots_[slot].Open(playlist_[track]);
  } catch (const std::exception& error) {
    Log::Printf("OpenAL error: %s", error.what());
    FileAlerts::NeededFileFailed(playlist_[track]);
    return;
  }
  // An end flagged by the file this slot played before is void now.
  ended_[slot] = false;
  slotTrack_[slot] = track;
  StartFades(slot, fadeTime_);
  slots_[slot].Play(followUp_ == -1);
  current_ = track;
}

// The new track on `slot` fades in from silence while the other slot fades
// out from where it is; without a fade the new track is at full volume and
// the other stops at once.
void YMusicPlayer::StartFades(int slot, float fadeSeconds) {
  YSoundStream& fresh = slots_[slot];
  YSoundStream& other = slots_[1 - slot];
  const bool fade = fadeSeconds > 0.0f;
  fresh.SetVolume(fade ? 0.0f : 1.0f);
  fadeTimer_[slot] = fade ? -fadeSeconds : 0.0f;
  fadeLength_[slot] = fade ? fadeSeconds : 1.0f;
  if (!other.IsPlaying()) return;
  const float left = fade ? other.Volume() * fadeSeconds : 0.0f;
  fadeTimer_[1 - slot] = left;
  fadeLength_[1 - slot] = fade ? fadeSeconds : 1.0f;
  if (left > 0.0f) return;
  other.Stop();
  other.SetVolume(0.0f);
}
