// A colour of four floats red, green, blue and alpha, each 0 to 1.
#pragma once

struct YColor {
  float r = 0, g = 0, b = 0, a = 0;

  YColor() = default;
  YColor(float r_, float g_, float b_, float a_) : r(r_), g(g_), b(b_), a(a_) {}
};
