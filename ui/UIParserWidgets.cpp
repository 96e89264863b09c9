// The layout reader's widget tags: each builds its widget from the tag's
// attributes (after its style filled the ones the tag left out).
#include "framework/Init.h"
#include "ui/UIButton.h"
#include "ui/UICombobox.h"
#include "ui/UIEdit.h"
#include "ui/UIHotImage.h"
#include "ui/UIImage.h"
#include "ui/UIParser.h"
#include "ui/UIScrollBar.h"
#include "ui/UISpeedButton.h"
#include "ui/UITracker.h"
#include "ui/UIWindow.h"

namespace {
// What a button without a "disablefontcolor" greys its caption with.
constexpr const char* kDefaultDisabledColour = "777777";
}  // namespace

std::unique_ptr<UIControl> UIParser::BuildWindow() const {
  auto window = std::make_unique<UIWindow>(Bounds(), Name(), Shader(3), Texture(4), A(5).AsFloat(), A(6).AsFloat(),
                                           A(7).AsFloat());
  window->band = A(8).AsFloat();
  return window;
}

std::unique_ptr<UIControl> UIParser::BuildImage() const {
  return std::make_unique<UIImage>(Bounds(), Name(), Shader(3), Texture(4), A(5).AsRect(), Colour(6));
}

std::unique_ptr<UIControl> UIParser::BuildEdit() const {
  return std::make_unique<UIEdit>(Bounds(), Name(), TopFont(), Shader(3), A(4).AsInt(), A(5).AsFloat(),
                                  A(6).AsFloat(), A(7).AsFloat());
}

// Colours are read before anything is built, so a bad one builds nothing.
std::unique_ptr<UIControl> UIParser::BuildButton() {
  const std::string& disabled = A(8).value;
  const YColor disabledColour = Init::ParseColor(disabled.empty() ? kDefaultDisabledColour : disabled);
  UITextStyle hot = TopFont();
  if (!A(6).value.empty()) hot.size = A(6).AsFloat();
  if (!A(7).value.empty()) hot.colour = Colour(7);
  auto button = std::make_unique<UIButton>(Bounds(), Name(), Shader(3), Texture(4), TopFont(), hot, "",
                                           A(5).AsFloat(), disabledColour);
  button->SetEnabled(A(9).AsBool());
  return button;
}

std::unique_ptr<UIControl> UIParser::BuildSpeedButton() const {
  auto button = std::make_unique<UISpeedButton>(Bounds(), Name(), Shader(3), Texture(4));
  button->SetEnabled(A(5).AsBool());
  return button;
}

std::unique_ptr<UIControl> UIParser::BuildScrollBar() const {
  return std::make_unique<UIScrollBar>(Bounds(), Name(), Shader(3), Texture(4), Texture(5), Texture(6));
}

std::unique_ptr<UIControl> UIParser::BuildCombobox() {
  const YColor hot = Colour(6), disabled = Colour(12);
  return std::make_unique<UICombobox>(Bounds(), Name(), Shader(3), Texture(4), Shader(5), TopFont(), hot,
                                      disabled, A(7).AsFloat(), A(8).AsFloat(), A(9).AsFloat(), A(10).AsFloat(),
                                      A(11).AsFloat());
}

std::unique_ptr<UIControl> UIParser::BuildTracker() const {
  return std::make_unique<UITracker>(Bounds(), Name(), Shader(3), Shader(4), Colour(5), A(6).AsFloat());
}

std::unique_ptr<UIControl> UIParser::BuildHotImage() const {
  auto image = std::make_unique<UIHotImage>(Bounds(), Name(), Shader(3), Texture(4));
  image->SetEnabled(A(5).AsBool());
  return image;
}
