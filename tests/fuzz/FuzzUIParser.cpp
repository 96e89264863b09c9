// Arbitrary bytes as a layout file (a styles file first, so styled tags
// meet styles), then the tree it built is drawn on a recording renderer and
// driven with the mouse and the keys over a grid of points: nothing read
// from a layout may crash the reader or the widgets it builds.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tests/render/RecordingRender.h"
#include "ui/UIControl.h"
#include "ui/UIParser.h"

namespace {

// Moves, presses and releases over a grid across the UI space, then the
// keys the widgets act on and a few characters.
void Drive(UIControl& root) {
  for (int y = 0; y < 625; y += 125) {
    for (int x = 0; x < 1000; x += 125) {
      const float fx = static_cast<float>(x), fy = static_cast<float>(y);
      root.MouseMove(fx, fy);
      root.MouseDown(1, fx, fy);
      root.MouseMove(fx + 7, fy + 3);
      root.MouseUp(1, fx + 7, fy + 3);
    }
  }
  if (UIControl* focused = UIControl::Focused()) {
    for (const int key : {37, 39, 8, 13, 27, 45, 86}) focused->OnKeyDown(key);
    for (const int ch : {97, 0, 200, 10}) focused->OnChar(ch);
  }
  root.Animate(0.25f);
  root.MouseDown(2, -5, -5);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static RecordingRender render;
  UIParser::ForgetStyles();
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::size_t split = text.find('\x01');  // bytes before the first 1 are the styles file
  if (split != std::string_view::npos) UIParser().LoadText(text.substr(0, split), "styles");
  auto root = UIParser().LoadText(split == std::string_view::npos ? text : text.substr(split + 1), "layout");
  if (root) {
    render.ClearCalls();
    root->Render(YMatrix4());
    Drive(*root);
    root->Render(YMatrix4());
  }
  return 0;
}
