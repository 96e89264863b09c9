// Connects the sound system to the application base: the window starts the
// sound when it is created, switches it with its activation (minimising
// pauses all game sound) and stops it before it is destroyed.
#pragma once

// Points the framework's sound hooks at SoundInit, EnableSound and
// SoundShutdown. Main thread.
void InstallSoundHooks();
// Takes the hooks away again.
void RemoveSoundHooks();
