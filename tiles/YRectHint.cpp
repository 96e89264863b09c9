#include "tiles/YRectHint.h"

bool YRectHint::Contains(float x, float y) const {
  return x >= rect.x && x <= rect.x + rect.width && y >= rect.y && y <= rect.y + rect.height;
}

void YRectHint::Draw(float, float) {}
