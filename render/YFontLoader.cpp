#include "render/YFontLoader.h"

#include <algorithm>

#include "framework/FileAlerts.h"
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

void YFontLoader::LoadFonts(std::string_view fileName, std::span<const std::string_view> needed) {
  if (g_render == nullptr) {
    Log::Printf("Font parser error, render must be created.");
    return;
  }
  YFontLoader loader;
  loader.Load(fileName, needed);
}

void YFontLoader::Load(std::string_view fileName, std::span<const std::string_view> needed) {
  Log::Printf("Parse fonts from file, %s", std::string(fileName).c_str());
  defined_.clear();
  ParseDataFile(fileName);
  for (const std::string_view name : needed) {
    if (std::find(defined_.begin(), defined_.end(), name) != defined_.end()) continue;
    Log::Printf("Font %.*s is not defined in %s", static_cast<int>(name.size()), name.data(),
                std::string(fileName).c_str());
    FileAlerts::NeededFileFailed(fileName);
  }
}

void YFontLoader::OnTagOpen(int tagId) {
  if (tagId != kFontTag) return;
  defined_.push_back(GetAttr(kFontTag, kName).value);
  YFont* font = YFont::Find(defined_.back());
  font->shader = GetShader(GetAttr(kFontTag, kShader).value);
  font->LoadData(GetAttr(kFontTag, kData).value);
}
