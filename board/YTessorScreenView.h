// The board screen as the turn flow's view: forwards the camera, layout,
// buttons, picking, fading copies and frame step to the board object's
// screen operations. game/ installs one with YTessor::SetView once the
// screen is built; without it the board runs headless.
#pragma once

#include "board/YTessorView.h"

class YTessor;

class YTessorScreenView final : public YTessorView {
 public:
  // `tessor` must outlive the view.
  explicit YTessorScreenView(YTessor& tessor) : tessor_(tessor) {}

  void SetupView() override;
  void ActivateLayout() override;
  void UpdateSideButtons() override;
  bool PickCell(float mouseX, float mouseY, int& x, int& y) override;
  // Walk trails and teleport points alike get the walking colours.
  void LeaveCopy(const YTessorUnit& unit, const YVector3& position, float lifetime, bool teleport) override;
  void ClearCopies() override;
  void StepFrame(float dt) override;

 private:
  YTessor& tessor_;
};
