// The plain values of the sound layer: the PCM sample format, vectors in the
// game's left-handed coordinates (x right, y up, z into the screen), the
// listener as the game keeps it, and the volume scale (hundredths of a dB).
#pragma once

namespace platform {

struct PcmFormat {
  int channels = 1;  // 1 or 2
  int samplesPerSecond = 44100;
  int bitsPerSample = 16;  // 8 (unsigned) or 16 (signed little-endian)

  int BlockAlign() const { return channels * bitsPerSample / 8; }
  bool operator==(const PcmFormat&) const = default;
};

struct Vector3f {
  float x = 0, y = 0, z = 0;
};

// The listener as the game keeps it: distance and rolloff factors scale the
// game's units and the fall-off with distance; the Doppler factor scales the
// pitch change of moving voices.
//
// Fall-off: positions stay in game units, the minimum (reference) distance
// is 1 unit, and beyond it gain = 1 / (1 + rolloffFactor * (d - 1)); closer
// than 1 unit the gain is 1. This is the inverse-distance curve of the
// original platform with its default minimum distance (1 unit x
// distanceFactor metres, which cancels out of the curve). distanceFactor
// (metres per unit) only converts velocities for the Doppler shift: the
// speed of sound becomes 343.3 / distanceFactor units per second.
// Out-of-range values are clamped: distanceFactor > 0 (1 when not), rolloff
// and Doppler factors to 0..10; a front or top of zero length, or the two
// parallel, keeps the previous orientation.
struct ListenerParams {
  Vector3f position, velocity;
  Vector3f front{0, 0, 1};
  Vector3f top{0, 1, 0};
  float distanceFactor = 1.0f;
  float rolloffFactor = 1.0f;
  float dopplerFactor = 1.0f;
};

// The quietest volume: it and anything below are silence.
inline constexpr int kSilentHundredthsDb = -10000;

// Gain of an attenuation in hundredths of a decibel: 10^(v / 2000). Values
// above 0 give 1 (no amplification); kSilentHundredthsDb and below give 0.
float GainFromHundredthsDb(int hundredthsDb);

// How many voices a device is opened for: sources that play mono buffers
// (positioned) and stereo ones (music). OpenAL Soft sizes its pool of
// sources from their sum; 0 for both leaves the library's own count.
struct VoiceCounts {
  int mono = 0;
  int stereo = 0;
};

}  // namespace platform
