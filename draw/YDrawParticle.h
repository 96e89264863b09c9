// The drawer of 3D particles in draw queue 1, and the camera-facing squares
// (billboards) they are drawn as.
#pragma once

#include <cstdint>

#include "framework/YColor.h"
#include "framework/YVector3.h"
#include "render/YDrawObj.h"

class YShader;

class YDrawParticle : public YDrawObj {
 public:
  // The drawer of the process's particle system.
  static YDrawParticle& Instance();
  // `item` is the index of a particle in the 3D list; its shader with the
  // particle's size and colour at its age. An index past the list's end
  // draws nothing.
  void Draw(std::uintptr_t item) override;
};

// Makes the shader current in the colour (emissive and diffuse alpha) with
// its own texture on stage 0, so that no texture bound since shows through.
// Nothing without a renderer or shader.
void UseParticleShader(YShader* shader, const YColor& colour);
// A square standing on a corner, 2 x size across, facing the camera: the
// corners position + size x right, + size x up, - size x right, - size x up
// with texture coordinates (1, 0), (1, 1), (0, 1), (0, 0), drawn with the
// current shader.
void DrawBillboard(const YVector3& position, float size);
// The same, after the colour is set (the shader stays).
void DrawBillboardColored(const YVector3& position, float size, const YColor& colour);
