#include "platform/ClientSizeTracker.h"

#include "platform/InputTranslation.h"

namespace platform {

void ClientSizeTracker::Reset(int width, int height) {
  known_ = {width, height};
  requested_.reset();
}

void ClientSizeTracker::Requested(int width, int height) {
  requested_ = Size{width, height};
}

std::optional<SizingEdge> ClientSizeTracker::Changed(int width, int height, bool userSizable) {
  const Size now{width, height};
  const Size before = known_;
  known_ = now;
  if (requested_ && *requested_ == now) {
    requested_.reset();
    return std::nullopt;
  }
  if (now == before || !userSizable) return std::nullopt;
  return EdgeForResize(before.width, before.height, width, height);
}

}  // namespace platform
