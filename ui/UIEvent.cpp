#include "ui/UIEvent.h"

#include "ui/UIRoot.h"

UIEvent::~UIEvent() {
  UIRoot::ForgetListener(this);
}
