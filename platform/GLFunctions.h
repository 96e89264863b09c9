// The OpenGL entry points beyond version 1.1 that the device uses, looked up
// once through SDL after a context exists. This is the one header of the GL
// device that includes the GL headers; every other GL* header stays free of
// them so code outside platform/ (and the tests) can include those.
#pragma once

#include <SDL.h>
#include <SDL_opengl.h>

#include <string>

namespace platform {

struct GLFunctions {
  // Required: multitexture (1.3), draw range (1.2), multi-draw (1.4),
  // buffer objects (1.5),
  // sampler objects (3.3 or GL_ARB_sampler_objects).
  PFNGLACTIVETEXTUREPROC ActiveTexture = nullptr;
  PFNGLCLIENTACTIVETEXTUREARBPROC ClientActiveTexture = nullptr;
  PFNGLMULTITEXCOORD2FARBPROC MultiTexCoord2f = nullptr;
  PFNGLDRAWRANGEELEMENTSPROC DrawRangeElements = nullptr;
  PFNGLMULTIDRAWARRAYSPROC MultiDrawArrays = nullptr;
  PFNGLGENBUFFERSPROC GenBuffers = nullptr;
  PFNGLDELETEBUFFERSPROC DeleteBuffers = nullptr;
  PFNGLBINDBUFFERPROC BindBuffer = nullptr;
  PFNGLBUFFERDATAPROC BufferData = nullptr;
  PFNGLBUFFERSUBDATAPROC BufferSubData = nullptr;
  PFNGLGENSAMPLERSPROC GenSamplers = nullptr;
  PFNGLDELETESAMPLERSPROC DeleteSamplers = nullptr;
  PFNGLBINDSAMPLERPROC BindSampler = nullptr;
  PFNGLSAMPLERPARAMETERIPROC SamplerParameteri = nullptr;
  // Optional (null when the driver lacks it): GL 4.5 or GL_ARB_clip_control.
  PFNGLCLIPCONTROLPROC ClipControl = nullptr;
  // Optional (null when the driver lacks it): frame buffer objects, GL 3.0
  // or GL_ARB_framebuffer_object (off-screen render targets).
  PFNGLGENFRAMEBUFFERSPROC GenFramebuffers = nullptr;
  PFNGLDELETEFRAMEBUFFERSPROC DeleteFramebuffers = nullptr;
  PFNGLBINDFRAMEBUFFERPROC BindFramebuffer = nullptr;
  PFNGLFRAMEBUFFERTEXTURE2DPROC FramebufferTexture2D = nullptr;
  PFNGLGENRENDERBUFFERSPROC GenRenderbuffers = nullptr;
  PFNGLDELETERENDERBUFFERSPROC DeleteRenderbuffers = nullptr;
  PFNGLBINDRENDERBUFFERPROC BindRenderbuffer = nullptr;
  PFNGLRENDERBUFFERSTORAGEPROC RenderbufferStorage = nullptr;
  PFNGLFRAMEBUFFERRENDERBUFFERPROC FramebufferRenderbuffer = nullptr;
  PFNGLCHECKFRAMEBUFFERSTATUSPROC CheckFramebufferStatus = nullptr;
  PFNGLBLITFRAMEBUFFERPROC BlitFramebuffer = nullptr;
  bool HasFramebuffers() const { return BlitFramebuffer != nullptr; }

  // Looks every entry point up in the current context. False, with the
  // missing names in `missing`, when a required one is absent.
  bool Load(std::string& missing);

 private:
  void LoadFramebuffers();
};

// The process's entry points, filled by the first device created. The
// addresses do not depend on the context under GLX, so one table serves all.
GLFunctions& GL();

// Whether the current context offers `extension` or is at least version
// major.minor.
bool GLHas(const char* extension, int major, int minor);

}  // namespace platform
