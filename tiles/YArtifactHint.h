// The hint over a side's artifact icon: the artifact, or the shield or
// reflection the side raised.
#pragma once

#include "tiles/YRectHint.h"

class YArtifactHint : public YRectHint {
 public:
  using YRectHint::YRectHint;
  bool Describe(float mouseX, float mouseY, std::string& title, std::string& text) const override;
};
