// A force that bends the velocity of the particles that name it, once per
// frame. Warps are long-lived objects the emitters own; particles only
// point at them.
#pragma once

struct YParticle;

class YSpaceWarp {
 public:
  virtual ~YSpaceWarp() = default;
  // Changes the particle's velocity (it may read its position) for a frame
  // of dt seconds.
  virtual void Apply(YParticle& particle, float dt) = 0;
};
