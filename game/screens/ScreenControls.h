// Finding a screen's named controls by their kind, as every screen's code
// does: a missing screen, a missing control or one of another kind is null,
// and the caller skips it.
#pragma once

#include <string_view>

#include "ui/UIButton.h"
#include "ui/UIControl.h"

// The control named `name` among `screen`'s descendants if it is a T.
template <class T>
T* ChildOf(const UIControl* screen, std::string_view name) {
  return screen != nullptr ? dynamic_cast<T*>(screen->FindChild(name)) : nullptr;
}

// Enables or disables the button `name` of `screen`, when there is one.
inline void EnableButton(const UIControl* screen, std::string_view name, bool enabled) {
  if (auto* button = ChildOf<UIButton>(screen, name)) button->SetEnabled(enabled);
}
