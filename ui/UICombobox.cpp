#include "ui/UICombobox.h"

#include <algorithm>

#include "render/StyledText.h"
#include "render/YRender.h"
#include "ui/UIComboboxList.h"
#include "ui/UIEvent.h"
#include "ui/UIQuads.h"

UICombobox::UICombobox(const YRect& r, std::string_view n, YShader* shader_, YTextureBase* texture_,
                       YShader* listShader, const UITextStyle& style, const YColor& hotColour,
                       const YColor& disabledColour_, float margin, float topMargin, float corner,
                       float listOffset_, float lrFactor_)
    : UIControl(r, n, nullptr),
      lrFactor(lrFactor_),
      listOffset(listOffset_),
      shader(shader_),
      texture(texture_),
      disabledColour(disabledColour_) {
  const YRect listRect(r.x, r.y + r.height + listOffset_, r.width, r.height);
  owned_ = std::make_unique<UIComboboxList>(this, listRect, style, hotColour, listShader, corner, margin, topMargin);
  list_ = owned_.get();
}

// An open list belongs to the box's parent; it goes with the box, so that
// no list is left open without its owner.
UICombobox::~UICombobox() {
  if (!list_ || owned_) return;
  list_->ForgetOwner();
  UIControl* list = list_;
  list_ = nullptr;
  if (Capture() == list) {
    ReleaseCapture().reset();
  } else if (UIControl* parent = list->Parent()) {
    parent->RemoveChild(list).reset();
  }
}

bool UICombobox::IsOpen() const {
  return list_ && list_->Parent() != nullptr;
}

void UICombobox::AddItem(std::string_view text) {
  if (list_) list_->AddItem(text);
}

std::vector<std::unique_ptr<UIControl>> UICombobox::Clear() {
  if (list_) list_->Clear();
  return {};
}

void UICombobox::SetCurrent(int index) {
  current_ = index;
  Notify(ui_event::kSelectionChanged);
}

std::string UICombobox::GetItemText(int index) const {
  if (!list_ || list_->Items().empty()) return {};
  const auto& items = list_->Items();
  return items[static_cast<std::size_t>(std::clamp(index, 0, static_cast<int>(items.size()) - 1))];
}

void UICombobox::SetEnabled(bool enabled) {
  if (!enabled) {
    CloseList();
    state_ = kDisabled;
  } else if (state_ == kDisabled) {
    state_ = kNormal;
  }
}

void UICombobox::OnMouseEnter() {
  if (state_ != kDisabled) state_ = kHot;
}

void UICombobox::OnMouseLeave() {
  if (state_ != kDisabled) state_ = kNormal;
}

void UICombobox::OnMouseDown(int, float, float) {
  if (state_ == kDisabled || !list_) return;
  if (IsOpen()) {
    CloseList();
    return;
  }
  UIControl* parent = Parent();
  if (!parent || !owned_) return;
  list_->SetHovered(-1);
  parent->SetCapture(std::move(owned_), this);
}

void UICombobox::CloseList() {
  if (!IsOpen()) return;
  if (Capture() == list_)
    TakeBack(ReleaseCapture());
  else
    TakeBack(list_->Parent()->RemoveChild(list_));
}

void UICombobox::OnCaptureClosed(std::unique_ptr<UIControl> capture) {
  if (capture.get() == list_)
    TakeBack(std::move(capture));
  else
    UIControl::OnCaptureClosed(std::move(capture));
}

void UICombobox::TakeBack(std::unique_ptr<UIControl> list) {
  if (!list || list.get() != list_) return;
  owned_.reset(static_cast<UIComboboxList*>(list.release()));
}

// The frame's top half, or its bottom half while hot or open; the current
// item centred on the height in the list's style.
void UICombobox::Paint() {
  const bool hot = state_ == kHot || IsOpen();
  const float w = rect.width, h = rect.height;
  BuildSideCapBands(YRect(0, 0, w, h), hot ? UITexRect(0, 0.51f, 1, 0.49f) : UITexRect(0, 0.01f, 1, 0.49f),
                    lrFactor);
  g_render->SetShader(shader, true);
  g_render->SetStageTexture(texture, 0);
  g_render->DrawStrip28(UIQuadVertices.data(), 6);
  if (!list_ || current_ < 0 || current_ >= static_cast<int>(list_->Items().size())) return;
  const UITextStyle& style = list_->style;
  const YColor& colour = hot ? list_->hotColour : state_ == kDisabled ? disabledColour : style.colour;
  DrawStyledTextColor(list_->margin, (style.size + h) * 0.5f, style, colour,
                      list_->Items()[static_cast<std::size_t>(current_)]);
}
