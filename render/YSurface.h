// An image file decoded while a device exists and one of its cells is being
// cut, from which the cells of an array texture (YSTexture) are cut. Shared
// by its cells, which own it together; the cells decode it when the first
// of them loads and drop it when none is left to cut. Main thread only.
#pragma once

#include <optional>
#include <string>

#include "platform/Image.h"
#include "render/YRenderResource.h"

class YSurface : public YRenderResource {
 public:
  // Takes the name; loads nothing until CreateDeviceObjects.
  explicit YSurface(std::string name);

  // When a device exists, once until the next release: reads the file's
  // size (log "Create surface, ok|failed") and decodes it (log
  // "Load surface <name>, ok|failed"). A held image is kept; a failed load
  // is not retried before the device is created again.
  void CreateDeviceObjects() override;
  // Drops the image.
  void ReleaseDeviceObjects() override;
  // Decodes nothing at device creation: the cells load when first drawn (or
  // in spare time), so a screen that draws none holds no decoded image.
  void OnDeviceCreated() override {}

  const std::string& name() const { return name_; }
  // The decoded image (blue, green, red, alpha; top row first); null when
  // none is held.
  const platform::Image* Texels() const { return texels_ ? &*texels_ : nullptr; }

 private:
  std::string name_;
  std::optional<platform::Image> texels_;
  bool attempted_ = false;  // loading was tried since the last release
};
