// The TGA reader behind Image.h. Internal to the platform layer: the rest of
// the program goes through Image.h.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Image.h"

namespace platform::tga {

// Decodes to 8-bit BGRA; nothing (and `error` set) for a broken file or one
// that is no TGA image of a supported kind.
std::optional<Image> Decode(std::string_view bytes, std::string& error);
// Reads and checks the header only.
bool ReadSize(std::string_view bytes, int& width, int& height);

}  // namespace platform::tga
