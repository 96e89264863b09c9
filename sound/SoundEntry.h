// A named sound effect: one or more sound files (variants) and a small pool
// of voices, at most seven, so that the effect can overlap itself. Entries
// are declared by the sound file (see YSoundLoader), looked up by name with
// FindSound and live until ClearSounds. Main thread only.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "framework/YVector3.h"

class YSoundBuffer;
class YSoundSource;

class SoundEntry {
 public:
  static constexpr std::size_t kMaxVoices = 7;

  explicit SoundEntry(std::string_view name);
  ~SoundEntry();
  SoundEntry(const SoundEntry&) = delete;
  SoundEntry& operator=(const SoundEntry&) = delete;

  // Loads a sound file as a further variant; errors (SoundError) go to the
  // caller and nothing is added.
  void AddFile(std::string_view fileName);
  // A voice that is not playing, reused from a random start, or a new one on
  // the next variant in turn while fewer than seven exist; null when there
  // are no variants, all seven are busy, or a new voice cannot be made (that
  // is logged).
  YSoundSource* GetFreeVoice();
  // Plays the sound once at a position: a volume from 0 to below 0.1 plays
  // nothing, a negative one plays at full voice volume 1.0. The start waits
  // for the next SoundFrame.
  void Play(const YVector3& position, float volume, const YVector3& velocity);

  const std::string& Name() const { return name_; }
  std::size_t VariantCount() const { return variants_.size(); }
  std::size_t VoiceCount() const { return voices_.size(); }
  YSoundSource& Voice(std::size_t index) const { return *voices_.at(index); }
  YSoundBuffer& Variant(std::size_t index) const { return *variants_.at(index); }

 private:
  YSoundSource* MakeVoice();

  // Declared first, destroyed last: voices go before the buffers they play.
  std::vector<std::unique_ptr<YSoundBuffer>> variants_;
  std::vector<std::unique_ptr<YSoundSource>> voices_;
  std::size_t nextVariant_ = 0;
  std::string name_;
};

// The entry of that name (exact bytes), made empty when there is none.
SoundEntry* GetSound(std::string_view name);
// The entry of that name, or null; callers skip playing on null.
SoundEntry* FindSound(std::string_view name);
// Destroys every entry with its buffers and voices (tests; end of the run).
void ClearSounds();
