// GLDevice: groups of calls over a still layer drawn again in parts. A
// group (the calls from one scissor change to the next, outside the still
// layer) that draws what it drew when last shown, in the same rectangle
// and from the same states set before it, is left standing where the back
// buffer keeps it: its calls run for their states alone, its rectangle is
// neither drawn again nor shown again. Its slow drawing may have moved
// meanwhile while that is held back. Nothing drawn or restored in the
// frame may meet a group left standing.
#include <algorithm>

#include "platform/Clock.h"
#include "platform/GLDevice.h"

namespace platform {

namespace {

// Whether the group draws what it drew when shown: its own calls alike
// (its scissor and its spots' rectangles among them), and its spots alike
// or changed only where its scissor hides them.
bool DrawsAsShown(const GLFrameRecorder::Group& now, const GLFrameRecorder::Group& shown) {
  if (now.hash != shown.hash || now.spots.size() != shown.spots.size()) return false;
  for (std::size_t i = 0; i < now.spots.size(); ++i)
    if (now.spots[i].hash != shown.spots[i].hash && Meet(now.spots[i].rect, now.rect)) return false;
  return true;
}

}  // namespace

// Before a present: which groups stand, and the stale rectangles they
// keep are not drawn again.
void GLDevice::HoldGroups(bool backHoldsLayer, bool holdSlow) {
  runGroup_ = 0;
  slowHeld_ = false;
  const std::vector<GLFrameRecorder::Group>& now = frames_.Groups();
  const std::vector<GLFrameRecorder::Group>& shown = frames_.ShownGroups();
  std::vector<bool> held(now.size(), false);
  const bool comparable = backHoldsLayer && now.size() == shown.size() &&
                          std::none_of(now.begin(), now.end(), [](const auto& g) { return !g.scissored && g.draws; });
  for (std::size_t i = 0; comparable && i < now.size(); ++i) {
    const GLFrameRecorder::Group &a = now[i], &b = shown[i];
    held[i] = a.scissored && a.rect.width > 0 && a.rect.height > 0 && DrawsAsShown(a, b) &&
              (a.slowHash == b.slowHash || holdSlow);
  }
  for (bool settled = false; !settled;) {
    settled = true;
    for (std::size_t i = 0; i < held.size(); ++i)
      if (held[i] && MeetsChange(now[i].rect, held)) held[i] = false, settled = false;
  }
  heldRects_.clear();
  for (std::size_t i = 0; i < held.size(); ++i) {
    if (!held[i]) continue;
    slowHeld_ = slowHeld_ || now[i].slowHash != shown[i].slowHash;
    std::erase(redrawRects_, now[i].rect);
    heldRects_.push_back(now[i].rect);
  }
  frames_.SetHeldGroups(std::move(held));
}

// Whether `rect` meets what the frame draws or restores but the groups
// left standing: the other groups, changed spots and stale rectangles.
bool GLDevice::MeetsChange(const PixelRect& rect, const std::vector<bool>& held) const {
  const std::vector<GLFrameRecorder::Group>& now = frames_.Groups();
  const auto standing = [&](const PixelRect& r) {
    for (std::size_t i = 0; i < now.size(); ++i)
      if (held[i] && now[i].rect == r) return true;
    return false;
  };
  for (std::size_t i = 0; i < now.size(); ++i)
    if (!held[i] && now[i].scissored && now[i].draws && Meet(rect, now[i].rect)) return true;
  for (const PixelRect& spot : changedSpots_)
    if (Meet(rect, spot)) return true;
  for (const PixelRect& stale : redrawRects_)
    if (!standing(stale) && Meet(rect, stale)) return true;
  return false;
}

// At each scissor change outside the still layer while a present runs the
// frame's calls: a group left standing draws nothing, and its rectangle
// keeps what the back buffer and the window hold.
void GLDevice::EnterGroup() {
  muted_ = frames_.GroupHeld(runGroup_++);
  if (muted_) changedAreas_.Held(scissorRect_);
}

void GLDevice::EndGroups(bool dropped) {
  muted_ = false;
  if (!dropped && !slowHeld_) slowShownMs_ = TickCount();
  slowHeld_ = false;
}

}  // namespace platform
