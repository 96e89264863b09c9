// A streamed sound (music): a file decoded piece by piece into blocks that a
// platform::StreamVoice plays in turn, kept fed by a refill thread of the
// stream's own. A stream loops its file seamlessly or plays it once and then
// tells its listener. Its volume follows the music volume.
//
// Locks: the stream's lock guards everything below; the stream takes
// SoundLock() inside it for every call into the voice (order: music player
// lock -> stream lock -> sound lock). Construction and destruction on the
// main thread; the other operations on any thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/PeriodicThread.h"
#include "framework/YCriticalSection.h"
#include "sound/SoundSystem.h"
#include "sound/StreamSource.h"
#include "sound/YSoundResource.h"

namespace platform {
class StreamVoice;
}
class YSoundStreamEvent;

class YSoundStream : public YSoundResource, public SoundVolumeTarget {
 public:
  // The voice circulates kBlockCount blocks of size / kBlockCount bytes
  // (size is rounded to a multiple of 4 * kBlockCount). Own volume 1.0, no
  // file, no listener; starts the refill thread.
  static constexpr int kBlockCount = 4;
  explicit YSoundStream(std::size_t size);
  // Ends and joins the refill thread, then closes the file and releases the
  // voice.
  ~YSoundStream() override;

  // The listener told of the end of a file played once (not owned; null for
  // none). It must outlive the stream or be taken away first.
  void SetListener(YSoundStreamEvent* listener);
  // How Open makes its source (tests feed generated PCM); empty = Ogg files.
  void SetSourceOpener(StreamSourceOpener opener);

  // Stops and closes the current file, then opens `fileName` and fills the
  // voice ahead (making the voice when the device exists). Does not start
  // playback. Raises SoundError when the file cannot be opened (the stream
  // then has no file) or the voice cannot be made.
  void Open(const std::string& fileName);
  // Makes the voice when a file is open and the device exists; a stream
  // that was playing plays on. Raises SoundError when the voice fails.
  void Create() override;
  // Drops the voice (queued data with it); the file, its position and the
  // playing flag stay for the next Create.
  void Release() override;
  // Starts playback when a voice exists: the file loops or plays once. A
  // file played once and already finished stays silent until Open.
  void Play(bool loop);
  // Stops playback and drops the queued data.
  void Stop();
  // Own volume 0..1, combined with the music volume by SoundAttenuation.
  void SetVolume(float volume);
  void ApplyVolume() override;
  // Feeds every free block of the voice from the file, restarts a voice
  // that ran dry and reports the end of a file played once. The refill
  // thread calls it every kRefillIntervalMs; anyone may call it. An error
  // is logged as "SoundStream error: %s", the file is reported to
  // FileAlerts and read no further.
  void Refill();

  // Whether playback runs: set by Play, cleared by Stop and when a file
  // played once has sounded its end.
  bool IsPlaying() const;
  float Volume() const;
  // The name given to the last Open that succeeded ("" when no file).
  std::string FileName() const;

  static constexpr int kRefillIntervalMs = 20;

 private:
  void ThreadProc();
  void CloseFile();
  void StopLocked();
  void PlayVoiceLocked();
  void FeedFreeBlocks();
  std::size_t ReadBlock();
  void ReportDrained();

  mutable YCriticalSection lock_;
  std::unique_ptr<platform::StreamVoice> voice_;
  std::vector<std::uint8_t> block_;  // one block of decoded PCM
  float volume_ = 1.0f;
  std::unique_ptr<StreamSource> source_;
  std::string fileName_;
  StreamSourceOpener opener_;
  bool loop_ = false;
  bool playing_ = false;
  bool sourceEnded_ = false;   // the file is read to its end (or failed)
  bool sourceFailed_ = false;  // reading the file raised an error
  bool endReported_ = false;   // OnStreamEnd was called for this file
  YSoundStreamEvent* listener_ = nullptr;

  PeriodicThread refiller_;  // last: started once everything else is built
};
