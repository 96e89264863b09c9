// A named texture: the image file of that name (a data name such as
// "textures\star.tga") loaded through the renderer into a device texture
// with its full mip chain. Loads when made while a device exists, and again
// each time the device is created. Main thread only.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "render/YRenderResource.h"

namespace platform {
class DeviceTexture;
}

class YTextureBase : public YRenderResource {
 public:
  // Takes the name and loads at once when a renderer exists.
  explicit YTextureBase(std::string name);
  // Releases the device texture (through the renderer when there is one).
  ~YTextureBase() override;

  // When a renderer exists: drops a held texture, then has the renderer
  // load the named file. A file that is missing or broken leaves the
  // texture empty (the renderer logs it); there is no retry until the device
  // is created again or the name changes.
  void CreateDeviceObjects() override;
  // Drops the device texture.
  void ReleaseDeviceObjects() override;
  // At device creation: waits for the first use when the renderer defers
  // texture loads, stays unloaded when released until used, else loads.
  void OnDeviceCreated() override;

  // Drops the device texture (and so its texels) of a texture that is done
  // with for now; the item stays where it is and loads again when next
  // drawn, also after the device was created again.
  void ReleaseUntilUsed();
  // Loads a texture that waits (for its first use, or released until used);
  // nothing otherwise. The renderer calls it when the texture is drawn.
  void LoadIfWaiting();
  // Waiting for its first use since the device was created (not released
  // by choice): what LoadNextWaitingTexture loads.
  bool WaitsForFirstUse() const { return waiting_ == Waiting::FirstUse; }
  // Released by choice (ReleaseUntilUsed) and not drawn since.
  bool ReleasedUntilUsed() const { return waiting_ == Waiting::NextUse; }
  // How many textures wait for their first use: none once spare time has
  // loaded them all, until a device is created again.
  static std::size_t WaitingForFirstUse() { return waitingForFirstUse_; }

  // Renames the texture and loads the new file.
  void SetName(std::string_view name);
  const std::string& name() const { return name_; }

  // The loaded texture; null when none is held. Drawing with an empty
  // texture binds nothing.
  const platform::DeviceTexture* DeviceTexture() const { return deviceTexture_.get(); }
  // For the renderer's LoadTexture and ReleaseTexture: the texture to hold
  // (null drops the held one).
  void SetDeviceTexture(std::unique_ptr<platform::DeviceTexture> texture);

 protected:
  // An unnamed texture that loads nothing by itself: for kinds that make
  // their own device texture.
  YTextureBase();

 private:
  enum class Waiting { No, FirstUse, NextUse };

  // Every change of waiting_ goes through here, keeping the count right.
  void SetWaiting(Waiting waiting);

  static std::size_t waitingForFirstUse_;
  Waiting waiting_ = Waiting::No;
  std::unique_ptr<platform::DeviceTexture> deviceTexture_;
  std::string name_;
};
