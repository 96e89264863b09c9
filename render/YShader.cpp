#include "render/YShader.h"

#include "framework/Log.h"
#include "render/YShaderLoader.h"

namespace {

// Every shader GetShader made, in creation order. A function-local static
// so that shaders may be requested from static initialisers.
std::vector<std::unique_ptr<YShader>>& Registry() {
  static std::vector<std::unique_ptr<YShader>> registry;
  return registry;
}

RenderStateBlock DefaultStates() { return g_render != nullptr ? g_render->defaultStates : RenderStateBlock(); }

}  // namespace

YShader::YShader(std::string_view name_) : name(name_), states(DefaultStates()), material(DefaultMaterial()) {}

YMaterial YShader::DefaultMaterial() {
  YMaterial m;
  m.diffuse = m.ambient = m.specular = m.emissive = YColor(0, 0, 0, 1);
  m.power = 0;
  return m;
}

void YShader::Reset() {
  stages.clear();
  lighting = false;
  material = DefaultMaterial();
  states = DefaultStates();
}

void YShader::Update(float dt) {
  for (const std::unique_ptr<YShaderStage>& stage : stages) stage->Update(dt);
}

YShaderStage& YShader::AddStage() {
  stages.push_back(std::make_unique<YShaderStage>());
  return *stages.back();
}

YShader* FindShader(std::string_view name) {
  for (const std::unique_ptr<YShader>& shader : Registry()) {
    if (shader->name == name) return shader.get();
  }
  return nullptr;
}

YShader* GetShader(std::string_view name) {
  if (YShader* found = FindShader(name)) return found;
  Registry().push_back(std::make_unique<YShader>(name));
  return Registry().back().get();
}

void LoadShaders(std::string_view fileName) {
  if (g_render == nullptr) {
    Log::Printf("Shader parser error, render must be created.");
    return;
  }
  YShaderLoader loader(*g_render);
  loader.Parse(fileName);
}

void UpdateShaders(float dt) {
  for (const std::unique_ptr<YShader>& shader : Registry()) shader->Update(dt);
}

void ClearShaders() {
  Registry().clear();
}
