#include "ui/UIRoot.h"

#include <algorithm>
#include <utility>

#include "framework/Log.h"
#include "framework/YMatrix4.h"
#include "render/YRender.h"
#include "render/YShader.h"
#include "ui/UIControl.h"
#include "ui/UIEvent.h"

namespace {

UIRoot* g_uiRoot = nullptr;

constexpr float kModalSpeed = 5.0f;   // per second: a modal opens in 0.2 s
constexpr float kScreenSpeed = 2.5f;  // per second: a screen darkens in 0.4 s
// Just below full darkness, so the next Update reaches it and swaps.
constexpr float kAlmostDark = 0.99999f;

void Erase(std::vector<UIControl*>& list, const UIControl* control) {
  list.erase(std::remove(list.begin(), list.end(), control), list.end());
}

}  // namespace

UIRoot::UIRoot(float width, float height, UIEvent* defaultListener)
    : defaultListener_(defaultListener), width_(width), height_(height) {
  // Top left, bottom left, bottom right, top right: counter-clockwise on
  // screen, so the default culling of clockwise faces keeps it.
  cover_ = {YTexVertex({0, 0, 0}, {0, 0}), YTexVertex({0, height, 0}, {0, 1}),
            YTexVertex({width, height, 0}, {1, 1}), YTexVertex({width, 0, 0}, {1, 0})};
  g_uiRoot = this;
}

UIRoot::~UIRoot() {
  if (g_uiRoot == this) g_uiRoot = nullptr;
}

UIRoot* UIRoot::Instance() {
  return g_uiRoot;
}

void UIRoot::KillFocus() {
  if (UIControl* focused = UIControl::Focused()) focused->KillFocus();
}

void UIRoot::ForgetControl(const UIControl* control) {
  UIRoot* root = g_uiRoot;
  if (!root) return;
  if (root->pending_ == control) root->pending_ = nullptr;
  if (root->current_ == control) root->current_ = nullptr;
  if (root->waiting_ == control) root->waiting_ = nullptr;
  Erase(root->modals_, control);
  for (std::vector<UIControl*>& saved : root->savedStacks_) Erase(saved, control);
}

void UIRoot::ForgetListener(const UIEvent* listener) {
  if (g_uiRoot && g_uiRoot->defaultListener_ == listener) g_uiRoot->defaultListener_ = nullptr;
}

// ---- Screens and modals ------------------------------------------------------

void UIRoot::SetScreen(UIControl* screen) {
  pending_ = screen;
  if (screenFade_ != 1.0f)
    screenTarget_ = 1.0f;
  else
    ResetFade();
}

void UIRoot::ResetFade() {
  screenFade_ = kAlmostDark;
  screenTarget_ = 1.0f;
}

void UIRoot::PushModal(UIControl* modal) {
  if (!modal) {
    Log::Write("A modal dialog that does not exist was not opened.");
    return;
  }
  if (!modals_.empty()) {
    waiting_ = modal;
    modalTarget_ = 0;
    modalChange_ = true;
    return;
  }
  waiting_ = nullptr;
  closing_ = false;
  modals_.push_back(modal);
  modal->Show();
  modalFade_ = 0;
  modalTarget_ = 1.0f;
  modalChange_ = false;
}

void UIRoot::CloseModal() {
  modalChange_ = waiting_ != nullptr;
  closing_ = !modals_.empty();
  if (modals_.empty()) modalFade_ = 0;
  modalTarget_ = 0;
}

void UIRoot::CloseAllModals() {
  modalChange_ = false;
  if (modals_.size() > 1) modals_.erase(modals_.begin(), modals_.end() - 1);
  CloseModal();
}

// The pending slot follows, so that the root is at rest on the screen: a
// later ResetFade swaps it in again rather than an older pending one.
void UIRoot::SetCurrentScreen(UIControl* screen) {
  current_ = screen;
  pending_ = screen;
}

void UIRoot::ClearModals() {
  modals_.clear();
  modalChange_ = false;
  closing_ = false;
}

void UIRoot::SaveModalStack() {
  savedStacks_.push_back(modals_);
  modals_.clear();
  closing_ = false;
}

void UIRoot::RestoreModalStack() {
  if (!savedStacks_.empty()) {
    modals_ = std::move(savedStacks_.back());
    savedStacks_.pop_back();
  }
  if (!modals_.empty()) modalFade_ = modalTarget_ = 1.0f;
  closing_ = false;
}

UIControl* UIRoot::GetActive() const {
  if (!modals_.empty()) return modals_.back();
  return pending_ ? pending_ : current_;
}

UIControl* UIRoot::GetTopModal() const {
  return modals_.empty() ? nullptr : modals_.back();
}

// ---- Frame --------------------------------------------------------------------

bool UIRoot::Update(float dt) {
  const bool fading = modalFade_ != modalTarget_ || screenFade_ != screenTarget_;
  const bool changed = AnimateAll(dt);
  StepModalFade(dt);
  StepScreenFade(dt);
  return changed || fading;
}

bool UIRoot::AnimateAll(float dt) {
  bool changed = current_ && current_->Animate(dt);
  for (std::size_t i = 0; i < modals_.size(); ++i) changed = modals_[i]->Animate(dt) || changed;
  return changed;
}

// A shrink finishes when the fade reaches its target 0, and also when it is
// already there: a modal closed, or replaced, before it began to grow (two
// PushModal calls, or PushModal and CloseModal, within one frame) sits at
// 0 with target 0 and would otherwise never be popped or replaced.
void UIRoot::StepModalFade(float dt) {
  if (modalFade_ < modalTarget_) {
    modalFade_ += kModalSpeed * dt;
    if (modalFade_ < modalTarget_) return;
    modalFade_ = modalTarget_;
    RefreshMouse();
    return;
  }
  if (modalFade_ > modalTarget_) {
    modalFade_ -= kModalSpeed * dt;
    if (modalFade_ > modalTarget_) return;
  } else if (modalTarget_ != 0 || (!waiting_ && modals_.empty())) {
    return;  // at rest: open, or nothing left to close
  }
  modalFade_ = modalTarget_;
  FinishShrink();
}

// The shrunk modal makes way: a closed one (or one with nothing waiting)
// is hidden and popped, and the waiting one, if any, is pushed; a new top
// grows open from a line. A modal that only shrank for the waiting one
// stays below it.
void UIRoot::FinishShrink() {
  if (!modals_.empty() && (closing_ || !waiting_)) {
    UIControl* top = modals_.back();
    modals_.pop_back();
    top->Hide();
  }
  closing_ = false;
  if (waiting_) modals_.push_back(std::exchange(waiting_, nullptr));
  if (!modals_.empty()) {
    modals_.back()->Show();
    modalChange_ = true;
    modalFade_ = 0;
    modalTarget_ = 1.0f;
  }
  RefreshMouse();
}

void UIRoot::StepScreenFade(float dt) {
  if (screenFade_ < screenTarget_) {
    screenFade_ += kScreenSpeed * dt;
    if (screenFade_ < screenTarget_) return;
    screenFade_ = screenTarget_;
    screenTarget_ = 0;
    SwapScreen();
  } else if (screenFade_ > screenTarget_) {
    screenFade_ -= kScreenSpeed * dt;
    if (screenFade_ <= screenTarget_) screenFade_ = screenTarget_;
  }
}

// At full darkness: the pending screen becomes current and the default
// listener hears of it once. The pending slot keeps the screen, so that
// ResetFade swaps the same screen in again (the screens' handler does so).
void UIRoot::SwapScreen() {
  if (current_) current_->Hide();
  current_ = pending_;
  if (defaultListener_) defaultListener_->OnEvent(ui_event::kScreenChanged, current_);
  if (current_) current_->Show();
  RefreshMouse();
}

void UIRoot::Draw() {
  if (!g_render) return;
  if (!modalFadeShader_) {
    modalFadeShader_ = GetShader("modal_fade");
    uiFadeShader_ = GetShader("ui_fade");
  }
  const YMatrix4 identity;
  if (current_) current_->Render(identity);
  if (!modals_.empty()) DrawModal();
  g_render->SetWorldTransform(identity);
  if (screenFade_ > 0) DrawCover(uiFadeShader_, 0.25f * screenFade_, screenFade_);
}

// Dims what lies below, then draws the top modal scaled about the middle
// row of the UI space by its fade: from a line to its full height.
void UIRoot::DrawModal() {
  const float a = (modals_.size() < 2 && !modalChange_) ? modalFade_ : 1.0f;
  g_render->SetWorldTransform(YMatrix4());
  DrawCover(modalFadeShader_, 0.25f * a, 0.5f * a);
  YMatrix4 scale, move, m;
  scale.SetScaling(YVector3(1, modalFade_, 1));
  move.SetTranslation(YVector3(0, (1 - modalFade_) * height_ * 0.5f, 0));
  move.Multiply(m, scale);  // the scaling first, then the move
  modals_.back()->Render(m);
}

void UIRoot::DrawCover(YShader* shader, float grey, float alpha) {
  g_render->SetShaderColor(shader, YColor(grey, grey, grey, alpha));
  g_render->DrawQuad28(cover_.data());
}

// ---- Input ----------------------------------------------------------------------

YVector2 UIRoot::ToUICoords(float x, float y) const {
  return YVector2((x + 1) * width_ * 0.5f, (height_ - y * width_) * 0.5f);
}

UIControl* UIRoot::MouseTarget() const {
  return modals_.empty() ? current_ : modals_.back();
}

void UIRoot::OnMouseMove(float x, float y) {
  mouseX_ = x;
  mouseY_ = y;
  UIControl* target = MouseTarget();
  if (!target) return;
  const YVector2 p = ToUICoords(x, y);
  target->MouseMove(p.x - target->rect.x, p.y - target->rect.y);
}

void UIRoot::OnMouseDown(int button, float x, float y) {
  // A press where no move was seen (a screen shown under a resting pointer,
  // a pointer moved while no screen took it) first finds its control.
  if (x != mouseX_ || y != mouseY_) OnMouseMove(x, y);
  UIControl* target = MouseTarget();
  if (!target) return;
  const YVector2 p = ToUICoords(x, y);
  target->MouseDown(button, p.x - target->rect.x, p.y - target->rect.y);
}

void UIRoot::OnMouseUp(int button, float x, float y) {
  if (x != mouseX_ || y != mouseY_) OnMouseMove(x, y);
  UIControl* target = MouseTarget();
  if (!target) return;
  const YVector2 p = ToUICoords(x, y);
  target->MouseUp(button, p.x - target->rect.x, p.y - target->rect.y);
}

void UIRoot::RefreshMouse() {
  OnMouseMove(mouseX_, mouseY_);
}

void UIRoot::OnKeyDown(int vkey) {
  if (!current_ && modals_.empty()) return;
  if (UIControl* focused = UIControl::Focused()) focused->OnKeyDown(vkey);
}

void UIRoot::OnChar(int ch) {
  if (!current_ && modals_.empty()) return;
  if (UIControl* focused = UIControl::Focused()) focused->OnChar(ch);
}
