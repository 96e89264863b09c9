// The device's fixed-function lighting on OpenGL: the lighting switch, the
// ambient colour, specular highlights, the local viewer, the material and
// the one directional light (OpenGL light 0).
#pragma once

#include <cstdint>

#include "platform/DeviceTypes.h"

namespace platform {

class GLLighting {
 public:
  // Puts OpenGL into the device's initial lighting: lighting on, ambient
  // black, specular highlights off, local viewer on, a black material and
  // light 0 off. Highlights are added after the texture stages (OpenGL's
  // separate specular colour), as the device does. With the context current.
  GLLighting();

  // Handles the lighting render states (rs::Lighting, Ambient,
  // SpecularEnable, LocalViewer, ColorVertex and the material sources);
  // false for any other state.
  bool Set(std::uint32_t state, std::uint32_t value);
  void SetMaterial(const DeviceMaterial& material);
  // Keeps the light's colours and direction; its direction reaches OpenGL
  // with the next IssueLightDirection.
  void SetLight(const DeviceLight& light);
  void EnableLight(bool on);
  // Sends the light's direction. OpenGL transforms it by the model-view
  // matrix current at the call, so call it with the view (and no world)
  // loaded, every time the view or the light changes.
  void IssueLightDirection() const;

 private:
  void ApplyMaterial() const;

  DeviceMaterial material_;
  DeviceLight light_;
  bool specular_ = false;
};

}  // namespace platform
