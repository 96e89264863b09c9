#include "render/YFontLoader.h"

#include "framework/Log.h"
#include "render/YFont.h"
#include "render/YRender.h"
#include "render/YShader.h"

namespace {

constexpr int kFontTag = 0;
enum FontAttr { kName, kShader, kData };

}  // namespace

YFontLoader::YFontLoader() : DataFileReader({"Font parser error, %s, file: %s, line: %d", true}) {
  AddTag(MakeTag("font", {{"name", ""}, {"shader", ""}, {"data", ""}}));
}

void YFontLoader::LoadFonts(std::string_view fileName) {
  if (g_render == nullptr) {
    Log::Printf("Font parser error, render must be created.");
    return;
  }
  YFontLoader loader;
  loader.Load(fileName);
}

void YFontLoader::Load(std::string_view fileName) {
  Log::Printf("Parse fonts from file, %s", std::string(fileName).c_str());
  ParseDataFile(fileName);
}

void YFontLoader::OnTagOpen(int tagId) {
  if (tagId != kFontTag) return;
  YFont* font = YFont::Find(GetAttr(kFontTag, kName).value);
  font->shader = GetShader(GetAttr(kFontTag, kShader).value);
  font->LoadData(GetAttr(kFontTag, kData).value);
}
