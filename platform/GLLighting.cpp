#include "platform/GLLighting.h"

#include "platform/GLFunctions.h"

namespace platform {

namespace {

void Colour(GLenum face, GLenum name, const ColorValue& c) {
  const GLfloat v[4] = {c.r, c.g, c.b, c.a};
  glMaterialfv(face, name, v);
}

void LightColour(GLenum name, const ColorValue& c) {
  const GLfloat v[4] = {c.r, c.g, c.b, c.a};
  glLightfv(GL_LIGHT0, name, v);
}

void AmbientFromArgb(std::uint32_t argb) {
  const GLfloat v[4] = {
      static_cast<GLfloat>((argb >> 16) & 0xFF) / 255.0f, static_cast<GLfloat>((argb >> 8) & 0xFF) / 255.0f,
      static_cast<GLfloat>(argb & 0xFF) / 255.0f, static_cast<GLfloat>((argb >> 24) & 0xFF) / 255.0f};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, v);
}

}  // namespace

GLLighting::GLLighting() {
  glEnable(GL_LIGHTING);
  glDisable(GL_COLOR_MATERIAL);
  glDisable(GL_NORMALIZE);
  glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_TRUE);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE);
  AmbientFromArgb(0);
  glDisable(GL_LIGHT0);
  SetLight(light_);
  ApplyMaterial();
}

bool GLLighting::Set(std::uint32_t state, std::uint32_t value) {
  switch (state) {
    case rs::Lighting:
      if (value != 0)
        glEnable(GL_LIGHTING);
      else
        glDisable(GL_LIGHTING);
      return true;
    case rs::Ambient:
      AmbientFromArgb(value);
      return true;
    case rs::SpecularEnable:
      specular_ = value != 0;
      ApplyMaterial();
      return true;
    case rs::LocalViewer:
      glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, value != 0 ? GL_TRUE : GL_FALSE);
      return true;
    // The material sources pick vertex colours where a vertex has them;
    // no vertex format of the device carries colours, and a missing vertex
    // colour falls back to the material's, so the material always counts.
    case rs::ColorVertex:
    case rs::DiffuseMaterialSource:
    case rs::SpecularMaterialSource:
    case rs::AmbientMaterialSource:
    case rs::EmissiveMaterialSource:
      return true;
    default:
      return false;
  }
}

void GLLighting::SetMaterial(const DeviceMaterial& material) {
  material_ = material;
  ApplyMaterial();
}

// Without specular highlights the device adds no specular colour at all;
// OpenGL always computes it, so the material's specular goes black.
// OpenGL takes shininess only up to 128.
void GLLighting::ApplyMaterial() const {
  Colour(GL_FRONT_AND_BACK, GL_DIFFUSE, material_.diffuse);
  Colour(GL_FRONT_AND_BACK, GL_AMBIENT, material_.ambient);
  Colour(GL_FRONT_AND_BACK, GL_EMISSION, material_.emissive);
  Colour(GL_FRONT_AND_BACK, GL_SPECULAR, specular_ ? material_.specular : ColorValue{0, 0, 0, 0});
  float power = material_.power;
  if (!(power >= 0)) power = 0;  // negative or not a number
  if (power > 128) power = 128;
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, power);
}

void GLLighting::SetLight(const DeviceLight& light) {
  light_ = light;
  LightColour(GL_DIFFUSE, light.diffuse);
  LightColour(GL_SPECULAR, light.specular);
  LightColour(GL_AMBIENT, light.ambient);
}

void GLLighting::EnableLight(bool on) {
  if (on)
    glEnable(GL_LIGHT0);
  else
    glDisable(GL_LIGHT0);
}

// The device's direction is where the light travels; OpenGL wants the
// direction towards the light, with w = 0 for a light at infinity.
void GLLighting::IssueLightDirection() const {
  const GLfloat towards[4] = {-light_.direction[0], -light_.direction[1], -light_.direction[2], 0.0f};
  glLightfv(GL_LIGHT0, GL_POSITION, towards);
}

}  // namespace platform
