#include "platform/Paths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace platform {

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The value of an environment variable, or empty when it is unset.
std::string_view EnvValue(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string_view(value) : std::string_view();
}

// The home folder from the password database, for sessions without $HOME.
std::string HomeFromPasswordDatabase() {
  long hint = sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(hint > 0 ? static_cast<std::size_t>(hint) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found) return {};
  return found->pw_dir ? std::string(found->pw_dir) : std::string();
}

std::string HomeFolder() {
  std::string_view home = EnvValue("HOME");
  if (!home.empty()) return std::string(home);
  return HomeFromPasswordDatabase();
}

// Drops trailing separators but never reduces "/" to nothing.
std::string WithoutTrailingSeparator(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

std::string MapPath(std::string_view dataName) {
  std::string mapped;
  mapped.reserve(dataName.size());
  for (char c : dataName) {
    if (!IsSeparator(c)) {
      mapped.push_back(c);
    } else if (mapped.empty() || mapped.back() != '/') {
      mapped.push_back('/');
    }
  }
  return mapped;
}

std::string UserDataParent() {
  std::string_view appData = EnvValue("APPDATA");
  if (!appData.empty()) return WithoutTrailingSeparator(std::string(appData));

  // The XDG rules ignore a relative data home, as it would depend on the
  // folder the program happens to be started from.
  std::string_view xdg = EnvValue("XDG_DATA_HOME");
  if (!xdg.empty() && xdg.front() == '/') return WithoutTrailingSeparator(std::string(xdg));

  std::string home = HomeFolder();
  // Without any home the current folder is the only place left; never the
  // file system root, which an empty parent would turn into.
  if (home.empty()) return ".";
  while (!home.empty() && home.back() == '/') home.pop_back();
  return home + "/.local/share";
}

}  // namespace platform
