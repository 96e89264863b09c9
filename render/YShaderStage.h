// One texture stage of a shader: the texture it samples, its eleven stage
// states (colour and alpha combiners, filters, addressing) and a texture
// matrix that its modifiers rebuild every frame.
#pragma once

#include <memory>
#include <vector>

#include "framework/YMatrix4.h"
#include "render/RenderStateBlock.h"
#include "render/YMatrixMod.h"

class YTextureBase;

class YShaderStage {
 public:
  // No texture, the renderer's default stage states (the built-in defaults
  // when no renderer exists), an identity matrix and no modifiers.
  YShaderStage();
  YShaderStage(const YShaderStage&) = delete;
  YShaderStage& operator=(const YShaderStage&) = delete;

  // Rebuilds the matrix from the identity through every modifier in list
  // order, each advanced by dt seconds. A stage without modifiers keeps its
  // matrix untouched.
  void Update(float dt);
  // Appends a modifier; the stage owns it from now on. Null is ignored.
  void AddMod(std::unique_ptr<YMatrixMod> mod);

  YTextureBase* texture = nullptr;  // not owned (the texture container's); null = none
  StageStates states;               // indexed by stage-state id 0..10
  YMatrix4 matrix;                  // the texture matrix, identity at creation
  bool identity = true;             // the matrix is known to be the identity
  std::vector<std::unique_ptr<YMatrixMod>> mods;  // in file order
};
