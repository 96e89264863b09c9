#include "game/AppIcon.h"

#include <cstddef>
#include <cstdint>
#include <optional>

#include "framework/Log.h"
#include "platform/Image.h"

platform::IconImage LoadAppIcon() {
  const std::optional<platform::Image> image = platform::LoadImageFile(kAppIconFile);
  if (!image) {
    Log::Printf("Load icon %s, failed", kAppIconFile);
    return {};
  }
  platform::IconImage icon{image->width, image->height, {}};
  icon.pixels.reserve(static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height));
  // Blue, green, red, alpha bytes to 0xAARRGGBB.
  for (std::size_t i = 0; i + 3 < image->bgra.size(); i += 4) {
    const auto byte = [&](std::size_t k) { return static_cast<std::uint32_t>(image->bgra[i + k]); };
    icon.pixels.push_back(byte(3) << 24 | byte(2) << 16 | byte(1) << 8 | byte(0));
  }
  return icon;
}
