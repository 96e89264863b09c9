#include "framework/SystemCheck.h"

#include <cctype>
#include <cstdio>

#include "framework/Log.h"
#include "platform/MessageBox.h"
#include "platform/OsVersion.h"
#include "platform/Process.h"

namespace {

constexpr const char* kVersionCaption = "OpenGL Version Error";

void LogOsVersion() {
  const platform::OsVersion os = platform::QueryOsVersion();
  if (!os.known) return;
  Log::Printf("%s version: %d.%d.%d %s", os.system.c_str(), os.major, os.minor, os.patch,
              os.detail.c_str());
}

[[noreturn]] void Refuse(const char* text) {
  platform::ShowMessageBox(text, kVersionCaption, platform::MessageBoxIcon::Information);
  platform::EndProcess(1);
}

}  // namespace

std::uint32_t PackGraphicsVersion(int major, int minor, char letter) {
  const int lower = std::tolower(static_cast<unsigned char>(letter));
  const std::uint32_t place = (lower >= 'a' && lower <= 'z') ? static_cast<std::uint32_t>(lower - 'a' + 1) : 0;
  return ((static_cast<std::uint32_t>(major) << 8) + static_cast<std::uint32_t>(minor)) << 8 | place;
}

int GetOpenGLVersion(const platform::OpenGLInfo& info, std::uint32_t* version, char* text,
                     std::size_t textSize) {
  if (version) *version = 0;
  if (text && textSize > 0) text[0] = '\0';
  if (!info.found) return -1;
  if (version) *version = PackGraphicsVersion(info.major, info.minor, ' ');
  if (text && textSize > 0) {
    std::snprintf(text, textSize, "%d.%d", info.major, info.minor);
    text[textSize - 1] = '\0';
  }
  return 0;
}

void CheckSystem(const std::function<platform::OpenGLInfo()>& probe) {
  LogOsVersion();
  std::uint32_t version = 0;
  char text[10];
  const platform::OpenGLInfo info = probe();
  if (GetOpenGLVersion(info, &version, text, sizeof text) != 0) {
    Log::Write("OpenGL not installed.");
    if (!info.error.empty()) Log::Printf("%s", info.error.c_str());
    Refuse("OpenGL not installed.");
  }
  Log::Printf("OpenGL v%s installed", text);
  if (version < kRequiredOpenGLVersion) Refuse("Requires installed OpenGL v2.1 or higher");
}
