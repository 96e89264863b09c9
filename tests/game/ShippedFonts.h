// The shipped fonts' widths and glyph tables, for tests that measure text
// without a window: read from the assembled program folder's fonts.
#pragma once

#include <filesystem>
#include <string>

#include "render/YFont.h"

namespace shipped_fonts {

inline void Load() {
  for (const auto& file : std::filesystem::directory_iterator(std::string(QV_GAME_DIR) + "/fonts"))
    if (file.path().extension() == ".dat") YFont::Find(file.path().stem().string())->LoadData(file.path().string());
}

}  // namespace shipped_fonts
