#include "ui/UIPressable.h"

#include "sound/SoundEntry.h"
#include "ui/UIEvent.h"

UIPressable::UIPressable(const YRect& r, std::string_view n) : UIControl(r, n, nullptr) {}

void UIPressable::OnMouseEnter() {
  if (state_ != kDisabled) state_ = kHot;
}

void UIPressable::OnMouseLeave() {
  if (state_ != kDisabled) state_ = kNormal;
}

void UIPressable::OnMouseDown(int button, float, float) {
  if (button == kLeftButton && state_ != kDisabled) state_ = kPressed;
}

// The listener may delete the widget: nothing of it is touched afterwards.
void UIPressable::OnMouseUp(int button, float, float) {
  if (button != kLeftButton || state_ != kPressed) return;
  state_ = kHot;
  Notify(ui_event::kClick);
  PlayClickSound();
}

// Looked up on every click rather than kept: a sound file read (or read
// again) after the first click is still heard, and no pointer outlives the
// sound entries.
void PlayClickSound() {
  if (SoundEntry* sound = FindSound("tuc")) sound->Play(YVector3(0, 0, 0), -1.0f, YVector3(0, 0, 0));
}
