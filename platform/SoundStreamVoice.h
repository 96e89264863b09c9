// A voice fed piece by piece (music): an OpenAL source with a queue of
// device buffers that circulate; the feeder fills free ones with PCM and
// takes back the played ones. Not placed in 3D: its channels play as they
// are, a mono block on both sides at full level.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "platform/ALObject.h"
#include "platform/SoundTypes.h"

namespace platform {

class SoundDevice;

// Threads: the main thread and one feeder thread may call the same stream
// at the same time; every operation is atomic with respect to the others
// (an internal lock). What callers must still order themselves: a decision
// made from one call and acted on in another (for instance the main thread's
// Stop against the feeder's "refill, then Play" - the feeder would restart
// it), and the end of the feeder before the stream is destroyed. Create and
// the destructor run on the main thread; destroy it before its device.
class StreamVoice {
 public:
  static constexpr int kMaxBlocks = 64;

  ~StreamVoice();
  StreamVoice(const StreamVoice&) = delete;
  StreamVoice& operator=(const StreamVoice&) = delete;
  // `blockCount` (1 to kMaxBlocks) device buffers circulate; each block is
  // as large as the PCM queued into it. Null (reason in `error`) otherwise.
  static std::unique_ptr<StreamVoice> Create(SoundDevice& device, int blockCount, std::string& error);
  int BlockCount() const { return blockCount_; }
  // Blocks free to fill: played ones are taken back first.
  int FreeBlocks();
  // Queues one block of PCM in `format` (any format the layer takes; the
  // data is copied). Takes back played blocks first. False when no block is
  // free, the data is bad, or its sample rate differs from blocks still
  // queued (a change of rate waits until the queue has drained; channels
  // and sample size may change from block to block).
  bool QueueBlock(const PcmFormat& format, std::span<const std::uint8_t> pcm);
  // Blocks queued and not yet played to their end.
  int QueuedBlocks();
  void SetVolume(int hundredthsDb);
  // Starts at once when it is not playing and blocks are queued: also after
  // it ran dry (the device stops a stream whose queue empties), continuing
  // with the blocks queued since. Does nothing while it plays.
  void Play();
  // Stops and drops every queued block (all become free).
  void Stop();
  // True while the device is sounding queued data (or holds it paused).
  bool IsPlaying() const;

 private:
  friend class SoundDevice;
  StreamVoice(SoundDevice& device, ALObject source, std::vector<ALObject> buffers);
  // Takes back the played blocks. Lock held.
  void ReclaimLocked();
  // Takes the first `count` queued blocks off the source. Lock held.
  void UnqueueLocked(int count);
  std::uint32_t SourceLocked() const;
  // The device is closing first (misuse): drop the OpenAL objects now.
  void Orphan();

  mutable std::mutex mutex_;
  SoundDevice* device_;  // null once orphaned
  const int blockCount_;
  std::vector<ALObject> buffers_;
  ALObject source_;  // after buffers_: deleted first, which lets them go
  std::vector<std::uint32_t> free_;
  int queued_ = 0;
  int queueRate_ = 0;  // sample rate of the queued blocks
  std::vector<std::int16_t> scratch_;
};

}  // namespace platform
