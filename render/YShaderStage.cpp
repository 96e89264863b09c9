#include "render/YShaderStage.h"

#include <utility>

#include "render/YRender.h"

YShaderStage::YShaderStage()
    : states(g_render != nullptr ? g_render->defaultStageStates : DefaultStageStates()) {}

void YShaderStage::Update(float dt) {
  if (mods.empty()) return;
  matrix.SetIdentity();
  identity = true;
  for (const std::unique_ptr<YMatrixMod>& mod : mods) {
    if (mod->Apply(dt, matrix)) identity = false;
  }
}

void YShaderStage::AddMod(std::unique_ptr<YMatrixMod> mod) {
  if (mod) mods.push_back(std::move(mod));
}
