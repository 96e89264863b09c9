// The one-operation listener interface of the user interface: controls
// report clicks, focus changes, selections and screen changes through it.
// Screens, panels, the application object and some widgets implement it as
// an additional base. Main thread only.
#pragma once

class UIControl;

// The event codes OnEvent receives.
namespace ui_event {
inline constexpr int kClick = 0;             // a button, hot line or edit box (Enter) was activated
inline constexpr int kDraw = 1;              // a custom-drawn control asks its listener to draw it now
inline constexpr int kFocusGained = 2;       // the sender gained the keyboard focus
inline constexpr int kFocusLost = 3;         // the sender lost the keyboard focus
inline constexpr int kSelectionChanged = 4;  // a combo box's selection changed
inline constexpr int kEscape = 5;            // Escape was pressed in an edit box
inline constexpr int kScreenChanged = 6;     // the UI root made the sender the current screen
}  // namespace ui_event

class UIEvent {
 public:
  // A destroyed listener stops being the UI root's default listener, so
  // the root never calls a dead object.
  virtual ~UIEvent();

  // `sender` is the control the event is about; it stays valid for the call.
  virtual void OnEvent(int code, UIControl* sender) = 0;

 protected:
  UIEvent() = default;
  UIEvent(const UIEvent&) = default;
  UIEvent& operator=(const UIEvent&) = default;
};
