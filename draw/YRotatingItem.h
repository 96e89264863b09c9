// A slowly turning background picture: two layers of one texture, each
// turning and zooming about the texture's centre while it fades in and out,
// half a cycle apart. Books, the final scene and the battle screen use it.
#pragma once

#include <array>

#include "framework/YColor.h"
#include "framework/YRect.h"
#include "framework/YTexVertex.h"

class YShader;

class YRotatingItem {
 public:
  // Degrees the layers turn and cycles the zoom runs per second.
  static constexpr float kTurnRate = -0.1f;
  static constexpr float kPhaseRate = 0.02f;

  // A quad over `rect` with texture coordinates 0 to 1; the shader is not
  // owned (shaders live for the process).
  YRotatingItem(const YRect& rect, YShader* shader);

  // Steps by dt seconds, then draws both layers.
  void Update(float dt);
  // The step alone: the angle turns and is wrapped into -180 to 180; the
  // phase grows and starts again at 0 once it passes 1. A step that is not
  // a finite number changes nothing.
  void Step(float dt);
  // Both layers: (angle, phase), then the opposite turn half a cycle later.
  void Draw() const;
  // The texture is clear beyond `reach` (in texture widths) from its
  // centre: each layer then draws only the part of the quad where the
  // texture can show, leaving every pixel as the whole quad would. 0 (at
  // first): the whole quad.
  void SetReach(float reach) { reach_ = reach; }

  // The quad of one layer: the texture turned by `angleDegrees` and zoomed
  // by 1 / (1.25 x phase + 0.75) about its centre.
  std::array<YTexVertex, 4> LayerQuad(float angleDegrees, float layerPhase) const;
  // What a layer draws: LayerQuad, or with a reach the part of it around
  // the circle the texture shows in.
  std::array<YTexVertex, 4> DrawnQuad(float angleDegrees, float layerPhase) const;
  // The layer's tint: white, its alpha 1.5 x (0.5 - |0.5 - phase|).
  static YColor LayerTint(float layerPhase);
  // An angle in degrees brought into -180 to 180.
  static float WrapAngle(float degrees);
  // The second layer's angle and phase for the first layer's.
  static float SecondAngle(float angleDegrees);
  static float SecondPhase(float layerPhase);

  float angle = 0;  // degrees
  float phase = 0;  // 0 to 1
  std::array<YTexVertex, 4> quad;
  YShader* shader;

 private:
  void DrawLayer(float layerAngle, float layerPhase) const;
  // `corners` with their texture coordinates (0 to 1 over the item's
  // quad) turned and zoomed as a layer's.
  static std::array<YTexVertex, 4> Turned(std::array<YTexVertex, 4> corners, float angleDegrees,
                                          float layerPhase);
  static float Zoom(float layerPhase);

  YRect rect_;
  float reach_ = 0;
};
