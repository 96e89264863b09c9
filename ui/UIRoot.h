// The one top of the user interface: the current screen (a control tree),
// the pending screen that replaces it at the darkest point of a fade, the
// stack of modal dialogs of which only the top one is drawn and takes
// input, the screen and modal fades, and the default listener that hears
// events no control's listener takes. It owns none of the controls.
// Published process-wide while it lives. Main thread only.
#pragma once

#include <array>
#include <vector>

#include "framework/YTexVertex.h"
#include "framework/YVector2.h"

class UIControl;
class UIEvent;
class YShader;

class UIRoot {
 public:
  // A UI space of width x height units (1000 x 625 for the game);
  // `defaultListener` may be null. Publishes itself.
  UIRoot(float width, float height, UIEvent* defaultListener);
  // Stops being published.
  ~UIRoot();
  UIRoot(const UIRoot&) = delete;
  UIRoot& operator=(const UIRoot&) = delete;

  // The published root, or null.
  static UIRoot* Instance();
  // Gives the focused control, if any, KillFocus.
  static void KillFocus();

  // Not owned; a listener that is destroyed is forgotten.
  void SetDefaultListener(UIEvent* listener) { defaultListener_ = listener; }
  UIEvent* DefaultListener() const { return defaultListener_; }
  // The UI space's size.
  float Width() const { return width_; }
  float Height() const { return height_; }

  // ---- Screens and modals ------------------------------------------------
  // Starts a change to `screen` (null: no screen): the old one darkens for
  // 0.4 s, the swap happens at full darkness, the new one brightens.
  void SetScreen(UIControl* screen);
  // Makes a pending change happen on the next Update.
  void ResetFade();
  // Opens `modal` over the screen: at once when none is open, else it
  // waits until the open one has shrunk and is then pushed above it, or in
  // its place when that one was closed (before or after this call). A null
  // modal (a layout that failed to load) is ignored with a log line.
  void PushModal(UIControl* modal);
  // Shrinks the top modal; Update pops it and opens the waiting one, if
  // any, else reopens the one below.
  void CloseModal();
  // Drops all modals but the top one (not hidden), then closes the top
  // one; a waiting modal still opens once it has shrunk.
  void CloseAllModals();
  // For the screens' own bookkeeping: makes `screen` current at once (no
  // fade, no event; null: none), e.g. while the screens are reloaded or
  // when a book closes over the screen it hid.
  void SetCurrentScreen(UIControl* screen);
  // Empties the modal stack at once, without hiding anything (a reload of
  // the screens).
  void ClearModals();
  // Parks the modal stack (emptying it) / brings the last parked one back,
  // fully open.
  void SaveModalStack();
  void RestoreModalStack();
  // The top modal, else the pending screen, else the current screen.
  UIControl* GetActive() const;
  UIControl* GetTopModal() const;
  UIControl* CurrentScreen() const { return current_; }
  UIControl* PendingScreen() const { return pending_; }
  UIControl* WaitingModal() const { return waiting_; }
  // The top modal shrinks on its way out: closed, or making way for a
  // waiting one.
  bool TopModalLeaving() const { return !modals_.empty() && modalTarget_ == 0; }
  const std::vector<UIControl*>& ModalStack() const { return modals_; }
  // 0 closed (or shrunk to a line) .. 1 open / 0 visible .. 1 dark.
  float ModalFade() const { return modalFade_; }
  float ScreenFade() const { return screenFade_; }

  // ---- Frame ---------------------------------------------------------------
  // Animates the screen and the modals, then steps the modal fade (5 per
  // second) and the screen fade (2.5 per second); dt in seconds. True when
  // an animation changed a control's look or a fade moved.
  bool Update(float dt);
  // The screen, the dimming and the top modal, then the screen fade over
  // everything. Nothing without a renderer.
  void Draw();

  // ---- Input -----------------------------------------------------------------
  // Positions in the centred view frame (x -1..1 left to right, y from
  // height/width at the top to -height/width at the bottom). The mouse goes
  // to the top modal, else the current screen; keys to the focused control
  // while a screen or modal exists.
  void OnMouseMove(float x, float y);
  void OnMouseDown(int button, float x, float y);
  void OnMouseUp(int button, float x, float y);
  // Sends the last mouse position again, so hot controls follow a change.
  void RefreshMouse();
  void OnKeyDown(int vkey);
  void OnChar(int ch);
  // A view position in UI units: (0, 0) top left, (width, height) bottom right.
  YVector2 ToUICoords(float x, float y) const;

 private:
  friend class UIControl;
  friend class UIEvent;
  // Called by destructors, so the root never keeps a dead pointer.
  static void ForgetControl(const UIControl* control);
  static void ForgetListener(const UIEvent* listener);

  UIControl* MouseTarget() const;
  bool AnimateAll(float dt);
  void StepModalFade(float dt);
  void FinishShrink();
  void StepScreenFade(float dt);
  void SwapScreen();
  void DrawModal();
  void DrawCover(YShader* shader, float grey, float alpha);

  float modalFade_ = 0;
  float modalTarget_ = 0;
  float screenFade_ = 0;
  float screenTarget_ = 0;
  bool modalChange_ = false;  // one modal replaces another: the dimming stays full
  bool closing_ = false;      // the top modal goes once it has shrunk
  UIControl* pending_ = nullptr;
  UIControl* current_ = nullptr;
  std::vector<UIControl*> modals_;  // the last is the top
  UIEvent* defaultListener_ = nullptr;
  float width_;
  float height_;

  UIControl* waiting_ = nullptr;  // pushed once the open modal has shrunk
  std::vector<std::vector<UIControl*>> savedStacks_;
  float mouseX_ = 0, mouseY_ = 0;    // the last mouse position, view frame
  std::array<YTexVertex, 4> cover_;  // the whole UI space, counter-clockwise on screen
  YShader* modalFadeShader_ = nullptr;
  YShader* uiFadeShader_ = nullptr;
};
