// A drop-down choice: one item of a list of texts shown in a stretchable
// frame; a click opens the list below it, a click on an item of the list
// makes that item current and reports code 4 (also when it already was, and
// also when screen code sets it).
#pragma once

#include <memory>
#include <string>

#include "framework/YColor.h"
#include "render/UITextStyle.h"
#include "ui/UIControl.h"

class UIComboboxList;
class YShader;
class YTextureBase;

class UICombobox : public UIControl {
 public:
  static constexpr int kNormal = 0;
  static constexpr int kHot = 1;
  static constexpr int kDisabled = 2;

  // The list lies listOffset below the box, as wide as it; the frame's side
  // caps are lrFactor x height wide.
  UICombobox(const YRect& rect, std::string_view name, YShader* shader, YTextureBase* texture,
             YShader* listShader, const UITextStyle& style, const YColor& hotColour, const YColor& disabledColour,
             float margin, float topMargin, float corner, float listOffset, float lrFactor);
  // Closes an open list (destroying it with the box).
  ~UICombobox() override;

  void Paint() override;
  // Removes the items; the current index stays. Hands back nothing.
  std::vector<std::unique_ptr<UIControl>> Clear() override;
  void OnMouseEnter() override;
  void OnMouseLeave() override;
  // Any button: opens the list, or closes it when it is open.
  void OnMouseDown(int button, float x, float y) override;
  // Takes back its list when a click elsewhere closed it.
  void OnCaptureClosed(std::unique_ptr<UIControl> capture) override;

  void AddItem(std::string_view text);
  // Any index is taken; reports code 4 every time.
  void SetCurrent(int index);
  int GetCurrent() const { return current_; }
  // The item at the index held to the list; empty when there are no items.
  std::string GetItemText(int index) const;
  // Disabling closes an open list and greys the text.
  void SetEnabled(bool enabled);
  int State() const { return state_; }
  bool IsOpen() const;
  // Null only once the list is gone (its parent destroyed it while open).
  UIComboboxList* List() const { return list_; }

  float lrFactor;
  float listOffset;
  YShader* shader;
  YTextureBase* texture;  // may be null: the shader's own
  YColor disabledColour;

 private:
  friend class UIComboboxList;
  // Takes the list back from its parent (closing the capture it is).
  void CloseList();
  void TakeBack(std::unique_ptr<UIControl> list);

  int state_ = kNormal;
  int current_ = 0;
  UIComboboxList* list_;                   // always the list, open or closed; null once it is gone
  std::unique_ptr<UIComboboxList> owned_;  // the list while it is closed
};
