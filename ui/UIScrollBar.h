// A vertical scroll bar: an up arrow at the top, a down arrow at the
// bottom (speed buttons, its first two children) and a thumb over the track
// between them whose length and place show which lines of a longer text are
// visible. The arrows step the position by one line; the bar reports
// nothing, its owner reads the position. The track texture holds the track
// in its left half and the thumb in its right half.
#pragma once

#include "ui/UIControl.h"
#include "ui/UIEvent.h"

class UISpeedButton;
class YShader;
class YTextureBase;

class UIScrollBar : public UIControl, public UIEvent {
 public:
  // The arrows are squares of the bar's width with `upTexture` and
  // `downTexture`; the bar listens to them.
  UIScrollBar(const YRect& rect, std::string_view name, YShader* shader, YTextureBase* upTexture,
              YTextureBase* downTexture, YTextureBase* trackTexture);

  void Paint() override;
  // An arrow's click steps the position while it can.
  void OnEvent(int code, UIControl* sender) override;

  // A negative total counts as 0; visible is held to 0..total and the
  // position to 0..total - visible.
  void SetRange(int position, int total, int visible);
  // The position held to 0..total - visible.
  void SetPos(int position);
  int GetPos() const { return position_; }
  int Total() const { return total_; }
  int Visible() const { return visible_; }
  // The thumb's top and length in the bar's coordinates: at least 0.8 x
  // the width long; at the top of the track when every line is visible.
  float ThumbTop() const;
  float ThumbLength() const;

  YShader* shader;
  YTextureBase* trackTexture;
  UISpeedButton* upArrow;
  UISpeedButton* downArrow;

 private:
  float TrackLength() const { return rect.height - 2 * rect.width; }

  int position_ = 0;
  int total_ = 10;
  int visible_ = 5;
};
