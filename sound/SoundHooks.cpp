#include "sound/SoundHooks.h"

#include "framework/FrameworkHooks.h"
#include "sound/SoundSystem.h"

void InstallSoundHooks() {
  FrameworkHooks& hooks = GetFrameworkHooks();
  hooks.soundInit = [](platform::Window&) { SoundInit(); };
  hooks.enableSound = EnableSound;
  hooks.soundShutdown = SoundShutdown;
}

void RemoveSoundHooks() {
  FrameworkHooks& hooks = GetFrameworkHooks();
  hooks.soundInit = nullptr;
  hooks.enableSound = nullptr;
  hooks.soundShutdown = nullptr;
}
