#include "platform/OpenGLProbe.h"

#include <charconv>

#include "platform/GLAdapterProbe.h"
#include "platform/Window.h"

namespace platform {

bool ParseGLVersion(std::string_view text, int& major, int& minor) {
  major = minor = 0;
  const std::size_t start = text.find_first_of("0123456789");
  if (start == std::string_view::npos) return false;
  const char* end = text.data() + text.size();
  int first = 0, second = 0;
  auto [afterMajor, error] = std::from_chars(text.data() + start, end, first);
  if (error != std::errc() || afterMajor == end || *afterMajor != '.') return false;
  auto [afterMinor, error2] = std::from_chars(afterMajor + 1, end, second);
  if (error2 != std::errc()) return false;
  major = first;
  minor = second;
  return true;
}

OpenGLInfo ProbeOpenGL() {
  OpenGLInfo info;
  if (!InitVideo()) {
    info.error = LastVideoError();
    return info;
  }
  // The graphics device asks the same hidden window again for its frame
  // buffer; it is created once for both.
  GLAdapterInfo adapter;
  if (!ProbeGLAdapter(adapter, info.error)) return info;
  info.version = adapter.version;
  info.renderer = adapter.renderer;
  info.found = true;
  ParseGLVersion(info.version, info.major, info.minor);  // 0.0 when unreadable
  return info;
}

}  // namespace platform
