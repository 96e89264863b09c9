// The program's icon: the emblem picture the texture generator makes at
// build time (the four element marks on a gold-rimmed plate), read from the
// program folder in the form the window takes.
#pragma once

#include "platform/Window.h"

inline constexpr const char* kAppIconFile = "textures\\appicon.tga";

// The icon of that picture; empty (the desktop's default icon, with a log
// line) when the picture is missing or unreadable.
platform::IconImage LoadAppIcon();
