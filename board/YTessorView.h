// What the board's turn flow asks of the board screen: the camera, the
// screen's layout and buttons, mouse picking, and the passing effects of
// moving units. The screen implements it; without one the turn flow runs
// headless (the rules and tests need none of it). Main thread only.
#pragma once

#include "framework/YVector3.h"

class YTessorUnit;

class YTessorView {
 public:
  virtual ~YTessorView() = default;

  // Sets the board camera.
  virtual void SetupView() {}
  // Makes the board screen the current screen.
  virtual void ActivateLayout() {}
  // Enables the side buttons of the side to move.
  virtual void UpdateSideButtons() {}
  // The cell under a mouse position in view coordinates; false when the
  // mouse is off the board.
  virtual bool PickCell(float mouseX, float mouseY, int& x, int& y) {
    (void)mouseX;
    (void)mouseY;
    x = y = -1;
    return false;
  }
  // A fading copy of the unit at `position`, living `lifetime` seconds: the
  // trail of a walk (`teleport` false) or the points a teleport skips.
  virtual void LeaveCopy(const YTessorUnit& unit, const YVector3& position, float lifetime, bool teleport) {
    (void)unit;
    (void)position;
    (void)lifetime;
    (void)teleport;
  }
  // Empties the list of fading copies.
  virtual void ClearCopies() {}
  // The per-frame step of highlights, fading copies, displayed counters and
  // turn markers.
  virtual void StepFrame(float dt) { (void)dt; }
};
