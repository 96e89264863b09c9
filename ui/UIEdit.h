// The one-line text entry: a byte string in Windows-1252 shown in one text
// style inside an optional stretchable frame, with a blinking bar caret
// after the text while it has the keyboard focus. Characters are added at
// the end and deleted from the end; there is no caret position and no
// selection. Enter reports code 0, Escape code 5; Shift+Insert and Ctrl+V
// paste the clipboard's text.
#pragma once

#include <functional>
#include <string>

#include "render/UITextStyle.h"
#include "ui/UIControl.h"

class YShader;

class UIEdit : public UIControl {
 public:
  // Where pasted text comes from: the clipboard's text in Windows-1252
  // bytes, empty when it holds none.
  using ClipboardReader = std::function<std::string()>;

  // maxLength > 0 limits the characters typed; the text plus the caret must
  // stay narrower than maxWidth, which a negative value or one wider than
  // the inside (width - 2 x margin) turns into the inside's width. A null
  // shader draws no frame.
  UIEdit(const YRect& rect, std::string_view name, const UITextStyle& style, YShader* shader, int maxLength,
         float lrFactor, float margin, float maxWidth);

  void Paint() override;
  void OnKeyDown(int vkey) override;
  void OnChar(int ch) override;
  // A left press takes the focus.
  void OnMouseDown(int button, float x, float y) override;
  // The caret blinks every 0.2 s while this edit has the focus.
  bool OnAnimate(float dt) override;

  virtual const char* GetText() const { return text_.c_str(); }
  // Takes the text as it is: no limit or character test applies.
  virtual void SetText(std::string_view text) { text_ = std::string(text); }
  virtual int GetLength() const { return static_cast<int>(text_.size()); }
  // Bytes 32 to 255.
  virtual bool IsPrintable(unsigned char c) const { return c >= 32; }
  // Types the clipboard's text byte by byte; what the limits or the
  // character test refuse is skipped.
  void Paste();
  bool CaretVisible() const { return caretVisible_; }
  float MaxWidth() const { return maxWidth_; }
  int MaxLength() const { return maxLength_; }

  // Replaces the clipboard source (the desktop's clipboard by default).
  static void SetClipboardReader(ClipboardReader reader);

  YShader* shader;
  UITextStyle style;

 private:
  void DeleteLast();

  int maxLength_;
  float caretTime_ = 0;
  float lrFactor_;
  float margin_;
  float maxWidth_;
  bool caretVisible_ = false;
  std::string text_;
};
