// The base of the clickable widgets with four looks (speed button, hot
// image, caption button): the mouse rules that move between the looks. A
// click is a left press and a left release with the pointer over the widget
// the whole time; it reports code 0 and plays the click sound "tuc". A
// disabled widget ignores the mouse.
#pragma once

#include "ui/UIControl.h"

class UIPressable : public UIControl {
 public:
  static constexpr int kNormal = 0;
  static constexpr int kHot = 1;
  static constexpr int kPressed = 2;
  static constexpr int kDisabled = 3;
  static constexpr int kLeftButton = 1;

  UIPressable(const YRect& rect, std::string_view name);

  void OnMouseEnter() override;
  // Leaving ends a press: coming back before the release is no click.
  void OnMouseLeave() override;
  void OnMouseDown(int button, float x, float y) override;
  void OnMouseUp(int button, float x, float y) override;

  int State() const { return state_; }

 protected:
  int state_ = kNormal;
};

// Plays the click sound at full volume, when the sound file declared it.
void PlayClickSound();
