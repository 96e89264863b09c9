#include "game/FrameClock.h"

#include <cmath>

bool FrameClock::Gather(std::uint32_t nowMs, float& dt) {
  gathered_ += static_cast<float>(nowMs - previous_) * 0.001f;
  previous_ = nowMs;
  if (gathered_ < Threshold()) return false;
  dt = gathered_ < kMaxStep ? gathered_ : kMaxStep;
  gathered_ = 0;
  awake_ = false;
  return true;
}

std::uint32_t FrameClock::MsUntilDue() const {
  const float left = Threshold() - gathered_;
  return left > 0 ? static_cast<std::uint32_t>(std::ceil(left * 1000.0f)) : 0;
}

void ClientToView(int mouseX, int mouseY, int clientWidth, int clientHeight, float currentAspect,
                  float designAspect, float& x, float& y) {
  const float width = clientWidth > 0 ? static_cast<float>(clientWidth) : 1.0f;
  const float height = clientHeight > 0 ? static_cast<float>(clientHeight) : 1.0f;
  x = 2.0f * static_cast<float>(mouseX) / width - 1.0f;
  y = 2.0f * static_cast<float>(mouseY) / height - 1.0f;
  if (currentAspect >= designAspect) {
    x = x * currentAspect / designAspect;
    y = -(y / designAspect);
  } else {
    y = -(y / currentAspect);
  }
}
