// The DejaVu faces the splash cards letter with, opened from one folder
// (the Debian package fonts-dejavu-core installs them together).
#pragma once

#include <string>

#include "tools/splashgen/TextRasterizer.h"

struct SplashFonts {
  // Throws std::runtime_error naming the first font that cannot be read.
  explicit SplashFonts(const std::string& folder)
      : serifBold(folder + "/DejaVuSerif-Bold.ttf"),
        serif(folder + "/DejaVuSerif.ttf"),
        sans(folder + "/DejaVuSans.ttf"),
        sansBold(folder + "/DejaVuSans-Bold.ttf") {}

  TextRasterizer serifBold;
  TextRasterizer serif;
  TextRasterizer sans;
  TextRasterizer sansBold;
};
