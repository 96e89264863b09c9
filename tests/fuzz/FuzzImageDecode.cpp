// Arbitrary bytes as an image file: whatever the decoders accept must be a
// whole image within the size limit, its header size must agree with it,
// and resampling it must stay inside its texels.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/Image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  int width = 0, height = 0;
  const bool sized = platform::DecodeImageSize(bytes, width, height);
  const auto image = platform::DecodeImage(bytes);
  if (!image) return 0;
  if (!platform::IsValidImage(*image)) std::abort();
  if (!sized || width != image->width || height != image->height) std::abort();
  const platform::Image half = platform::ResampleBox(*image, image->width / 2 + 1, image->height / 3 + 1);
  if (!platform::IsValidImage(half)) std::abort();
  return 0;
}
