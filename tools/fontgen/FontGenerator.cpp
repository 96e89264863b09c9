// Generates the game's bitmap fonts: for each (name, font file) pair given on
// the command line, the atlas "<name>.tga" and the glyph table "<name>.dat"
// in the output folder. Byte values 32-255 are read as Windows-1252; the
// control bytes (0-31, 127) and the code page's undefined bytes get no width
// and no quad. The main font carries the game's two move symbols at 0xAD
// and 0xAE and the book's three link symbols at 0xAA to 0xAC in place of the
// code page's characters there.
//   qv_fontgen <output folder> <name> <font file> [<name> <font file> ...]
#include <cstdio>
#include <string>

#include "platform/Cp1252.h"
#include "tools/fontgen/BookSymbols.h"
#include "tools/fontgen/FontAtlas.h"
#include "tools/fontgen/FreeTypeFace.h"
#include "tools/fontgen/GlyphTable.h"
#include "tools/fontgen/MoveSymbols.h"
#include "tools/texgen/TgaWriter.h"

namespace {

constexpr int kAtlasSize = 512;
constexpr int kPadding = 2;
// The line box height the glyphs are rendered at, in texels: the fonts fit
// their atlas up to 48, so this leaves room for other FreeType versions.
constexpr float kLinePixels = 44;

bool Fail(const std::string& message) {
  std::fprintf(stderr, "qv_fontgen: %s\n", message.c_str());
  return false;
}

// The font whose bytes 0xAA to 0xAE are the game's symbols.
constexpr const char* kSymbolFont = "mainfont";

bool FillAtlas(const FreeTypeFace& face, FontAtlas& atlas, const std::string& fontFile, bool symbols) {
  for (int byte = 32; byte < 256; ++byte) {
    if (byte == 0x7F) continue;  // delete: a control byte, never drawn
    const std::uint32_t codePoint = platform::Cp1252CodePoint(static_cast<unsigned char>(byte));
    if (codePoint == 0) continue;
    RenderedGlyph glyph;
    auto symbol = symbols ? MoveSymbol(static_cast<std::uint8_t>(byte), kLinePixels) : std::nullopt;
    if (symbols && !symbol) symbol = BookSymbol(static_cast<std::uint8_t>(byte), kLinePixels);
    if (symbol)
      glyph = *symbol;
    else if (!face.Render(codePoint, glyph))
      return Fail(fontFile + " cannot render U+" + std::to_string(codePoint));
    if (!atlas.Place(static_cast<std::uint8_t>(byte), glyph))
      return Fail(fontFile + ": the glyphs do not fit a " + std::to_string(kAtlasSize) + " texel atlas");
  }
  return true;
}

bool Generate(const std::string& folder, const std::string& name, const std::string& fontFile) {
  std::string error;
  const auto face = FreeTypeFace::Open(fontFile, error);
  if (!face) return Fail(error + " (install the Debian package fonts-dejavu-core)");
  if (!face->SetLineHeight(kLinePixels)) return Fail(fontFile + ": cannot set the glyph size");
  FontAtlas atlas(kAtlasSize, kPadding, kLinePixels, face->Ascender());
  if (!FillAtlas(*face, atlas, fontFile, name == kSymbolFont)) return false;
  const std::string base = folder + "/" + name;
  if (!WriteTga(atlas.Image(), base + ".tga")) return Fail("cannot write " + base + ".tga");
  if (!WriteGlyphTable(atlas.Table(), base + ".dat")) return Fail("cannot write " + base + ".dat");
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4 || argc % 2 != 0) {
    std::fprintf(stderr, "usage: qv_fontgen <output folder> <name> <font file> [<name> <font file> ...]\n");
    return 2;
  }
  for (int i = 2; i + 1 < argc; i += 2)
    if (!Generate(argv[1], argv[i], argv[i + 1])) return 1;
  return 0;
}
