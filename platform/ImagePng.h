// The PNG codec behind Image.h, on libpng. Internal to the platform layer:
// the rest of the program goes through Image.h.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Image.h"

namespace platform::png {

// True when the bytes open with the PNG signature.
bool HasSignature(std::string_view bytes);
// Decodes to 8-bit BGRA; nothing (and `error` set) for a broken file.
std::optional<Image> Decode(std::string_view bytes, std::string& error);
// Reads and checks the header only.
bool ReadSize(std::string_view bytes, int& width, int& height);
std::optional<std::string> Encode(const Image& image);

}  // namespace platform::png
