// The reader of fonts files ("data\fonts.yml" and the interface language's
// "fonts.yml"): one tag, <font name shader data>, which finds (or makes) the
// named font, gives it its shader and loads its glyph table. Main thread
// only; the renderer must exist, since the shaders come from its registry.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "framework/DataFileReader.h"

class YFontLoader : public DataFileReader {
 public:
  YFontLoader();

  // Reads a fonts file. Without a renderer it logs "Font parser error,
  // render must be created." and reads nothing.
  // A font of `needed` that the file does not define (a damaged copy lost
  // it) is logged and the file reported to FileAlerts.
  static void LoadFonts(std::string_view fileName, std::span<const std::string_view> needed = {});
  // Logs "Parse fonts from file, %s" and parses the file; a missing file
  // defines nothing. A second tag with a font's name refills the same font.
  // Fonts of `needed` left undefined are treated as by LoadFonts.
  void Load(std::string_view fileName, std::span<const std::string_view> needed = {});

 protected:
  void OnTagOpen(int tagId) override;

 private:
  std::vector<std::string> defined_;  // the font names the file defined
};
