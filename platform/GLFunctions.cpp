#include "platform/GLFunctions.h"

#include "platform/OpenGLProbe.h"

namespace platform {

namespace {

template <typename Fn>
void Find(Fn& slot, const char* name, std::string* missing) {
  slot = reinterpret_cast<Fn>(SDL_GL_GetProcAddress(name));
  if (slot != nullptr || missing == nullptr) return;
  if (!missing->empty()) *missing += ", ";
  *missing += name;
}

}  // namespace

GLFunctions& GL() {
  static GLFunctions functions;
  return functions;
}

bool GLHas(const char* extension, int major, int minor) {
  const auto* text = reinterpret_cast<const char*>(glGetString(GL_VERSION));
  int haveMajor = 0, haveMinor = 0;
  if (text != nullptr && ParseGLVersion(text, haveMajor, haveMinor)) {
    if (haveMajor > major || (haveMajor == major && haveMinor >= minor)) return true;
  }
  return SDL_GL_ExtensionSupported(extension) == SDL_TRUE;
}

// All or nothing: BlitFramebuffer stays null unless every entry was found.
void GLFunctions::LoadFramebuffers() {
  BlitFramebuffer = nullptr;
  if (!GLHas("GL_ARB_framebuffer_object", 3, 0)) return;
  std::string missing;
  Find(GenFramebuffers, "glGenFramebuffers", &missing);
  Find(DeleteFramebuffers, "glDeleteFramebuffers", &missing);
  Find(BindFramebuffer, "glBindFramebuffer", &missing);
  Find(FramebufferTexture2D, "glFramebufferTexture2D", &missing);
  Find(GenRenderbuffers, "glGenRenderbuffers", &missing);
  Find(DeleteRenderbuffers, "glDeleteRenderbuffers", &missing);
  Find(BindRenderbuffer, "glBindRenderbuffer", &missing);
  Find(RenderbufferStorage, "glRenderbufferStorage", &missing);
  Find(FramebufferRenderbuffer, "glFramebufferRenderbuffer", &missing);
  Find(CheckFramebufferStatus, "glCheckFramebufferStatus", &missing);
  if (missing.empty()) Find(BlitFramebuffer, "glBlitFramebuffer", nullptr);
}

bool GLFunctions::Load(std::string& missing) {
  missing.clear();
  Find(ActiveTexture, "glActiveTexture", &missing);
  Find(ClientActiveTexture, "glClientActiveTexture", &missing);
  Find(MultiTexCoord2f, "glMultiTexCoord2f", &missing);
  Find(DrawRangeElements, "glDrawRangeElements", &missing);
  Find(MultiDrawArrays, "glMultiDrawArrays", &missing);
  Find(GenBuffers, "glGenBuffers", &missing);
  Find(DeleteBuffers, "glDeleteBuffers", &missing);
  Find(BindBuffer, "glBindBuffer", &missing);
  Find(BufferData, "glBufferData", &missing);
  Find(BufferSubData, "glBufferSubData", &missing);
  // A driver may export sampler functions it does not support; only trust
  // them when the context says so.
  if (GLHas("GL_ARB_sampler_objects", 3, 3)) {
    Find(GenSamplers, "glGenSamplers", &missing);
    Find(DeleteSamplers, "glDeleteSamplers", &missing);
    Find(BindSampler, "glBindSampler", &missing);
    Find(SamplerParameteri, "glSamplerParameteri", &missing);
  } else {
    missing += std::string(missing.empty() ? "" : ", ") + "sampler objects";
  }
  ClipControl = nullptr;
  if (GLHas("GL_ARB_clip_control", 4, 5)) Find(ClipControl, "glClipControl", nullptr);
  LoadFramebuffers();
  return missing.empty();
}

}  // namespace platform
