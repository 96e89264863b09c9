#include "sound/SoundEntry.h"

#include "framework/Log.h"
#include "platform/Random.h"
#include "sound/SoundError.h"
#include "sound/SoundSystem.h"
#include "sound/YSoundBuffer.h"
#include "sound/YSoundSource.h"

namespace {

constexpr float kQuietestVolume = 0.1f;

// Every entry in creation order.
std::vector<std::unique_ptr<SoundEntry>>& SoundList() {
  // The sound system's state is made first, so it outlives the entries
  // (whose buffers and voices take the sound lock when destroyed at exit).
  SoundLock();
  static std::vector<std::unique_ptr<SoundEntry>> list;
  return list;
}

}  // namespace

SoundEntry::SoundEntry(std::string_view name) : name_(name) {
  variants_.reserve(20);
  voices_.reserve(kMaxVoices);
}

SoundEntry::~SoundEntry() = default;

void SoundEntry::AddFile(std::string_view fileName) {
  auto buffer = std::make_unique<YSoundBuffer>();
  buffer->Open(fileName);
  variants_.push_back(std::move(buffer));
}

YSoundSource* SoundEntry::GetFreeVoice() {
  if (variants_.empty()) return nullptr;
  if (voices_.size() >= variants_.size()) {
    std::size_t start = static_cast<std::size_t>(platform::Random());
    for (std::size_t i = 0; i < voices_.size(); ++i) {
      YSoundSource* voice = voices_[(start + i) % voices_.size()].get();
      if (!voice->IsPlaying()) return voice;
    }
  }
  if (voices_.size() >= kMaxVoices) return nullptr;
  return MakeVoice();
}

YSoundSource* SoundEntry::MakeVoice() {
  std::unique_ptr<YSoundSource> voice;
  try {
    voice = std::make_unique<YSoundSource>(*variants_[nextVariant_]);
  } catch (const SoundError& error) {
    Log::Printf("Sound %s: %s", name_.c_str(), error.what());
    return nullptr;
  }
  nextVariant_ = (nextVariant_ + 1) % variants_.size();
  voices_.push_back(std::move(voice));
  return voices_.back().get();
}

void SoundEntry::Play(const YVector3& position, float volume, const YVector3& velocity) {
  if (volume >= 0.0f && volume < kQuietestVolume) return;
  YSoundSource* voice = GetFreeVoice();
  if (!voice) return;
  voice->SetPosition(position);
  voice->SetVelocity(velocity);
  voice->SetVolume(volume < 0.0f ? 1.0f : volume);
  voice->Play(false);
}

SoundEntry* FindSound(std::string_view name) {
  for (const auto& entry : SoundList())
    if (entry->Name() == name) return entry.get();
  return nullptr;
}

SoundEntry* GetSound(std::string_view name) {
  if (SoundEntry* found = FindSound(name)) return found;
  SoundList().push_back(std::make_unique<SoundEntry>(name));
  return SoundList().back().get();
}

void ClearSounds() { SoundList().clear(); }
