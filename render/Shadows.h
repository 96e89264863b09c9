// Stencil shadow volumes of the 3D scenes. While the scene draws, each
// shadow caster hands its silhouette edges to AddShadowEdge, which extrudes
// them along the light into side faces sorted by whether they face the eye;
// after the scene, DrawShadows draws the back faces, the front faces and a
// darkening full-screen quad with the shaders "shadowPass1" to "shadowPass3"
// of the shader file. Main thread only.
#pragma once

#include <vector>

#include "framework/YMatrix4.h"
#include "framework/YVector3.h"

class YShader;

// The two triangle lists of one frame's shadow volumes. Clearing keeps the
// lists' storage, so a steady scene adds edges without allocating.
class ShadowVolumes {
 public:
  // Ends lower than this cast nothing.
  static constexpr float kLowestCaster = -0.5f;

  // Extrudes the edge a-b along `light` down to the height light.z and adds
  // the quad a, b, b', a' as the triangles (a, b, b') and (a, b', a') to the
  // front list when its normal (b - a) x light points towards `eye`, else to
  // the back list (edge-on included). Nothing is added when an end lies
  // below kLowestCaster, or when the light does not point downwards
  // (light.z >= 0), which would extrude upwards or divide by zero.
  void AddEdge(const YVector3& a, const YVector3& b, const YVector3& light, const YVector3& eye);
  // Empties both lists.
  void Clear();

  // Plain triangle lists, three points per triangle.
  const std::vector<YVector3>& Front() const { return front_; }
  const std::vector<YVector3>& Back() const { return back_; }

 private:
  std::vector<YVector3> front_;
  std::vector<YVector3> back_;
};

// The clip-space rectangle (x, y from -1 to 1) that holds every point of
// both lists seen through `viewProjection`, widened by `margin` and kept
// within -1..1: a shadow can only darken pixels there. False when a point
// lies at or behind the eye's plane (w <= 0), where it has no such place.
bool ShadowClipBounds(const ShadowVolumes& volumes, const YMatrix4& viewProjection, float margin,
                      float bounds[4]);

// The frame's shadow volumes (the lists AddShadowEdge fills).
ShadowVolumes& GetShadowVolumes();

// Looks up the three pass shaders by name (creating them empty until the
// shader file defines them). Runs during static initialisation; calling it
// again changes nothing.
void CreateShadowShaders();
// The configuration's "shadows" option is on, a renderer exists and its
// display mode has a stencil buffer. Ask before adding edges.
bool ShadowsEnabled();
// Empties the lists; call at the start of every frame, before any scene.
void ClearShadowVolumes();
// Adds one silhouette edge (world-space ends) of a caster, extruded along the
// camera's light and sorted by the camera's eye.
void AddShadowEdge(const YVector3& a, const YVector3& b);
// Nothing unless ShadowsEnabled, and nothing while both lists are empty.
// Otherwise with the identity world transform: the back list with
// "shadowPass1", the front list with "shadowPass2" (an empty one skipped),
// then the renderer's screen quad with "shadowPass3" over the part of the
// screen the volumes cover (ShadowClipBounds under the camera; the whole
// quad when that fails); each shader is made current with its material.
void DrawShadows();
