// Shaders: named drawing recipes (render states, a material, texture stages)
// defined by the shader files and reached by name from all drawing code. The
// registry holds every shader made by GetShader for the whole run, so the
// pointers it hands out stay valid until the process ends. Main thread only.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "render/RenderStateBlock.h"
#include "render/YRender.h"
#include "render/YShaderStage.h"

class YShader {
 public:
  // An empty shader of that name: the renderer's default render states (the
  // built-in defaults when no renderer exists), an opaque black material
  // with power 0, lighting off, no stages. Does not register the shader:
  // shaders meant to be found by name come from GetShader.
  explicit YShader(std::string_view name);
  YShader(const YShader&) = delete;
  YShader& operator=(const YShader&) = delete;

  // Back to the empty state of the constructor (the name stays): deletes
  // every stage with its modifiers.
  void Reset();
  // Steps every stage's modifiers by dt seconds.
  void Update(float dt);
  // Appends a new stage with the default stage states and returns it; the
  // shader owns it.
  YShaderStage& AddStage();

  // Opaque black (0, 0, 0, 1) for all four colours, power 0.
  static YMaterial DefaultMaterial();

  std::string name;  // compared byte for byte
  RenderStateBlock states;
  YMaterial material;
  bool lighting = false;  // set by the shader file; no drawing reads it
  std::vector<std::unique_ptr<YShaderStage>> stages;  // inherited stages first
};

// The first registered shader of exactly that name, or null.
YShader* FindShader(std::string_view name);
// FindShader, or else a new empty shader of that name, registered for the
// rest of the run. Never null. Safe during static initialisation.
YShader* GetShader(std::string_view name);
// Reads a shader file ("data\shaders.yml") into the registry. Without a
// renderer it logs "Shader parser error, render must be created." and reads
// nothing.
void LoadShaders(std::string_view fileName);
// Steps the modifiers of every registered shader (once per frame, dt in
// seconds), drawn or not.
void UpdateShaders(float dt);
// Deletes every registered shader, for tests and fuzzing that start each
// case with an empty registry. Every pointer handed out before dangles.
void ClearShaders();
