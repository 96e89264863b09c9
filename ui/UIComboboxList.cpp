#include "ui/UIComboboxList.h"

#include "render/StyledText.h"
#include "render/YRender.h"
#include "ui/UICombobox.h"
#include "ui/UIQuads.h"

UIComboboxList::UIComboboxList(UICombobox* owner, const YRect& r, const UITextStyle& style_,
                               const YColor& hotColour_, YShader* shader_, float corner_, float margin_,
                               float topMargin_)
    : UIControl(r, "", nullptr),
      margin(margin_),
      topMargin(topMargin_),
      corner(corner_),
      shader(shader_),
      style(style_),
      hotColour(hotColour_),
      owner_(owner) {}

UIComboboxList::~UIComboboxList() {
  if (owner_ && owner_->list_ == this) owner_->list_ = nullptr;
}

void UIComboboxList::AddItem(std::string_view text) {
  items_.emplace_back(text);
  rect.height = static_cast<float>(items_.size()) * style.size + 2 * topMargin;
}

std::vector<std::unique_ptr<UIControl>> UIComboboxList::Clear() {
  items_.clear();
  hovered_ = -1;
  rect.height = 2 * topMargin + style.size;
  return {};
}

// A pointer in the top margin, less than a line above the first item,
// truncates to the first item.
void UIComboboxList::OnMouseMove(float, float y) {
  hovered_ = -1;
  if (!(style.size > 0)) return;
  const float line = (y - topMargin) / style.size;
  if (!(line > -1.0f && line < static_cast<float>(items_.size()))) return;
  hovered_ = static_cast<int>(line);
}

void UIComboboxList::OnMouseLeave() {
  hovered_ = -1;
}

// The list is back with its owner before the owner reports the choice, so a
// listener may do anything with the combo box, even delete it.
void UIComboboxList::OnMouseDown(int, float, float) {
  if (hovered_ < 0 || !owner_) return;
  UICombobox* owner = owner_;
  const int chosen = hovered_;
  if (Capture() == this) owner->TakeBack(ReleaseCapture());
  owner->SetCurrent(chosen);
}

// Three bands from the top of the texture (v = 1) at the list's top to its
// bottom (v = 0) at the list's bottom, then the items.
void UIComboboxList::Paint() {
  const float w = rect.width, h = rect.height, c = corner;
  g_render->SetShader(shader, true);
  const struct {
    float y, height, vBottom, vTop;
  } bands[3] = {{0, c, 0.75f, 1.0f}, {c, h - 2 * c, 0.25f, 0.75f}, {h - c, c, 0.0f, 0.25f}};
  for (const auto& band : bands) {
    BuildListBands(YRect(0, band.y, w, band.height), c, band.vBottom, band.vTop);
    g_render->DrawStrip28(UIQuadVertices.data(), 6);
  }
  for (std::size_t i = 0; i < items_.size(); ++i) {
    const float y = static_cast<float>(i + 1) * style.size + topMargin;
    if (static_cast<int>(i) == hovered_)
      DrawStyledTextColor(margin, y, style, hotColour, items_[i]);
    else
      DrawStyledText(margin, y, style, items_[i]);
  }
}
