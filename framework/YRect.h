// A rectangle as x, y, width and height (floats in the UI's 1000 x 625 space).
#pragma once

struct YRect {
  float x = 0, y = 0, width = 0, height = 0;

  YRect() = default;
  YRect(float x_, float y_, float width_, float height_) : x(x_), y(y_), width(width_), height(height_) {}

  YRect& Set(float x_, float y_, float width_, float height_) {
    x = x_;
    y = y_;
    width = width_;
    height = height_;
    return *this;
  }
};
