// The reader of shader files: declares the shader mark-up (shader, map and
// the state, material and modifier tags inside them) and fills the shader
// registry as the tags arrive. One loader reads one or more files with one
// renderer, whose keyword tables and defaults it uses. Main thread only.
#pragma once

#include <string>
#include <string_view>

#include "framework/DataFileReader.h"

class YRender;
class YShader;
class YShaderStage;

class YShaderLoader : public DataFileReader {
 public:
  // `render` must outlive the loader.
  explicit YShaderLoader(const YRender& render);

  // Logs "Parse shaders from file, %s" and reads the file; no shader or
  // stage is open when it starts. A missing file defines nothing.
  void Parse(std::string_view fileName);

 protected:
  void OnTagOpen(int tagId) override;
  void OnTagClose(int tagId) override;

 private:
  void DeclareTags();
  void OpenShader();
  void InheritFrom(const YShader& super);
  void OpenMap();
  void CloseShader();
  void CloseMap();
  // Tags that need an open shader / stage; false (and the error logged)
  // when there is none.
  bool RequireShader(std::string_view tagName);
  bool RequireStage(std::string_view tagName);
  void ApplyShaderTag(int tagId);
  void ApplyStageTag(int tagId);
  void ApplyBlend();
  void ApplyColorSource();
  void ApplyMaterial();
  void ApplyMaterialColor();
  void ApplyDepthState();
  void ApplyStencil();
  void ApplyBlendStages(int tagId, int firstState);
  void ApplyFilter();
  void AddModifier(int tagId);

  // The keyword of attribute `attr` of tag `tagId` into render state /
  // stage state `id`; a keyword the table lacks is logged and the value
  // left as it was.
  void SetRenderState(int tagId, int attr, int id);
  void SetStageState(int tagId, int attr, int id);
  void LogBadValue(const std::string& value);

  const YRender& render_;
  YShader* shader_ = nullptr;      // the open shader, null when none
  YShaderStage* stage_ = nullptr;  // the open stage, null when none
};
