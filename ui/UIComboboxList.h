// The drop-down list of a combo box: its items one per line in a framed
// box, the item under the pointer lit. While open it is the capture control
// (a child of the combo box's parent, drawn after every other control of
// the tree being drawn, so over them all); a click on
// an item makes it the combo box's current one and closes the list.
#pragma once

#include <string>
#include <vector>

#include "framework/YColor.h"
#include "render/UITextStyle.h"
#include "ui/UIControl.h"

class UICombobox;
class YShader;

class UIComboboxList : public UIControl {
 public:
  // `owner` may be null. The items are `style.size` apart, topMargin above
  // the first and below the last, at x = margin; the frame's caps are
  // `corner` wide and high.
  UIComboboxList(UICombobox* owner, const YRect& rect, const UITextStyle& style, const YColor& hotColour,
                 YShader* shader, float corner, float margin, float topMargin);
  // Tells its owner that it is gone.
  ~UIComboboxList() override;

  void Paint() override;
  // Removes the items; the list is one line high. Hands back nothing.
  std::vector<std::unique_ptr<UIControl>> Clear() override;
  void OnMouseLeave() override;
  void OnMouseMove(float x, float y) override;
  // On an item: it becomes the owner's current one and the list closes.
  // A press on the margins keeps the list open.
  void OnMouseDown(int button, float x, float y) override;

  void AddItem(std::string_view text);
  const std::vector<std::string>& Items() const { return items_; }
  int Hovered() const { return hovered_; }
  void SetHovered(int index) { hovered_ = index; }
  UICombobox* Owner() const { return owner_; }
  void ForgetOwner() { owner_ = nullptr; }

  float margin;
  float topMargin;
  float corner;
  YShader* shader;
  UITextStyle style;
  YColor hotColour;

 private:
  UICombobox* owner_;
  std::vector<std::string> items_;
  int hovered_ = -1;
};
