// The renderer's debug view: a window that draws every frame a lit, textured
// 3D scene with a stencil shadow under the scene camera, animated and flat
// coloured quads and sample lines of the four fonts in the 2D UI space and
// the cursor texture at the mouse, all with the shipped shaders and fonts. It can stop after a number of frames and write
// the last one to a PNG file, so a person or a script can check the picture.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "framework/YFramework.h"

class Render_D3D;

struct RenderViewOptions {
  int frames = 0;          // quit after this many frames; 0 = run until closed
  std::string screenshot;  // PNG of the last frame; empty = none
};

class RenderViewApp : public YFramework {
 public:
  // Creates the renderer and loads "data\shaders.yml" and "data\fonts.yml"
  // from the working folder
  // (the program folder); the window comes with Open.
  explicit RenderViewApp(RenderViewOptions options);
  ~RenderViewApp() override;

  // Opens the 1000 x 625 window "Render view" with the device on it.
  void Open();
  // Draws one frame (at least 10 ms after the previous one); true when drawn.
  bool Frame() override;

  // False once a screenshot could not be written.
  bool ok = true;

 private:
  void DrawScene3D();
  void DrawQuads2D();
  void DrawText2D();
  void DrawCursor();
  void FinishFrame();

  RenderViewOptions options_;
  std::unique_ptr<Render_D3D> renderer_;
  std::uint32_t previousTime_ = 0;
  float time_ = 0;  // seconds drawn so far
  int framesDrawn_ = 0;
};
