// Arbitrary bytes as the interface language's "locale.yml" and as a fonts
// file ("fonts.yml"), read with a recording renderer. The locale's texts
// are filled as formats with values and looked up both ways; the fonts the
// file fills draw a text. Neither may crash, hang or read out of bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/TextFormat.h"
#include "framework/YLocale.h"
#include "render/YFont.h"
#include "render/YFontLoader.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tests/render/RecordingRender.h"

namespace {

std::string g_path;
RecordingRender* g_recorder = nullptr;  // one for the whole run

// Keys of the shipped locale, and texts that the shipped file maps.
constexpr const char* kKeys[] = {"cp_spells", "cp_continue", "", "%s", "str"};

void ReadLocale(const std::string& path) {
  YLocale locale;
  locale.Load(path);
  for (const char* key : kKeys) {
    const std::string text = locale.GetText(key);
    FormatTextArgs(text, "Ann", 12, -7);
    const std::string local = locale.Lookup(text);
    locale.ReverseLookup(local);
  }
}

void ReadFonts(const std::string& path) {
  g_recorder->ClearCalls();
  YFontLoader::LoadFonts(path);
  for (const char* name : {"mainfont", "labelfont", "sysfont", "default"})
    YFont::DrawText(YFont::Find(name), 0, 0, 12, "Ann %d");
  g_recorder->ClearCalls();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_path = (fuzz::ScratchFolder() / "fuzz.yml").string();
  g_recorder = new RecordingRender;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::WriteBytes(g_path, data, size);
  ReadLocale(g_path);
  ReadFonts(g_path);
  return 0;
}
