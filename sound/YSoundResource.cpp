#include "sound/YSoundResource.h"

#include <vector>

#include "framework/YLock.h"
#include "sound/SoundSystem.h"

std::vector<YSoundResource*>& SoundRegistry() {
  // Never destroyed: resources that live until exit unregister after
  // every other static is gone.
  static auto* registry = new std::vector<YSoundResource*>;
  return *registry;
}

YSoundResource::YSoundResource() {
  YLock hold(SoundLock());
  SoundRegistry().push_back(this);
}

YSoundResource::~YSoundResource() {
  YLock hold(SoundLock());
  std::erase(SoundRegistry(), this);
}
