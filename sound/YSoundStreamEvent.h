// The listener of a sound stream: told when a stream played once has sounded
// its last sample (the music player starts the follow-up track).
#pragma once

class YSoundStream;

class YSoundStreamEvent {
 public:
  virtual ~YSoundStreamEvent() = default;

  // Called once per file played once, after the stream's voice has played
  // all of its data, on the stream's refill thread (or on the thread that
  // called Refill or Create), with the stream's lock held: the listener may
  // call the stream's own operations but must not take a lock that comes
  // before the stream's lock (the music player's lock).
  virtual void OnStreamEnd(YSoundStream& stream) = 0;
};
