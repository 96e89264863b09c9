// Test doubles for the UI toolkit: a control that journals its handler calls
// ("name:down 5,5") and can fill its rectangle, an event recorder, and Add.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "render/YRender.h"
#include "render/YShader.h"
#include "ui/UIControl.h"
#include "ui/UIEvent.h"

using Lines = std::vector<std::string>;
using Events = std::vector<std::pair<int, UIControl*>>;

inline Lines& Journal() {
  static std::vector<std::string> lines;
  return lines;
}

class Probe : public UIControl {
 public:
  explicit Probe(std::string_view n, const YRect& r = {0, 0, 100, 100}, UIEvent* l = nullptr)
      : UIControl(r, n, l) {}
  void OnMouseEnter() override { Note("enter"); }
  void OnMouseLeave() override { Note("leave"); }
  void OnMouseDown(int, float x, float y) override { Note("down " + Xy(x, y)); }
  void OnMouseUp(int, float x, float y) override { Note("up " + Xy(x, y)); }
  void OnKeyDown(int vkey) override { Note("key " + std::to_string(vkey)); }
  void OnChar(int ch) override { Note("char " + std::to_string(ch)); }
  bool OnAnimate(float) override {
    Note("animate");
    return false;
  }
  void Hide() override {
    Note("hide");
    UIControl::Hide();
  }
  void OnCaptureClosed(std::unique_ptr<UIControl> capture) override { kept = std::move(capture); }
  // With a colour, fills the rectangle with "pix_flat" (counter-clockwise).
  void Paint() override {
    Note("paint");
    if (!paintColour) return;
    g_render->SetShaderColor(GetShader("pix_flat"), *paintColour);
    const float w = rect.width, h = rect.height;
    const YTexVertex q[4] = {
        {{0, 0, 0}, {0, 0}}, {{0, h, 0}, {0, 1}}, {{w, h, 0}, {1, 1}}, {{w, 0, 0}, {1, 0}}};
    g_render->DrawQuad28(q);
  }

  std::unique_ptr<UIControl> kept;  // the capture a click outside closed
  std::optional<YColor> paintColour;

 private:
  void Note(const std::string& what) { Journal().push_back(name + ":" + what); }
  static std::string Xy(float x, float y) { return std::to_string(int(x)) + "," + std::to_string(int(y)); }
};

struct Recorder : UIEvent {
  void OnEvent(int code, UIControl* sender) override { events.emplace_back(code, sender); }
  Events events;
};

template <typename T = Probe, typename... Args>
T* Add(UIControl& parent, Args&&... args) {
  return static_cast<T*>(parent.AddChild(std::make_unique<T>(std::forward<Args>(args)...)));
}
