#include "platform/GLAdapterProbe.h"

#include <charconv>
#include <optional>

#include "platform/DeviceTypes.h"
#include "platform/GLContext.h"
#include "platform/GLFunctions.h"
#include "platform/Window.h"

namespace platform {

namespace {

std::string GLText(GLenum name) {
  const auto* text = reinterpret_cast<const char*>(glGetString(name));
  return text != nullptr ? text : "";
}

GLAdapterInfo ReadCurrentContext() {
  GLAdapterInfo info;
  info.vendor = GLText(GL_VENDOR);
  info.renderer = GLText(GL_RENDERER);
  info.version = GLText(GL_VERSION);
  glGetIntegerv(GL_DEPTH_BITS, &info.depthBits);
  glGetIntegerv(GL_STENCIL_BITS, &info.stencilBits);
  return info;
}

std::optional<GLAdapterInfo> ProbeHiddenWindow(std::string& error) {
  WindowDesc desc;
  desc.clientWidth = desc.clientHeight = 16;
  desc.openGL = true;
  auto window = Window::Create(desc, nullptr);
  if (!window) {
    error = LastVideoError();
    return std::nullopt;
  }
  auto context = GLContext::Create(window->Sdl(), error);
  if (!context) return std::nullopt;
  GLAdapterInfo info = ReadCurrentContext();
  // The game window's device takes this context over rather than making its own.
  GLContext::KeepAsSpare(std::move(context), std::move(window));
  return info;
}

// The answer of the one hidden window asked (empty until one answered).
std::optional<GLAdapterInfo>& Probed() {
  static std::optional<GLAdapterInfo> probed;
  return probed;
}

// Reads one number at `pos` (which must be a digit); 0 when it does not fit.
int ReadNumber(std::string_view text, std::size_t& pos) {
  int value = 0;
  const char* begin = text.data() + pos;
  const char* end = text.data() + text.size();
  auto [stop, error] = std::from_chars(begin, end, value);
  if (error != std::errc()) value = 0;
  while (stop < end && *stop >= '0' && *stop <= '9') ++stop;  // rest of an oversized number
  pos = static_cast<std::size_t>(stop - text.data());
  return value;
}

// Reads a group "N" or "N.N..." starting at `pos` into out[0..1].
void ReadGroup(std::string_view text, std::size_t& pos, int* out) {
  out[0] = ReadNumber(text, pos);
  if (pos + 1 < text.size() && text[pos] == '.' && text[pos + 1] >= '0' && text[pos + 1] <= '9') {
    ++pos;
    out[1] = ReadNumber(text, pos);
  }
  // Further parts of the group ("22.3.6") are skipped.
  while (pos < text.size() && (text[pos] == '.' || (text[pos] >= '0' && text[pos] <= '9'))) ++pos;
}

}  // namespace

bool ProbeGLAdapter(GLAdapterInfo& info, std::string& error) {
  std::optional<GLAdapterInfo>& probed = Probed();
  if (!probed) probed = ProbeHiddenWindow(error);
  if (!probed) return false;
  info = *probed;
  return true;
}

bool QueryGLAdapter(GLAdapterInfo& info) {
  if (SDL_GL_GetCurrentContext() != nullptr) {
    info = ReadCurrentContext();
    return true;
  }
  std::string ignored;
  return ProbeGLAdapter(info, ignored);
}

bool DepthStencilOffered(int depthBits, int stencilBits, std::uint32_t depthStencilFormat) {
  struct Need {
    std::uint32_t format;
    int depth, stencil;
  };
  static constexpr Need kNeeds[] = {{fmt::D24S8, 24, 8},      {fmt::D24X4S4, 24, 4}, {fmt::D15S1, 15, 1},
                                    {fmt::D32, 32, 0},        {fmt::D24X8, 24, 0},   {fmt::D16, 16, 0},
                                    {fmt::D16Lockable, 16, 0}};
  for (const Need& need : kNeeds) {
    if (need.format == depthStencilFormat) return depthBits >= need.depth && stencilBits >= need.stencil;
  }
  return false;
}

void ParseDriverVersion(std::string_view text, int (&version)[4]) {
  for (int& part : version) part = 0;
  std::size_t pos = 0;
  for (int group = 0; group < 2; ++group) {
    pos = text.find_first_of("0123456789", pos);
    if (pos == std::string_view::npos) return;
    ReadGroup(text, pos, version + 2 * group);
  }
}

}  // namespace platform
