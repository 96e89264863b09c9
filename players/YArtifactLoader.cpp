#include "players/YArtifactLoader.h"

#include "render/YContainer.h"
#include "render/YTextureBase.h"

namespace {

enum ArtifactAttr {
  kId, kName, kDescr, kTex, kHealth, kDamage, kDamage2,
  kAir, kAir2, kFire, kFire2, kEarth, kEarth2, kWater, kWater2,
  kEval, kSkip, kLevel
};

std::vector<std::unique_ptr<YArtifact>>& Catalogue() {
  static std::vector<std::unique_ptr<YArtifact>> catalogue;
  return catalogue;
}

}  // namespace

YArtifactLoader::YArtifactLoader(std::string_view fileName) {
  AddTag(MakeTag("artifact", {{"id", ""},      {"name", ""},    {"descr", ""},   {"tex", ""},
                              {"health", "0"}, {"damage", "0"}, {"damage2", "0"}, {"air", "0"},
                              {"air2", "0"},   {"fire", "0"},   {"fire2", "0"},  {"earth", "0"},
                              {"earth2", "0"}, {"water", "0"},  {"water2", "0"}, {"eval", "1"},
                              {"skip", "0"},   {"level", "0"}}));
  ParseDataFile(fileName);
}

YArtifact* YArtifactLoader::FindArtifact(std::string_view id) {
  for (const std::unique_ptr<YArtifact>& artifact : Catalogue()) {
    if (artifact->id == id) return artifact.get();
  }
  return nullptr;
}

void YArtifactLoader::OnTagOpen(int tagId) {
  const auto attr = [this, tagId](int index) -> const Attr& { return GetAttr(tagId, index); };
  YArtifact* record = FindArtifact(attr(kId).value);
  if (record == nullptr) {
    Catalogue().push_back(std::make_unique<YArtifact>());
    record = Catalogue().back().get();
    record->id = attr(kId).value;
  }
  record->name = attr(kName).value;
  record->descr = attr(kDescr).value;
  const std::string& tex = attr(kTex).value;
  record->texture = tex.empty() ? nullptr : YContainer<YTextureBase>::Get("textures\\artifacts\\" + tex);
  record->health = attr(kHealth).AsInt();
  record->damage = attr(kDamage).AsInt();
  record->damage2 = attr(kDamage2).AsInt();
  record->elements = {attr(kAir).AsInt(), attr(kFire).AsInt(), attr(kEarth).AsInt(), attr(kWater).AsInt()};
  record->elements2 = {attr(kAir2).AsInt(), attr(kFire2).AsInt(), attr(kEarth2).AsInt(), attr(kWater2).AsInt()};
  record->eval = attr(kEval).AsInt();
  record->skip = attr(kSkip).AsInt();
  record->level = attr(kLevel).AsInt();
}

const std::vector<std::unique_ptr<YArtifact>>& Artifacts() { return Catalogue(); }

void ClearArtifacts() { Catalogue().clear(); }
