// Writes a mono sound as a 16-bit PCM RIFF/WAVE file: the format chunk
// comes first and holds the full 18-byte format record (extra size 0),
// then the data chunk.
#pragma once

#include <string>

#include "tools/soundgen/MonoSound.h"

// Samples are clamped to [-1, 1] and rounded. False when the file could not
// be written completely.
bool WriteWav(const MonoSound& sound, const std::string& path);
