// Filling the texts of a loaded screen: the message and question boxes and
// the numbers of the result screens. A control that is missing or of
// another kind is skipped. Main thread only.
#pragma once

#include <cstdint>
#include <string_view>

class UIControl;
class UIRoot;

namespace screen_texts {
// Alignment codes of the text control: numbers at 0, centred texts at 2.
inline constexpr int kNumber = 0;
inline constexpr int kCentred = 2;

// The text control `name` of `screen` shows `text` in its own style.
void SetText(UIControl* screen, std::string_view name, std::string_view text, int align);
// The same with `value` in decimal after `sign` ("+120", "-40").
void SetNumber(UIControl* screen, std::string_view name, char sign, std::int32_t value);
// Puts `text` into the box's "mess", centred, and opens the box as a modal.
void ShowTextBox(UIRoot& ui, UIControl* box, std::string_view text);
}  // namespace screen_texts
