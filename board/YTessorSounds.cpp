#include "board/YTessorSounds.h"

#include "sound/SoundEntry.h"

void YTessorSoundEffects::Play(std::string_view name, const YVector3& position, float volume) {
  SoundEntry* entry = FindSound(name);
  if (entry != nullptr) entry->Play(position, volume, YVector3());
}
