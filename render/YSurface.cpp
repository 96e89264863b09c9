#include "render/YSurface.h"

#include <utility>

#include "framework/Log.h"
#include "render/TextureLoading.h"

namespace {

const char* Outcome(bool ok) {
  return ok ? "ok" : "failed";
}

}  // namespace

YSurface::YSurface(std::string name) : name_(std::move(name)) {}

void YSurface::CreateDeviceObjects() {
  if (attempted_ || TextureDevice() == nullptr) return;
  attempted_ = true;
  int width = 0, height = 0;
  const bool sized = platform::ReadImageSize(name_, width, height);
  Log::Printf("Create surface, %s", Outcome(sized));
  std::optional<platform::Image> image;
  std::string error = "bad header";
  if (sized) image = platform::LoadImageFile(name_, &error);
  // The file must still be what its header said.
  const bool loaded = image && image->width == width && image->height == height;
  Log::Printf("Load surface %s, %s", name_.c_str(), Outcome(loaded));
  if (!image) ReportDamagedImage(name_, error);
  if (loaded) texels_ = std::move(image);
}

void YSurface::ReleaseDeviceObjects() {
  texels_.reset();
  attempted_ = false;
}
