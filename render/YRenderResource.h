// Everything that holds device objects (textures, image surfaces, mesh
// buffers) derives from YRenderResource and is kept in one global list, so
// the renderer can create and release them all together when the device
// comes and goes. Main thread only; the list owns nothing.
#pragma once

#include <vector>

class YRenderResource {
 public:
  // Appends the resource to the global list.
  YRenderResource();
  // Takes it off the list: the last resource moves into its place, so the
  // order of the others can change.
  virtual ~YRenderResource();
  YRenderResource(const YRenderResource&) = delete;
  YRenderResource& operator=(const YRenderResource&) = delete;

  // Around a device reset; nothing by default (device objects survive it).
  virtual void OnDeviceLost();
  virtual void OnDeviceReset();
  // Makes the device objects (called when the device is created, and by
  // derived constructors when it already exists); nothing without a device.
  virtual void CreateDeviceObjects() = 0;
  // Drops the device objects (before the device goes).
  virtual void ReleaseDeviceObjects() = 0;
  // Called for each resource by CreateAll when the device is created:
  // CreateDeviceObjects unless the resource waits for its first use.
  virtual void OnDeviceCreated();

  // Each registered resource in list order; a resource registered during
  // the walk is visited too.
  static void CreateAll();
  static void ReleaseAll();
  static void DeviceLostAll();
  static void DeviceResetAll();

  // The list as it stands.
  static const std::vector<YRenderResource*>& Registered();
};
