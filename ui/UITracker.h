// A horizontal slider with a value from 0 to 1: the thumb follows presses
// and drags of the pointer and the Left and Right arrow keys, and every
// change reports code 0 (also when screen code sets the value). The pointer
// over the tracker takes the keyboard focus; while it has the focus both
// parts are drawn in the hot colour.
#pragma once

#include "framework/YColor.h"
#include "ui/UIControl.h"

class YShader;

class UITracker : public UIControl {
 public:
  // The thumb is tw x height wide.
  UITracker(const YRect& rect, std::string_view name, YShader* shader, YShader* thumbShader,
            const YColor& hotColour, float tw);

  void Paint() override;
  // Left and Right arrows step the value by 0.1.
  void OnKeyDown(int vkey) override;
  void OnMouseEnter() override;
  void OnMouseLeave() override;
  void OnMouseMove(float x, float y) override;
  void OnMouseDown(int button, float x, float y) override;
  void OnMouseUp(int button, float x, float y) override;
  // Code 3, then any drag ends.
  void KillFocus() override;

  // Held to [0, 1]; a change reports code 0, no change reports nothing.
  virtual void SetValue(float value);
  virtual float GetValue() const { return value_; }
  // The value that puts the thumb's centre at x: the ends of the track hold
  // half the thumb. A tracker no wider than its thumb has only the value 0.
  float ValueAt(float x) const;
  float ThumbWidth() const { return thumbWidth_; }
  bool Dragging() const { return dragging_; }

  YShader* shader;
  YShader* thumbShader;
  YColor hotColour;
  float step = 0.1f;

 private:
  // The room the thumb moves in; never negative.
  float Travel() const;
  void DrawPart(YShader* part) const;

  float value_ = 0;
  float thumbWidth_;
  bool dragging_ = false;
};
