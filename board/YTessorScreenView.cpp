#include "board/YTessorScreenView.h"

#include "board/YTessor.h"

void YTessorScreenView::SetupView() {
  tessor_.SetupView();
}

void YTessorScreenView::ActivateLayout() {
  tessor_.ActivateLayout();
}

void YTessorScreenView::UpdateSideButtons() {
  tessor_.UpdateSideButtons();
}

bool YTessorScreenView::PickCell(float mouseX, float mouseY, int& x, int& y) {
  return tessor_.PickCell(mouseX, mouseY, x, y);
}

void YTessorScreenView::LeaveCopy(const YTessorUnit& unit, const YVector3& position, float lifetime, bool) {
  // The copy only reads the unit; the drawing call takes it as the board
  // keeps it.
  tessor_.LeaveBlurCopy(const_cast<YTessorUnit*>(&unit), position, lifetime);
}

void YTessorScreenView::ClearCopies() {
  tessor_.ClearBlurCopies();
}

void YTessorScreenView::StepFrame(float dt) {
  tessor_.StepScreenFrame(dt);
}
