#include "render/YShaderLoader.h"

#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "framework/Init.h"
#include "framework/Log.h"
#include "render/YContainer.h"
#include "render/YMatrixMod.h"
#include "render/YRender.h"
#include "render/YShader.h"
#include "render/YTextureBase.h"

namespace {

// Tag ids: the order of declaration in DeclareTags.
enum TagId {
  kShader, kBlend, kMap, kColorBlend, kAlphaBlend, kColorSrc, kFilter, kMaterial, kMaterialColor,
  kLighting, kState, kStencil, kModRotate, kModScroll, kModPulse, kModFlip, kModOffset, kModSwing,
  kTagCount
};

// Attribute positions of the tags that have more than the obvious one.
enum ShaderAttr { kName, kInherited };
enum MapAttr { kTexture, kWrapX, kWrapY };
enum ColourAttr { kDiffuse, kAmbient, kSpecular, kEmissive, kPower };

// The name a context error gives each tag ("filter" reports itself as
// "filterblend").
constexpr std::array<std::string_view, kTagCount> kContextNames = {
    "shader", "blend", "map", "colorblend", "alphablend", "colorsrc", "filterblend", "material",
    "materialcolor", "lighting", "state", "stencil", "mod_rotate", "mod_scroll", "mod_pulse",
    "mod_flip", "mod_offset", "mod_swing"};

bool IsShaderLevel(int tagId) {
  return tagId == kBlend || tagId == kColorSrc || tagId == kMaterial || tagId == kMaterialColor ||
         tagId == kLighting || tagId == kState || tagId == kStencil;
}

// A stage as inherited: its texture and states, without matrix or modifiers.
struct StageCopy {
  YTextureBase* texture;
  StageStates states;
};

// The texture a map names. One named before whose file could not be read
// then holds nothing and waits for no use: it is read again, so that a
// shader file loaded again gives what loading it once gives.
YTextureBase* MapTexture(const std::string& name) {
  YTextureBase* texture = YContainer<YTextureBase>::Find(name);
  if (texture == nullptr) return YContainer<YTextureBase>::Get(name);
  if (texture->DeviceTexture() == nullptr && !texture->WaitsForFirstUse() && !texture->ReleasedUntilUsed())
    texture->CreateDeviceObjects();
  return texture;
}

}  // namespace

YShaderLoader::YShaderLoader(const YRender& render)
    : DataFileReader({"Shader parser error, %s, file: %s, line: %d", true}), render_(render) {
  DeclareTags();
}

void YShaderLoader::DeclareTags() {
  AddTag(MakeTag("shader", {{"name", ""}, {"inherited", ""}}));
  AddTag(MakeTag("blend", {{"alpha", "true"}, {"src", "one"}, {"dest", "zero"}, {"color", "ffffff"}}));
  AddTag(MakeTag("map", {{"texture", ""}, {"wrap_x", "repeat"}, {"wrap_y", "repeat"}}));
  AddTag(MakeTag("colorblend", {{"op", "modulate"}, {"arg1", "texture"}, {"arg2", "current"}}));
  AddTag(MakeTag("alphablend", {{"op", "modulate"}, {"arg1", "texture"}, {"arg2", "current"}}));
  AddTag(MakeTag("colorsrc", {{"diffuse", "material"}, {"ambient", "material"}, {"specular", "material"},
                              {"emissive", "material"}}));
  AddTag(MakeTag("filter", {{"min", "point"}, {"mag", "point"}, {"mip", "none"}}));
  AddTag(MakeTag("material", {{"diffuse", "000000"}, {"ambient", "000000"}, {"specular", "000000"},
                              {"emissive", "000000"}, {"power", "0"}}));
  AddTag(MakeTag("materialcolor", {{"color", "ffffff"}}));
  AddTag(MakeTag("lighting", {{"enable", "1"}}));
  AddTag(MakeTag("state", {{"zfunc", "less"}, {"cull", "cw"}, {"zenable", "true"}, {"zwrite", "true"}}));
  AddTag(MakeTag("stencil", {{"enable", "false"}, {"fail", "keep"}, {"zfail", "keep"}, {"pass", "keep"},
                             {"func", "always"}, {"ref", "0"}, {"mask", "ffffffff"},
                             {"writemask", "ffffffff"}}));
  AddTag(MakeTag("mod_rotate", {{"angle", "360.0"}}));
  AddTag(MakeTag("mod_scroll", {{"x", "0"}, {"y", "0"}}));
  AddTag(MakeTag("mod_pulse", {{"vel", "360.0"}, {"min", "0.5f"}, {"max", "1.0f"}}));
  AddTag(MakeTag("mod_flip", {{"x", "0"}, {"y", "0"}}));
  AddTag(MakeTag("mod_offset", {{"x", "0"}, {"y", "0"}}));
  AddTag(MakeTag("mod_swing", {{"vel", "360.0"}, {"min", "-90.0f"}, {"max", "90.0f"}}));
}

void YShaderLoader::Parse(std::string_view fileName) {
  shader_ = nullptr;
  stage_ = nullptr;
  Log::Printf("Parse shaders from file, %s", std::string(fileName).c_str());
  ParseDataFile(fileName);
}


void YShaderLoader::OnTagOpen(int tagId) {
  if (tagId == kShader) {
    OpenShader();
  } else if (tagId == kMap) {
    OpenMap();
  } else if (IsShaderLevel(tagId)) {
    if (RequireShader(kContextNames[static_cast<std::size_t>(tagId)])) ApplyShaderTag(tagId);
  } else if (tagId >= 0 && tagId < kTagCount) {
    if (RequireStage(kContextNames[static_cast<std::size_t>(tagId)])) ApplyStageTag(tagId);
  }
}

void YShaderLoader::OnTagClose(int tagId) {
  if (tagId == kShader) CloseShader();
  if (tagId == kMap) CloseMap();
}

// ---- Shaders and stages -------------------------------------------------

void YShaderLoader::OpenShader() {
  if (shader_ != nullptr) OnError("Expected </shader>.");
  // A stage of the shader before stays behind with it.
  stage_ = nullptr;
  shader_ = GetShader(GetAttr(kShader, kName).value);
  if (!shader_->stages.empty()) shader_->Reset();

  const std::string& superName = GetAttr(kShader, kInherited).value;
  if (superName.empty()) {
    shader_->states = render_.defaultStates;
    return;
  }
  const YShader* super = FindShader(superName);
  if (super == nullptr) {
    OnError("Super shader don't find.");
    shader_->states = render_.defaultStates;
    return;
  }
  InheritFrom(*super);
}

// Copies what the super shader holds now; later changes to it stay its own.
// The stages are read before any is added, so a shader may name itself.
void YShaderLoader::InheritFrom(const YShader& super) {
  std::vector<StageCopy> copies;
  copies.reserve(super.stages.size());
  for (const std::unique_ptr<YShaderStage>& stage : super.stages) copies.push_back({stage->texture, stage->states});

  shader_->states = super.states;
  shader_->material = super.material;
  shader_->lighting = super.lighting;
  for (const StageCopy& copy : copies) {
    YShaderStage& stage = shader_->AddStage();
    stage.texture = copy.texture;
    stage.states = copy.states;
  }
}

void YShaderLoader::OpenMap() {
  if (shader_ == nullptr) {
    OnError("Tag <map> outside <shader>.");
    return;
  }
  if (stage_ != nullptr) OnError("Expected </map>.");
  stage_ = &shader_->AddStage();
  stage_->states = render_.defaultStageStates;
  const std::string& texture = GetAttr(kMap, kTexture).value;
  stage_->texture = texture.empty() ? nullptr : MapTexture(texture);
  SetStageState(kMap, kWrapX, 9);
  SetStageState(kMap, kWrapY, 10);
}

void YShaderLoader::CloseShader() {
  if (shader_ == nullptr) OnError("Expected <shader>.");
  shader_ = nullptr;
  stage_ = nullptr;
}

void YShaderLoader::CloseMap() {
  if (stage_ == nullptr) OnError("Expected <map>.");
  stage_ = nullptr;
}

bool YShaderLoader::RequireShader(std::string_view tagName) {
  if (shader_ != nullptr) return true;
  OnError("Tag <" + std::string(tagName) + "> outside <shader>.");
  return false;
}

bool YShaderLoader::RequireStage(std::string_view tagName) {
  if (stage_ != nullptr) return true;
  OnError("Tag <" + std::string(tagName) + "> outside <map>.");
  return false;
}

// ---- Shader-level tags ---------------------------------------------------

void YShaderLoader::ApplyShaderTag(int tagId) {
  switch (tagId) {
    case kBlend: ApplyBlend(); break;
    case kColorSrc: ApplyColorSource(); break;
    case kMaterial: ApplyMaterial(); break;
    case kMaterialColor: ApplyMaterialColor(); break;
    case kLighting: shader_->lighting = GetAttr(kLighting, 0).AsBool(); break;
    case kState: ApplyDepthState(); break;
    case kStencil: ApplyStencil(); break;
    default: break;
  }
}

// A bad colour throws after the three keywords are set; the parser reports it.
void YShaderLoader::ApplyBlend() {
  SetRenderState(kBlend, 0, 0);
  SetRenderState(kBlend, 1, 1);
  SetRenderState(kBlend, 2, 2);
  shader_->states[3] = render_.ColorToD3D(Init::ParseColor(GetAttr(kBlend, 3).value));
}

void YShaderLoader::ApplyColorSource() {
  SetRenderState(kColorSrc, kDiffuse, 16);
  SetRenderState(kColorSrc, kAmbient, 18);
  SetRenderState(kColorSrc, kSpecular, 17);
  SetRenderState(kColorSrc, kEmissive, 19);
}

// Colours are taken in order; a bad one throws and leaves the rest as it was.
void YShaderLoader::ApplyMaterial() {
  YMaterial& m = shader_->material;
  m.diffuse = Init::ParseColor(GetAttr(kMaterial, kDiffuse).value);
  m.ambient = Init::ParseColor(GetAttr(kMaterial, kAmbient).value);
  m.specular = Init::ParseColor(GetAttr(kMaterial, kSpecular).value);
  m.emissive = Init::ParseColor(GetAttr(kMaterial, kEmissive).value);
  m.power = GetAttr(kMaterial, kPower).AsFloat();
}

// One colour drawn unlit: emissive carries it, diffuse only its alpha.
void YShaderLoader::ApplyMaterialColor() {
  const YColor colour = Init::ParseColor(GetAttr(kMaterialColor, 0).value);
  YMaterial& m = shader_->material;
  m.diffuse = YColor(0, 0, 0, colour.a);
  m.ambient = m.specular = YColor(0, 0, 0, 1);
  m.emissive = colour;
  m.power = 0;
  shader_->lighting = false;
}

void YShaderLoader::ApplyDepthState() {
  for (int attr = 0; attr < 4; ++attr) SetRenderState(kState, attr, 4 + attr);
}

// enable and the four keywords into states 8..12; reference and masks are
// hexadecimal numbers stored as they are.
void YShaderLoader::ApplyStencil() {
  for (int attr = 0; attr < 5; ++attr) SetRenderState(kStencil, attr, 8 + attr);
  for (int attr = 5; attr < 8; ++attr) shader_->states[8 + attr] = GetAttr(kStencil, attr).AsHex();
}

// ---- Stage-level tags ----------------------------------------------------

void YShaderLoader::ApplyStageTag(int tagId) {
  switch (tagId) {
    case kColorBlend: ApplyBlendStages(kColorBlend, 0); break;
    case kAlphaBlend: ApplyBlendStages(kAlphaBlend, 3); break;
    case kFilter: ApplyFilter(); break;
    default: AddModifier(tagId); break;
  }
}

// op, arg1, arg2 into three consecutive stage states.
void YShaderLoader::ApplyBlendStages(int tagId, int firstState) {
  for (int attr = 0; attr < 3; ++attr) SetStageState(tagId, attr, firstState + attr);
}

// The attributes fill states 6, 7, 8 in their order: min sets the
// magnification filter (6) and mag the minification filter (7).
void YShaderLoader::ApplyFilter() {
  SetStageState(kFilter, 0, 6);
  SetStageState(kFilter, 1, 7);
  SetStageState(kFilter, 2, 8);
}

void YShaderLoader::AddModifier(int tagId) {
  const auto number = [&](int attr) { return GetAttr(tagId, attr).AsFloat(); };
  std::unique_ptr<YMatrixMod> mod;
  switch (tagId) {
    case kModRotate: mod = std::make_unique<YModRotate>(number(0)); break;
    case kModScroll: mod = std::make_unique<YModScroll>(number(0), number(1)); break;
    case kModPulse: mod = std::make_unique<YModPulse>(number(0), number(1), number(2)); break;
    case kModSwing: mod = std::make_unique<YModSwing>(number(0), number(1), number(2)); break;
    case kModOffset: mod = std::make_unique<YModOffset>(number(0), number(1)); break;
    case kModFlip:
      mod = std::make_unique<YModFlip>(GetAttr(tagId, 0).AsBool(), GetAttr(tagId, 1).AsBool());
      break;
    default: break;
  }
  stage_->AddMod(std::move(mod));
}

// ---- Keyword values ------------------------------------------------------

void YShaderLoader::SetRenderState(int tagId, int attr, int id) {
  const std::string& value = GetAttr(tagId, attr).value;
  const int result = render_.RenderStateValue(id, value);
  if (result == -1) {
    LogBadValue(value);
    return;
  }
  shader_->states[id] = static_cast<std::uint32_t>(result);
}

void YShaderLoader::SetStageState(int tagId, int attr, int id) {
  const std::string& value = GetAttr(tagId, attr).value;
  const int result = render_.TextureStageValue(id, value);
  if (result == -1) {
    LogBadValue(value);
    return;
  }
  stage_->states[static_cast<std::size_t>(id)] = static_cast<std::uint32_t>(result);
}

void YShaderLoader::LogBadValue(const std::string& value) {
  Log::Printf("Shader parser, error value \"%s\", file: %s, line: %d", value.c_str(), FileName().c_str(),
              LineNumber());
}
