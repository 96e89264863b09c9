// How the board's turn flow makes itself heard: named sound effects at a
// position. The game plays them through the sound system; tests record them.
#pragma once

#include <string_view>

#include "framework/YVector3.h"

class YTessorSounds {
 public:
  virtual ~YTessorSounds() = default;
  // Plays the named effect once at `position`; a negative volume means the
  // effect's own full volume. A name without an effect plays nothing.
  virtual void Play(std::string_view name, const YVector3& position, float volume) = 0;
};

// The sound system's effects, looked up by name.
class YTessorSoundEffects final : public YTessorSounds {
 public:
  void Play(std::string_view name, const YVector3& position, float volume) override;
};
