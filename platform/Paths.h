// File names as the data writes them, mapped to this system's paths.
// Data files name paths with "\" as separator ("data\fonts.yml"); every file
// the program opens passes through MapPath, nothing else deals with separators.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// "\" becomes "/", and runs of separators collapse into one
// ("a\\b//c" -> "a/b/c"). A leading separator (an absolute path) is kept.
std::string MapPath(std::string_view dataName);

// The folder under which the per-user folder "QuennelVarrick" lives:
// $APPDATA when set and not empty, else $XDG_DATA_HOME, else ~/.local/share.
// Returned without a trailing separator.
std::string UserDataParent();

}  // namespace platform
