// Loading image files into device textures and cutting array textures: the
// work behind the renderer's LoadTexture and MakeArrayTexture slots, kept
// apart from the device so it can be driven by any GraphicsDevice.
// Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {
class DeviceTexture;
class GraphicsDevice;
}  // namespace platform

class YSTexture;

// The side a texture gets for an image side: min(maxTextureSize, side)
// divided by the scale, where a scale below 1 counts as 1, a maximum of 0 as
// no limit, and the result is at least 1.
int ScaledTextureSide(int imageSide, std::uint32_t maxTextureSize, int textureScale);

// Decodes the image file `name` (a data name), box-resamples it to the
// scaled size and creates a device texture with its full mip chain (which
// the device may make when the texture is first drawn with a mip filter). Logs
// "Load texture <name>, ok|failed". Null when the file is missing or broken
// or the device refuses the texture.
std::unique_ptr<platform::DeviceTexture> LoadDeviceTexture(platform::GraphicsDevice& device,
                                                           std::string_view name,
                                                           std::uint32_t maxTextureSize, int textureScale);

// An image file that failed to decode (`reason` from the decoder): when the
// file is there, it is damaged, and is logged with the reason and reported
// to FileAlerts. A missing file is left to the caller's log line, as
// picture names also come from saves and from the peer.
void ReportDamagedImage(const std::string& name, const std::string& reason);

// Cuts `count` cells, numbered row by row from the top left, of a grid of
// columns x rows from the image file `fileName`, appending them to `out`;
// the caller owns them, and the surface goes with the last of them; its
// decoded image is dropped once the cells are made. Logs
// "Make array texture..." and the surface's and each cell's lines. Inside
// the renderer, call it as ::MakeArrayTexture (its slot has the same name).
void MakeArrayTexture(int columns, int rows, int count, std::vector<YSTexture*>& out,
                      std::string_view fileName);

// Loads one texture that waits for its first use since the device was
// created (the renderer's deferTextureLoads); false when none waits. Call it
// in spare time until it says false.
bool LoadNextWaitingTexture();

// The renderer's device, its largest texture side and the configured texture
// scale (at least 1), as the texture code sees them: null / 0 without a
// device.
platform::GraphicsDevice* TextureDevice();
std::uint32_t TextureMaxSize();
int TextureScale();
