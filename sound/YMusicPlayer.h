// The music player: the playlist of the music folder, two streams that
// cross-fade linearly, and a polling thread that every 100 ms advances the
// fades and starts the track the game asked for. A track loops, or plays
// once and is followed by another that then loops. The player never moves
// on to another track by itself.
//
// Locks: the player's lock guards everything below and is taken before any
// stream's lock (music player lock -> stream lock -> sound lock). The end of
// a track reaches the player from a stream's refill thread as an atomic
// flag, which the next tick takes under the player's lock.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/PeriodicThread.h"
#include "framework/YCriticalSection.h"
#include "sound/StreamSource.h"
#include "sound/YSoundStream.h"
#include "sound/YSoundStreamEvent.h"

class YMusicPlayer : public YSoundStreamEvent {
 public:
  // A millisecond clock that wraps at 2^32 (the multimedia time).
  using Clock = std::function<std::uint32_t()>;
  struct Options {
    Clock clock;                // empty: platform::SystemTimeMs
    StreamSourceOpener opener;  // empty: Ogg Vorbis files
    bool pollingThread = true;  // false: the owner calls Tick (tests)
  };

  static constexpr std::size_t kStreamBytes = 65536;
  static constexpr int kPollMs = 100;
  // The fade-in of a follow-up track, in seconds.
  static constexpr float kFollowUpFade = 1.0f;

  // Both streams silent with the player as listener; the polling thread
  // starts unless the options say otherwise. Main thread.
  YMusicPlayer();
  explicit YMusicPlayer(Options options);
  // Silences both streams, ends and joins the polling thread; the streams
  // join their own threads as they go. Main thread.
  ~YMusicPlayer() override;
  YMusicPlayer(const YMusicPlayer&) = delete;
  YMusicPlayer& operator=(const YMusicPlayer&) = delete;

  // Appends folder + "\" + name for every regular file "*.ogg" of the
  // folder, sorted byte-wise. An empty folder adds nothing; a missing one
  // adds nothing and is logged.
  void ScanFolder(std::string_view folder);
  // Asks for track `index` (playlist order) to loop, faded in over
  // `fadeSeconds` while the playing track fades out (0: switch at once).
  // Ignored when `index` is the current track or outside the playlist.
  void SelectTrack(int index, float fadeSeconds);
  // The same, but the track plays once and `followUp` then fades in over
  // kFollowUpFade and loops; followUp -1 is SelectTrack. Ignored also when
  // followUp is neither -1 nor inside the playlist.
  void SelectTrackAt(int index, int followUp, float fadeSeconds);

  // A stream's file played once has ended (refill thread, stream lock
  // held): silences that stream and flags the end for the next Tick.
  void OnStreamEnd(YSoundStream& stream) override;
  // One step: advances the fades by the time since the last step (at least
  // 50 ms must have passed), starts the follow-up of an ended track and the
  // requested track. Does nothing while sound is off or there is no device.
  // The polling thread calls it every kPollMs; tests call it directly.
  void Tick();

  // The playlist and the current track (-1 for none).
  std::vector<std::string> Playlist() const;
  int CurrentTrack() const;
  // The stream of slot 0 or 1 (for inspection; tests also refill it).
  YSoundStream& Slot(int slot) { return slots_[slot]; }

 private:
  void ThreadProc();
  void StopPolling();
  bool SoundReady() const;
  std::optional<float> TakeTimeStep();
  void AdvanceFade(int slot, float dt);
  void TakeStreamEnds();
  void StartRequest();
  void StartFades(int slot, float fadeSeconds);

  mutable YCriticalSection lock_;
  Clock clock_;
  std::vector<std::string> playlist_;
  float fadeTime_ = 2.0f;
  // Per slot: 0 = no fade, > 0 = fading out with that many seconds left,
  // < 0 = fading in with that many seconds to go; and the fade's length.
  std::array<float, 2> fadeTimer_{0.0f, 0.0f};
  std::array<float, 2> fadeLength_{1.0f, 1.0f};
  std::array<int, 2> slotTrack_{-1, -1};
  int requested_ = -1;
  int current_ = -1;
  int followUp_ = -1;
  std::optional<std::uint32_t> lastTick_;
  // Set by OnStreamEnd (any thread), taken by Tick. Declared before the
  // streams so that it outlives their threads.
  std::array<std::atomic<bool>, 2> ended_{};
  std::array<YSoundStream, 2> slots_{YSoundStream(kStreamBytes), YSoundStream(kStreamBytes)};

  PeriodicThread polling_;
};
