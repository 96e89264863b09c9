#include "game/screens/ScreenTexts.h"

#include <string>

#include "game/screens/ScreenControls.h"
#include "ui/UIControl.h"
#include "ui/UIRoot.h"
#include "ui/UIText.h"

namespace screen_texts {

void SetText(UIControl* screen, std::string_view name, std::string_view text, int align) {
  if (auto* control = ChildOf<UIText>(screen, name)) control->SetText(align, text);
}

void SetNumber(UIControl* screen, std::string_view name, char sign, std::int32_t value) {
  SetText(screen, name, std::string(1, sign) + std::to_string(value), kNumber);
}

void ShowTextBox(UIRoot& ui, UIControl* box, std::string_view text) {
  SetText(box, "mess", text, kCentred);
  ui.PushModal(box);
}

}  // namespace screen_texts
