// One scalable font face opened through FreeType, set to a line height in
// pixels, that renders single characters into 8-bit coverage bitmaps. Owns
// its FreeType library and face.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct RenderedGlyph {
  int width = 0, rows = 0;             // the bitmap's size in pixels
  int left = 0;                        // from the pen position to the bitmap's left edge
  int top = 0;                         // from the baseline up to the bitmap's top edge
  float advance = 0;                   // unhinted, in pixels
  std::vector<std::uint8_t> coverage;  // rows * width, top row first
};

class FreeTypeFace {
 public:
  // Null (and `error` set) when the file cannot be read as a font.
  static std::unique_ptr<FreeTypeFace> Open(const std::string& path, std::string& error);
  ~FreeTypeFace();
  FreeTypeFace(const FreeTypeFace&) = delete;
  FreeTypeFace& operator=(const FreeTypeFace&) = delete;

  // Scales the face so that its ascender-to-descender height is
  // `linePixels`; false when FreeType refuses the size.
  bool SetLineHeight(float linePixels);
  // The baseline's distance below the line's top, in pixels.
  float Ascender() const { return ascender_; }

  // The character's bitmap and metrics; false when the face lacks the
  // character or cannot render it.
  bool Render(std::uint32_t codePoint, RenderedGlyph& out) const;

 private:
  struct Handles;
  explicit FreeTypeFace(std::unique_ptr<Handles> handles);

  std::unique_ptr<Handles> handles_;
  float ascender_ = 0;
};
