#include "ui/UIControl.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "render/YRender.h"
#include "ui/UIEvent.h"
#include "ui/UIRoot.h"

namespace {

UIControl* g_focus = nullptr;
UIControl* g_capture = nullptr;
UIControl* g_captureOwner = nullptr;
UIControl* g_losingFocus = nullptr;  // the control whose KillFocus is telling its listener

// The running translation of Render: the sum of the positions of the
// control being drawn and its ancestors.
YMatrix4& RunningTranslation() {
  static YMatrix4 translation;
  return translation;
}

// The open capture control (a drop-down list) met while drawing a tree: it
// is drawn once the whole tree is, so no later control covers it.
struct DeferredCapture {
  UIControl* control = nullptr;
  YMatrix4 m;
  float x = 0, y = 0;  // the running translation where it was met
};
DeferredCapture g_deferredCapture;
int g_renderDepth = 0;  // how many Render calls are under way

}  // namespace

UIControl::UIControl(const YRect& rect_, std::string_view name_, UIEvent* listener_)
    : name(name_), rect(rect_), listener(listener_) {}

UIControl::~UIControl() {
  hot_ = nullptr;
  while (!children_.empty()) {
    std::unique_ptr<UIControl> child = std::move(children_.back());
    children_.pop_back();
    child->parent_ = nullptr;
  }
  // Only a parent owns a child, so a control with a parent is destroyed by
  // it; should one still be listed, it is taken out without a second delete.
  if (parent_) static_cast<void>(parent_->RemoveChild(this).release());
  if (g_focus == this) g_focus = nullptr;
  if (g_capture == this) g_capture = nullptr;
  if (g_captureOwner == this) g_captureOwner = nullptr;
  if (g_losingFocus == this) g_losingFocus = nullptr;
  UIRoot::ForgetControl(this);
}

// ---- Tree --------------------------------------------------------------

void UIControl::UpdateTree() {
  for (std::size_t i = 0; i < children_.size(); ++i) children_[i]->UpdateTree();
  OnUpdate();
}

bool UIControl::Animate(float dt) {
  if (!visible_) return false;
  bool changed = false;
  for (std::size_t i = 0; i < children_.size(); ++i) changed = children_[i]->Animate(dt) || changed;
  return OnAnimate(dt) || changed;
}

UIControl* UIControl::AddChild(std::unique_ptr<UIControl> child) {
  if (!child) return nullptr;
  child->parent_ = this;
  children_.push_back(std::move(child));
  return children_.back().get();
}

std::unique_ptr<UIControl> UIControl::RemoveChild(UIControl* child) {
  const auto it = std::find_if(children_.begin(), children_.end(),
                               [child](const std::unique_ptr<UIControl>& c) { return c.get() == child; });
  if (!child || it == children_.end()) return nullptr;
  if (hot_ == child) LeaveHotChild();
  std::unique_ptr<UIControl> removed = std::move(*it);
  *it = std::move(children_.back());
  children_.pop_back();
  removed->parent_ = nullptr;
  return removed;
}

std::vector<std::unique_ptr<UIControl>> UIControl::Clear() {
  MouseLeave();
  std::vector<std::unique_ptr<UIControl>> taken = std::move(children_);
  children_.clear();
  for (const std::unique_ptr<UIControl>& child : taken) child->parent_ = nullptr;
  return taken;
}

void UIControl::SetPosition(float x, float y) {
  rect.x = x;
  rect.y = y;
}

// ---- Mouse -------------------------------------------------------------

UIControl* UIControl::LiveHotChild() {
  if (hot_ && !hot_->visible_) LeaveHotChild();
  return hot_;
}

void UIControl::LeaveHotChild() {
  UIControl* left = hot_;
  hot_ = nullptr;
  if (left) left->MouseLeave();
}

bool UIControl::MayBecomeHot(const UIControl* child) {
  return !g_capture || child == g_capture;
}

bool UIControl::KeepsCapture() const {
  return this == g_capture || this == g_captureOwner;
}

UIControl* UIControl::TopChildAt(float x, float y) const {
  for (std::size_t i = children_.size(); i-- > 0;) {
    UIControl* child = children_[i].get();
    if (child->visible_ && child->HitTest(x, y)) return child;
  }
  return nullptr;
}

void UIControl::MouseMove(float x, float y) {
  if (LiveHotChild() && !hot_->HitTest(x, y)) LeaveHotChild();
  // The topmost child under the pointer is the hot one, also when the
  // pointer comes onto it from a child beneath (a button on a panel).
  UIControl* top = TopChildAt(x, y);
  if (top != nullptr && top != hot_ && MayBecomeHot(top)) {
    LeaveHotChild();
    hot_ = top;
    top->OnMouseEnter();
  }
  if (hot_)
    hot_->MouseMove(x - hot_->rect.x, y - hot_->rect.y);
  else
    OnMouseMove(x, y);
}

void UIControl::MouseDown(int button, float x, float y) {
  if (UIControl* hot = LiveHotChild()) {
    hot->MouseDown(button, x - hot->rect.x, y - hot->rect.y);
    return;
  }
  if (g_capture && !KeepsCapture()) {
    UIControl* owner = g_captureOwner;
    std::unique_ptr<UIControl> closed = ReleaseCapture();
    if (owner) owner->OnCaptureClosed(std::move(closed));
  }
  if (g_focus && g_focus != this) g_focus->KillFocus();
  OnMouseDown(button, x, y);
}

void UIControl::MouseUp(int button, float x, float y) {
  if (UIControl* hot = LiveHotChild())
    hot->MouseUp(button, x - hot->rect.x, y - hot->rect.y);
  else
    OnMouseUp(button, x, y);
}

void UIControl::MouseLeave() {
  LeaveHotChild();
  OnMouseLeave();
}

bool UIControl::HitTest(float x, float y) const {
  return rect.x <= x && x <= rect.x + rect.width && rect.y <= y && y <= rect.y + rect.height;
}

// ---- Drawing -----------------------------------------------------------

void UIControl::SetWorld(const YMatrix4& m) const {
  YMatrix4 world;
  m.Multiply(world, RunningTranslation());  // the translation first, then m
  g_render->SetWorldTransform(world);
}

// A look that follows the pointer is drawn as a spot, its bounds carried
// into the UI's space as its draws are.
void UIControl::PaintLook(const YMatrix4& m) {
  const std::optional<YRect> bounds = LookBounds();
  if (!bounds) return Paint();
  YMatrix4 world;
  m.Multiply(world, RunningTranslation());
  const YVector3 a = world.TransformPoint(YVector3(bounds->x, bounds->y, 0));
  const YVector3 b = world.TransformPoint(YVector3(bounds->x + bounds->width, bounds->y + bounds->height, 0));
  g_render->BeginSpot(YRect(std::min(a.x, b.x), std::min(a.y, b.y), std::abs(b.x - a.x), std::abs(b.y - a.y)));
  Paint();
  g_render->EndSpot();
}

void UIControl::Render(const YMatrix4& m) {
  if (!visible_ || !g_render) return;
  YMatrix4& translation = RunningTranslation();
  const float outerX = translation.m[3][0], outerY = translation.m[3][1];
  if (this == g_capture && g_renderDepth > 0) {
    g_deferredCapture = {this, m, outerX, outerY};
    return;
  }
  ++g_renderDepth;
  translation.m[3][0] = outerX + rect.x;
  translation.m[3][1] = outerY + rect.y;
  SetWorld(m);
  PaintLook(m);
  for (std::size_t i = 0; i < children_.size(); ++i) children_[i]->Render(m);
  translation.m[3][0] = outerX;
  translation.m[3][1] = outerY;
  --g_renderDepth;
  if (g_renderDepth == 0) RenderDeferredCapture();
  SetWorld(m);
}

void UIControl::RenderDeferredCapture() {
  const DeferredCapture deferred = std::exchange(g_deferredCapture, {});
  if (!deferred.control || deferred.control != g_capture) return;  // closed while drawing
  YMatrix4& translation = RunningTranslation();
  const float outerX = translation.m[3][0], outerY = translation.m[3][1];
  translation.m[3][0] = deferred.x;
  translation.m[3][1] = deferred.y;
  deferred.control->Render(deferred.m);  // at depth 0: drawn at once
  translation.m[3][0] = outerX;
  translation.m[3][1] = outerY;
}

// ---- Visibility and focus ------------------------------------------------

void UIControl::Show() {
  visible_ = true;
}

void UIControl::Hide() {
  if (g_focus && (g_focus == this || IsAncestorOf(g_focus))) g_focus->KillFocus();
  MouseLeave();
  visible_ = false;
  if (parent_ && parent_->hot_ == this) parent_->hot_ = nullptr;
}

void UIControl::SetFocus() {
  if (g_focus == this || !visible_) return;
  if (g_focus) g_focus->KillFocus();
  g_focus = this;
  Notify(ui_event::kFocusGained);
}

// The listener hears of the loss while this control still holds the focus;
// a listener that moves the focus elsewhere meanwhile does not come back
// here, and the focus it gave is kept.
void UIControl::KillFocus() {
  if (g_focus != this || g_losingFocus == this) return;
  g_losingFocus = this;
  Notify(ui_event::kFocusLost);
  if (g_losingFocus == this) g_losingFocus = nullptr;
  if (g_focus == this) g_focus = nullptr;
}

UIControl* UIControl::Focused() {
  return g_focus;
}

// ---- Lookup -------------------------------------------------------------

UIControl* UIControl::FindChild(std::string_view wanted) const {
  for (const std::unique_ptr<UIControl>& child : children_)
    if (child->name == wanted) return child.get();
  return nullptr;
}

UIControl* UIControl::FindControl(std::string_view wanted) const {
  for (const std::unique_ptr<UIControl>& child : children_) {
    if (child->name == wanted) return child.get();
    if (UIControl* found = child->FindControl(wanted)) return found;
  }
  return nullptr;
}

bool UIControl::HasChild(const UIControl* control) const {
  return control && control->parent_ == this;
}

bool UIControl::IsAncestorOf(const UIControl* control) const {
  for (const UIControl* p = control ? control->parent_ : nullptr; p; p = p->parent_)
    if (p == this) return true;
  return false;
}

// ---- Events and capture ----------------------------------------------------

void UIControl::Notify(int code) {
  UIEvent* target = listener;
  if (!target && parent_) target = parent_->listener;
  if (UIRoot* root = UIRoot::Instance(); root && !target) {
    target = root->DefaultListener();
    if (!target && root->CurrentScreen()) target = root->CurrentScreen()->listener;
  }
  if (target) target->OnEvent(code, this);
}

void UIControl::SetCapture(std::unique_ptr<UIControl> capture, UIControl* owner) {
  if (!capture) return;
  g_capture = capture.get();
  g_captureOwner = owner;
  AddChild(std::move(capture));
}

std::unique_ptr<UIControl> UIControl::ReleaseCapture() {
  UIControl* capture = g_capture;
  if (!capture) return nullptr;
  std::unique_ptr<UIControl> released = capture->parent_ ? capture->parent_->RemoveChild(capture) : nullptr;
  g_capture = nullptr;
  return released;
}

void UIControl::OnCaptureClosed(std::unique_ptr<UIControl> /*capture*/) {}

UIControl* UIControl::Capture() {
  return g_capture;
}

UIControl* UIControl::CaptureOwner() {
  return g_captureOwner;
}

// ---- Handlers the widgets override ------------------------------------------

void UIControl::Paint() {}
void UIControl::OnUpdate() {}
void UIControl::OnKeyDown(int /*vkey*/) {}
void UIControl::OnChar(int /*ch*/) {}
void UIControl::OnMouseEnter() {}
void UIControl::OnMouseLeave() {}
void UIControl::OnMouseMove(float /*x*/, float /*y*/) {}
void UIControl::OnMouseDown(int /*button*/, float /*x*/, float /*y*/) {}
void UIControl::OnMouseUp(int /*button*/, float /*x*/, float /*y*/) {}
bool UIControl::OnAnimate(float /*dt*/) {
  return false;
}
