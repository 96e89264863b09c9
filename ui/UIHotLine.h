// One line piece of a link in a rich text: a clickable run of words named
// after its link. The pieces of one link form a ring, so that they all light
// up together under the pointer; a click on an enabled piece reports code 0
// (the listener tells links apart by the sender's name).
#pragma once

#include <string>

#include "framework/YColor.h"
#include "render/UITextStyle.h"
#include "ui/UIControl.h"

class UIHotLine : public UIControl {
 public:
  static constexpr int kNormal = 0;
  static constexpr int kHot = 1;
  static constexpr int kDisabled = 2;

  // The piece's box: from `baseline` - size down to the baseline, as wide
  // as the text. A new piece is a ring of its own.
  UIHotLine(float x, float baseline, std::string_view linkName, const UITextStyle& style,
            const YColor& hotColour, std::string_view text);
  // Leaves its ring.
  ~UIHotLine() override;

  void Paint() override;
  void OnMouseEnter() override;
  void OnMouseLeave() override;
  void OnMouseDown(int button, float x, float y) override;

  // Puts `other` into this ring right after this piece.
  void Join(UIHotLine* other);
  // Only this piece changes.
  void SetEnabled(bool enabled);
  int State() const { return state_; }
  UIHotLine* Next() const { return next_; }

  std::string text;
  UITextStyle style;
  YColor hotColour;
  YColor disabledColour{0, 0, 0, 0.25f};

 private:
  // Every other piece of the ring in state `from` takes state `to`.
  void SetRing(int from, int to);

  int state_ = kNormal;
  UIHotLine* next_;
};
