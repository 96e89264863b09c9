// GLDevice: the still layer. Kept, it is drawn into an off-screen picture
// of the back buffer's size, which then goes onto the whole back buffer
// (whatever the scissor); while its calls stay the same they run for their
// states alone (draws and clears do nothing) and the kept picture goes
// onto the back buffer again, with the depth and stencil (once a draw
// tests them, and only outside rectangles cleared of them since) and the
// deferred clears drawing it left.
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/Clock.h"
#include "platform/GLDevice.h"

namespace platform {

using StillUse = GLFrameRecorder::StillUse;

void GLDevice::ApplyStill(bool on) {
  if (on)
    BeginStill(frames_.Still());
  else
    EndStill();
}

// A picture that cannot be made leaves the layer drawn where it goes, and
// the recorder no longer counts on one.
void GLDevice::BeginStill(StillUse use) {
  EndStill();
  keptDepthWaiting_ = false;
  if (use == StillUse::Draw) return;
  if (use == StillUse::Fresh) {
    depthTouched_ = false;
    freshClears_.clear();
    stillUse_ = use;
    return;
  }
  if (use == StillUse::Redraw) return BeginRedraw();
  if (!thrift_.keepStillLayer) return frames_.ForgetKept();
  FlushDraws();
  if (use == StillUse::Keep) {
    int width = 0, height = 0;
    BackBufferSize(width, height);
    if (!keptStill_ || keptStill_->Width() != width || keptStill_->Height() != height)
      keptStill_ = GLRenderTarget::Create(width, height, context_->Token());
    if (!keptStill_) return frames_.ForgetKept();
    keptStill_->Bind();
    keptPicture_ = ++pictures_;
  } else if (!keptStill_) {
    return frames_.ForgetKept();
  } else {
    muted_ = true;
  }
  stillUse_ = use;
}

// Each run of the layer's calls draws only in the next rectangle to redo.
void GLDevice::BeginRedraw() {
  FlushDraws();
  stillUse_ = StillUse::Redraw;
  redrawRect_ = redrawPass_ < redrawRects_.size() ? redrawRects_[redrawPass_] : PixelRect{};
  ++redrawPass_;
  ApplyScissorRect();
  coveringClear_ = LastClearCovering(redrawRect_);
  redrawClears_ = 0;
  muted_ = coveringClear_ > 0;
}

// Which of the layer's colour clears (counted from 1) is the last to cover
// `rect` whole, 0 for none: whatever the layer draws in it before that
// clear is cleared away.
std::size_t GLDevice::LastClearCovering(const PixelRect& rect) const {
  for (std::size_t i = freshClears_.size(); i > 0; --i)
    if (Contains(freshClears_[i - 1], rect)) return i;
  return 0;
}

// A flat layer drawn whole notes where its colour clears reach. Drawn
// again in a rectangle, its draws before the last clear that covers the
// rectangle are left out (BeginRedraw), up to that clear.
void GLDevice::CountStillClear() {
  if (stillUse_ == StillUse::Fresh) {
    int width = 0, height = 0;
    BackBufferSize(width, height);
    freshClears_.push_back(renderStates_.Scissored() ? scissorRect_ : PixelRect{0, 0, width, height});
  } else if (stillUse_ == StillUse::Redraw && ++redrawClears_ == coveringClear_) {
    muted_ = false;
  }
}

// The layer's last gathered draws go where the layer's draws go.
void GLDevice::EndStill() {
  if (stillUse_ == StillUse::Draw) return;
  FlushDraws();
  const StillUse use = std::exchange(stillUse_, StillUse::Draw);
  if (use == StillUse::Fresh) return EndFresh();
  if (use == StillUse::Redraw) {
    muted_ = false;
    ApplyScissorRect();
    if (redrawPass_ == 1) ++restoredStill_;
    changedAreas_.StillPut(drawnPicture_);
    for (const PixelRect& spot : changedSpots_) changedAreas_.Drew(true, spot);
    return;
  }
  muted_ = false;
  PutKeptColour();
  keptDepthWaiting_ = true;
  keptDepthHoles_.clear();
  if (use == StillUse::Keep) {
    keptPendingClear_ = pendingClear_;
    keptPendingDepth_ = pendingDepth_;
    keptPendingStencil_ = pendingStencil_;
    keptAtMs_ = TickCount();
  } else {
    pendingClear_ = keptPendingClear_;
    pendingDepth_ = keptPendingDepth_;
    pendingStencil_ = keptPendingStencil_;
    ++restoredStill_;
  }
}

// A layer that needed no depth or stencil can be drawn again in parts
// where the back buffer keeps it; one that did is kept from now on.
void GLDevice::EndFresh() {
  drawnPicture_ = ++pictures_;
  flatLayer_ = !depthTouched_;
  if (!flatLayer_) return;
  int width = 0, height = 0;
  BackBufferSize(width, height);
  changedAreas_.StillDrawn(drawnPicture_, {0, 0, width, height});
}

// Before a present: while the window system copies parts of the back
// buffer (and so keeps it) a flat layer needs no kept picture; once the
// back buffer holds it, only the rectangles the last frame changed are
// drawn again, one run of the layer's calls each.
void GLDevice::PrepareRedraw(bool holdSlow) {
  redrawPass_ = 0;
  const bool parts = thrift_.keepStillLayer && thrift_.copyChangedAreas && thrift_.limitToScissor &&
                     SubBuffer().Available();
  const bool back = parts && flatLayer_ && changedAreas_.BackHolds(drawnPicture_);
  redrawRects_ = back ? changedAreas_.Stale() : std::vector<PixelRect>{};
  changedSpots_ = back ? frames_.ChangedSpots() : std::vector<PixelRect>{};
  HoldGroups(back, holdSlow);
  redrawRects_.insert(redrawRects_.end(), changedSpots_.begin(), changedSpots_.end());
  MergeNearRects(redrawRects_, heldRects_);
  frames_.SetRedraw(parts, flatLayer_, back ? std::max<std::size_t>(1, redrawRects_.size()) : 0);
}

// Each run of the layer's calls costs the driver about as much whatever
// its rectangle, so rectangles whose bounds add little area are drawn as
// one, unless the bounds reach into a rectangle in `keepOut` (where a
// group stands).
void GLDevice::MergeNearRects(std::vector<PixelRect>& rects, const std::vector<PixelRect>& keepOut) {
  const auto area = [](const PixelRect& r) { return std::int64_t{r.width} * r.height; };
  for (std::size_t i = 0; i < rects.size(); ++i) {
    for (std::size_t j = i + 1; j < rects.size(); ++j) {
      const PixelRect& a = rects[i];
      const PixelRect& b = rects[j];
      const int x0 = std::min(a.x, b.x), y0 = std::min(a.y, b.y);
      const PixelRect both{x0, y0, std::max(a.x + a.width, b.x + b.width) - x0,
                           std::max(a.y + a.height, b.y + b.height) - y0};
      if (area(both) * 2 > (area(a) + area(b)) * 3) continue;
      if (std::any_of(keepOut.begin(), keepOut.end(), [&](const PixelRect& k) { return Meet(both, k); })) continue;
      rects[i] = both;
      rects.erase(rects.begin() + static_cast<std::ptrdiff_t>(j));
      j = i;
    }
  }
}

// The caller's scissor, inside the rectangle being drawn again.
void GLDevice::ApplyScissorRect() {
  PixelRect r = scissorRect_;
  bool on = scissorOn_ && thrift_.limitToScissor;
  if (stillUse_ == StillUse::Redraw) {
    const PixelRect& o = redrawRect_;
    if (!scissorOn_) r = o;
    const int x0 = std::max(r.x, o.x), y0 = std::max(r.y, o.y);
    const int x1 = std::min(r.x + r.width, o.x + o.width), y1 = std::min(r.y + r.height, o.y + o.height);
    r = {x0, y0, std::max(x1 - x0, 0), std::max(y1 - y0, 0)};
    on = true;
  }
  renderStates_.SetScissor(on, r.x, r.y, r.width, r.height);
  clippedAway_ = on && (r.width <= 0 || r.height <= 0);
}

// Where the back buffer still holds the kept picture but for the parts the
// last frame changed, only those go back.
void GLDevice::PutKeptColour() {
  renderStates_.SuspendScissor();
  if (changedAreas_.BackHolds(keptPicture_)) {
    for (const PixelRect& area : changedAreas_.Stale())
      keptStill_->CopyColourToBackBuffer(area.x, area.y, area.width, area.height);
  } else {
    keptStill_->CopyColourToBackBuffer();
  }
  renderStates_.ResumeScissor();
  changedAreas_.StillPut(keptPicture_);
}

// Drawing into the kept picture changes nothing on the back buffer.
void GLDevice::NoteColourDrawn() {
  if (stillUse_ != StillUse::Keep && stillUse_ != StillUse::Redraw) changedAreas_.Drew(renderStates_.Scissored(), scissorRect_);
}

// A still layer being kept that tests or clears depth or stencil has its
// picture hold them; a flat one's picture has none.
void GLDevice::KeptNeedsDepth() {
  depthTouched_ = true;
  if (stillUse_ == StillUse::Keep) keptStill_->AddDepthStencil();
}

// The kept depth and stencil go onto the back buffer only for a draw that
// tests them (copying them costs as much as the colour), and not for one
// clipped to a rectangle they were cleared in.
void GLDevice::RestoreKeptDepthForDraw() {
  if ((renderStates_.DepthTested() || renderStates_.StencilTested()) && !InKeptDepthHole()) RestoreKeptDepth();
}

// The whole picture's, whatever the scissor, but for the holes.
void GLDevice::RestoreKeptDepth() {
  if (!keptDepthWaiting_ || !keptStill_) return;
  renderStates_.SuspendScissor();
  if (keptDepthHoles_.empty())
    keptStill_->CopyDepthStencilToBackBuffer();
  else
    CopyKeptDepthAroundHoles();
  renderStates_.ResumeScissor();
  keptDepthWaiting_ = false;
  keptDepthHoles_.clear();
}

bool GLDevice::InKeptDepthHole() const {
  if (!keptDepthWaiting_ || !renderStates_.Scissored()) return false;
  return std::any_of(keptDepthHoles_.begin(), keptDepthHoles_.end(),
                     [&](const PixelRect& hole) { return Contains(hole, scissorRect_); });
}

// Band by band between the holes' top and bottom edges, the stretches
// that no hole covers.
void GLDevice::CopyKeptDepthAroundHoles() const {
  const int width = keptStill_->Width(), height = keptStill_->Height();
  std::vector<int> edges{0, height};
  for (const PixelRect& h : keptDepthHoles_) edges.insert(edges.end(), {h.y, h.y + h.height});
  std::sort(edges.begin(), edges.end());
  for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
    const int y0 = std::clamp(edges[i], 0, height), y1 = std::clamp(edges[i + 1], 0, height);
    if (y1 <= y0) continue;
    std::vector<PixelRect> across;
    for (const PixelRect& h : keptDepthHoles_)
      if (h.y <= y0 && h.y + h.height >= y1) across.push_back(h);
    std::sort(across.begin(), across.end(), [](const PixelRect& a, const PixelRect& b) { return a.x < b.x; });
    int x = 0;
    for (const PixelRect& h : across) {
      if (h.x > x) keptStill_->CopyDepthStencilToBackBuffer(x, y0, h.x - x, y1 - y0);
      x = std::max(x, h.x + h.width);
    }
    if (x < width) keptStill_->CopyDepthStencilToBackBuffer(x, y0, width - x, y1 - y0);
  }
}

bool GLDevice::KeptPictureFresh() const {
  return TickCount() - keptAtMs_ < thrift_.slowFrameMs;
}

}  // namespace platform
