// Anything that holds device objects of the sound system (sound buffers,
// voices, music streams). Every resource is listed in SoundRegistry so that
// SoundInit can create its device objects once the device exists and
// SoundShutdown can release them before the device goes.
#pragma once

#include <vector>

class YSoundResource {
 public:
  // Appends this object to SoundRegistry. Main thread.
  YSoundResource();
  // Removes this object from SoundRegistry. Main thread.
  virtual ~YSoundResource();
  YSoundResource(const YSoundResource&) = delete;
  YSoundResource& operator=(const YSoundResource&) = delete;

  // Makes the device objects; called when the device exists (by SoundInit,
  // or by the resource itself). Does nothing when they exist already. Takes
  // the resource's own lock (if any), then SoundLock() for device calls.
  // Errors are raised as SoundError.
  virtual void Create() = 0;
  // Drops the device objects and keeps what is needed to create them again.
  // Must not throw.
  virtual void Release() = 0;
};

// The registered resources in creation order (not owned). Read and changed
// under SoundLock(); only the main thread changes it.
std::vector<YSoundResource*>& SoundRegistry();
