// The interface toolkit's developer view: a 1000 x 625 window that reads the
// interface's styles and one layout file, shows the layout as the current
// screen of a UI root with the mouse and the keyboard, and prints every
// event a control reports ("event <code> <name>") on standard error, among
// the log's lines, and "screen shown" once the screen has faded in. A
// custom-drawn control is filled with the emblem picture. Escape quits; it
// can stop after a number of frames, and write the last frame to a PNG file.
// Other developer views derive from it to show a scene under the UI root's
// screen.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/YFramework.h"
#include "ui/UIEvent.h"
#include "ui/UIRoot.h"

class Render_D3D;
class UIControl;

struct UIViewOptions {
  std::string layout;  // data name of the layout file; empty: no screen
  std::string styles = "ui\\english\\styles.yml";
  int frames = 0;                 // quit after this many frames; 0 = at Escape
  std::string screenshot;         // PNG of the last frame; empty = none
  std::string title = "UI view";  // the window's title
};

class UIViewApp : public YFramework, public UIEvent {
 public:
  // Creates the renderer, reads the shaders, fonts, styles and the layout
  // from the working folder (the program folder).
  explicit UIViewApp(UIViewOptions options);
  ~UIViewApp() override;

  // Opens the window (titled as the options say) with the device on it.
  void Open();
  bool Frame() override;
  void OnMouseMove(int x, int y) override;
  void OnMouseDown(int button, int x, int y) override;
  void OnMouseUp(int button, int x, int y) override;
  void OnKeyDown(std::uint32_t virtualKey) override;
  void OnChar(std::uint32_t character) override;
  void OnEvent(int code, UIControl* sender) override;

  // False when the layout built nothing or a screenshot failed.
  bool ok = true;

 protected:
  // A scene drawn before the UI root, stepped before the frame begins, and
  // the mouse input it takes after the UI root (kind 0 move, 1 press,
  // 2 release) in view coordinates. The base has none.
  virtual void UpdateScene(float dt);
  virtual void DrawScene();
  virtual void SceneMouse(int kind, int button, float x, float y);
  UIRoot& Root() { return root_; }

 private:
  // The pointer in the centred view frame the UI root takes.
  void PointerToView(float& x, float& y) const;
  void DrawCustom(UIControl& control);
  void DrawCursor();
  void FinishFrame();
  void ReportScreenShown();

  UIViewOptions options_;
  std::unique_ptr<Render_D3D> renderer_;
  UIRoot root_;
  std::unique_ptr<UIControl> screen_;
  std::uint32_t previousTime_ = 0;
  int framesDrawn_ = 0;
  bool quitting_ = false;
  bool screenShown_ = false;
};
