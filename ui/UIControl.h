// The element of the user interface: a named rectangle with an optional
// listener, a parent and a list of owned children. Controls form one tree
// per screen or modal dialog, driven by the UI root with time steps,
// drawing and input. Three process-wide pointers name the keyboard focus,
// the mouse capture control and the capture owner; they never outlive the
// controls they name. Main thread only.
#pragma once

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "framework/YMatrix4.h"
#include "framework/YRect.h"

class UIEvent;

class UIControl {
 public:
  // Visible, without parent, children or hot child. `listener` may be null
  // and is not owned.
  UIControl(const YRect& rect, std::string_view name, UIEvent* listener);
  // Destroys the children, then clears the focus, capture and capture
  // owner where they name this control, and makes the UI root forget it.
  virtual ~UIControl();
  UIControl(const UIControl&) = delete;
  UIControl& operator=(const UIControl&) = delete;

  // ---- Tree operations (virtual; the comments give the base behaviour) --
  // Every child's UpdateTree in list order, then OnUpdate; hidden or not.
  virtual void UpdateTree();
  // Nothing when hidden; else every child's Animate, then OnAnimate. True
  // when a control's look changed with the time.
  virtual bool Animate(float dt);
  // Mouse input in this control's own coordinates (relative to its
  // top-left corner). The hot child is the child under the mouse; it gets
  // the events, else this control's On... handlers do.
  virtual void MouseMove(float x, float y);
  // A click that reaches neither the capture control nor its owner closes
  // the capture first; a click without a hot child also takes the focus
  // from any other control.
  virtual void MouseDown(int button, float x, float y);
  virtual void MouseUp(int button, float x, float y);
  // The hot chain below this control is left; then OnMouseLeave.
  virtual void MouseLeave();
  // Draws the subtree when visible: the world matrix is this control's
  // running translation followed by `m`; Paint, then the children in list
  // order. The capture control (an open list) inside the tree is drawn
  // last, over every other control of the tree. Nothing without a renderer.
  virtual void Render(const YMatrix4& m);
  // Widgets draw themselves here, at (0, 0) in their own coordinates.
  virtual void Paint();
  // Where Paint may draw, in the control's own coordinates, when its look
  // follows the pointer: the renderer may then draw that part again alone
  // when only it changed. None (the base) for any other look.
  virtual std::optional<YRect> LookBounds() const { return std::nullopt; }
  // MouseLeave, then the children are handed back (no longer children of
  // this control) in list order.
  virtual std::vector<std::unique_ptr<UIControl>> Clear();
  // Appends `child` and becomes its owner and parent; null is ignored.
  // Returns the child.
  virtual UIControl* AddChild(std::unique_ptr<UIControl> child);
  // Takes `child` out of the list, the last child moving into its place,
  // and hands it back (null when it is not a child of this control). A hot
  // child gets MouseLeave first.
  virtual std::unique_ptr<UIControl> RemoveChild(UIControl* child);
  virtual void SetPosition(float x, float y);
  virtual void OnUpdate();
  virtual void OnKeyDown(int vkey);
  virtual void OnChar(int ch);
  virtual void OnMouseEnter();
  virtual void OnMouseLeave();
  virtual void OnMouseMove(float x, float y);
  virtual void OnMouseDown(int button, float x, float y);
  virtual void OnMouseUp(int button, float x, float y);
  // Makes this visible control the focused one; the old one loses it
  // (code 3), this control reports code 2.
  virtual void SetFocus();
  // When this control has the focus: code 3 is sent (the control still
  // holds the focus while its listener hears of it), then the focus is
  // cleared unless the listener gave it to another control.
  virtual void KillFocus();
  // True when the control's look changed with the time.
  virtual bool OnAnimate(float dt);
  // Whether (x, y), in the parent's coordinates, lies in the rectangle,
  // edges included.
  virtual bool HitTest(float x, float y) const;
  virtual void Show();
  // Takes the focus from this control or a descendant of it, leaves the
  // mouse and stops being the parent's hot child; a hidden control is never
  // hit, drawn or animated.
  virtual void Hide();
  // Receives the capture control when a click outside closed it, on the
  // control named as its owner, which may take it back (a combo box its
  // list). The base lets it go (destroys it).
  virtual void OnCaptureClosed(std::unique_ptr<UIControl> capture);

  // ---- Lookup -----------------------------------------------------------
  // The first direct child of that name (byte for byte), else null.
  UIControl* FindChild(std::string_view name) const;
  // Depth first in list order: a matching child, else its subtree, then
  // the next child. Null when nothing matches.
  UIControl* FindControl(std::string_view name) const;
  bool HasChild(const UIControl* control) const;
  // Whether `control` is a child or a deeper descendant of this one.
  bool IsAncestorOf(const UIControl* control) const;

  // ---- Events, focus and capture -----------------------------------------
  // Sends OnEvent (code, this) to the first listener of: this control, its
  // parent, the UI root's default listener, the UI root's current screen.
  void Notify(int code);
  // Makes `capture` this control's child and the capture control, with
  // `owner` (may be null) as its owner. Null is ignored.
  void SetCapture(std::unique_ptr<UIControl> capture, UIControl* owner);
  // Takes the capture control from its parent and hands it back; the
  // capture is cleared, the owner kept. Null when there was none (or it
  // had no parent).
  static std::unique_ptr<UIControl> ReleaseCapture();
  static UIControl* Focused();
  static UIControl* Capture();
  static UIControl* CaptureOwner();

  // ---- State --------------------------------------------------------------
  UIControl* Parent() const { return parent_; }
  UIControl* HotChild() const { return hot_; }
  bool IsVisible() const { return visible_; }
  std::span<const std::unique_ptr<UIControl>> Children() const { return children_; }

  std::string name;
  YRect rect;  // x and y relative to the parent's top-left corner, y down
  UIEvent* listener = nullptr;

 private:
  // The hot child, dropped (with MouseLeave) when it has been hidden.
  UIControl* LiveHotChild();
  void LeaveHotChild();
  // Whether the child may become hot: only the capture control while one
  // exists (an open list must so lie inside its parent's rectangle, which
  // stays hot around it).
  static bool MayBecomeHot(const UIControl* child);
  // The last-drawn visible child whose rectangle holds the point, or null.
  UIControl* TopChildAt(float x, float y) const;
  // Whether a click on this control keeps the capture open.
  bool KeepsCapture() const;
  void SetWorld(const YMatrix4& m) const;
  void PaintLook(const YMatrix4& m);
  // Draws the capture control that the outermost Render put off.
  static void RenderDeferredCapture();

  std::vector<std::unique_ptr<UIControl>> children_;
  UIControl* parent_ = nullptr;
  UIControl* hot_ = nullptr;
  bool visible_ = true;
};
