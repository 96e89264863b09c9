// The custom-drawn controls of the screens (event code 1), by the screen
// that holds them: the rows of the profile list and of the save selection
// with the selection frame, the player panels of the setups, and the main
// menu's turning "blast". Drawing a network setup's panel also enables its
// "apply" and "start" and reads the network mode's messages. What is drawn
// and selected is decided without a renderer; the drawing itself needs one.
// Main thread only.
#pragma once

#include <functional>
#include <memory>
#include <utility>

class GameScreens;
class ScreenLists;
class ScreenModes;
class UIControl;
class YRotatingItem;

class CustomDrawing {
 public:
  // The selections are the event handling's; all outlive this object.
  CustomDrawing(GameScreens& screens, ScreenModes& modes, ScreenLists& lists, int& selectedSave);
  ~CustomDrawing();
  CustomDrawing(const CustomDrawing&) = delete;
  CustomDrawing& operator=(const CustomDrawing&) = delete;

  // Draws `sender` in its own coordinates. Null: nothing.
  void Draw(UIControl* sender);
  // The visible control of `screen` that Draw turns as the blast, else null.
  const UIControl* BlastOf(const UIControl* screen) const;
  // Called when Draw reaches the blast, before drawing it: the blast is
  // drawn (and turned) when it returns true. Without one (at first, or
  // set empty) the blast is drawn. A frame may thus draw the screen
  // without the blast, or change the clipping from the blast on.
  void AtBlast(std::function<bool()> reached) { atBlast_ = std::move(reached); }
  // Turns the blast by its step without drawing it, for a frame left
  // undrawn, so that it turns as fast as when every frame is drawn.
  void StepBlast();

  // How far the blast turns at every draw.
  static constexpr float kBlastStep = 0.1f;
  // The shader the blast is drawn with.
  static constexpr const char* kBlastShader = "mmenu_eff";
  // The blast's texture is clear beyond this share of its width from its
  // centre (its rays end there), so the blast draws only around it.
  static constexpr float kBlastReach = 0.3f;

 private:
  void DrawProfileRow(const UIControl& row, const UIControl& list);
  void DrawSaveRow(const UIControl& row, const UIControl& list);
  void DrawSetupPanel(const UIControl& panel, const UIControl& setup);
  void DrawNetworkPanel(const UIControl& panel, const UIControl& setup);
  void DrawLocalPlayer(const UIControl& panel, const UIControl& setup, int profile);
  void DrawBlast(const UIControl& blast);
  // Whether `screen` is a list or a setup, whose controls Draw fills.
  bool HasPanels(const UIControl* screen) const;

  GameScreens& screens_;
  ScreenModes& modes_;
  ScreenLists& lists_;
  int& selectedSave_;
  std::unique_ptr<YRotatingItem> blast_;
  std::function<bool()> atBlast_;
};
