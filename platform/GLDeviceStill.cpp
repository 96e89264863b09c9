// GLDevice: the still layer. Kept, it is drawn into an off-screen picture
// of the back buffer's size, which then goes onto the whole back buffer
// (whatever the scissor); while its calls stay the same they run for their
// states alone (draws and clears do nothing) and the kept picture goes
// onto the back buffer again, with the depth and stencil (once a draw
// tests them) and the deferred clears drawing it left.
#include <utility>

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
  if (!thrift_.keepStillLayer) return frames_.ForgetKept();
  FlushDraws();
  if (use == StillUse::Keep) {
    int width = 0, height = 0;
    BackBufferSize(width, height);
    if (!keptStill_ || keptStill_->Width() != width || keptStill_->Height() != height)
      keptStill_ = GLRenderTarget::Create(width, height, context_->Token());
    if (!keptStill_) return frames_.ForgetKept();
    keptStill_->Bind();
    ++keptPicture_;
  } else if (!keptStill_) {
    return frames_.ForgetKept();
  } else {
    muted_ = true;
  }
  stillUse_ = use;
}

// The layer's last gathered draws go where the layer's draws go.
void GLDevice::EndStill() {
  if (stillUse_ == StillUse::Draw) return;
  FlushDraws();
  const StillUse use = std::exchange(stillUse_, StillUse::Draw);
  muted_ = false;
  PutKeptColour();
  keptDepthWaiting_ = true;
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
  if (stillUse_ != StillUse::Keep) changedAreas_.Drew(renderStates_.Scissored(), scissorRect_);
}

// A still layer being kept that tests or clears depth or stencil has its
// picture hold them; a flat one's picture has none.
void GLDevice::KeptNeedsDepth() {
  if (stillUse_ == StillUse::Keep) keptStill_->AddDepthStencil();
}

// The kept depth and stencil go onto the back buffer only for a draw that
// tests them (copying them costs as much as the colour).
void GLDevice::RestoreKeptDepthForDraw() {
  if (renderStates_.DepthTested() || renderStates_.StencilTested()) RestoreKeptDepth();
}

// The whole picture's, whatever the scissor.
void GLDevice::RestoreKeptDepth() {
  if (!keptDepthWaiting_ || !keptStill_) return;
  renderStates_.SuspendScissor();
  keptStill_->CopyDepthStencilToBackBuffer();
  renderStates_.ResumeScissor();
  keptDepthWaiting_ = false;
}

bool GLDevice::KeptPictureFresh() const {
  return TickCount() - keptAtMs_ < thrift_.slowFrameMs;
}

}  // namespace platform
