// The error of the sound subsystem: a message text, raised by sound file
// readers and device set-up and caught where the text is logged (the sound
// file loader, SoundInit, the music player).
#pragma once

#include <stdexcept>
#include <string>

class SoundError : public std::runtime_error {
 public:
  explicit SoundError(const std::string& message) : std::runtime_error(message) {}
};
