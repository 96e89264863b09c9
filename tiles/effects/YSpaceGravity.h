// A constant force on particles: their velocity grows by force x dt each
// frame (falling sparks, rising smoke).
#pragma once

#include "draw/YSpaceWarp.h"
#include "framework/YVector3.h"

class YSpaceGravity : public YSpaceWarp {
 public:
  explicit YSpaceGravity(const YVector3& forceVector) : force(forceVector) {}
  void Apply(YParticle& particle, float dt) override;

  YVector3 force;
};
