#include "render/TextureLoading.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "framework/FileAlerts.h"
#include "framework/Init.h"
#include "framework/Log.h"
#include "platform/FileSystem.h"
#include "platform/GraphicsDevice.h"
#include "platform/Image.h"
#include "render/Render_D3D.h"
#include "render/YSTexture.h"
#include "render/YSurface.h"
#include "render/YTextureBase.h"

int ScaledTextureSide(int imageSide, std::uint32_t maxTextureSize, int textureScale) {
  std::int64_t side = std::max(imageSide, 1);
  if (maxTextureSize != 0) side = std::min<std::int64_t>(side, maxTextureSize);
  side /= std::max(textureScale, 1);
  return static_cast<int>(std::max<std::int64_t>(side, 1));
}

std::unique_ptr<platform::DeviceTexture> LoadDeviceTexture(platform::GraphicsDevice& device,
                                                           std::string_view name,
                                                           std::uint32_t maxTextureSize, int textureScale) {
  const std::string fileName(name);
  std::string error;
  std::optional<platform::Image> image = platform::LoadImageFile(fileName, &error);
  std::unique_ptr<platform::DeviceTexture> texture;
  if (image) {
    const int width = ScaledTextureSide(image->width, maxTextureSize, textureScale);
    const int height = ScaledTextureSide(image->height, maxTextureSize, textureScale);
    platform::Image top = width == image->width && height == image->height
                              ? std::move(*image)
                              : platform::ResampleBox(*image, width, height);
    texture = device.CreateMipMappedTexture(std::move(top));
  }
  Log::Printf("Load texture %s, %s", fileName.c_str(), texture ? "ok" : "failed");
  if (!image) ReportDamagedImage(fileName, error);
  return texture;
}

void ReportDamagedImage(const std::string& name, const std::string& reason) {
  if (!platform::PathIs(name, false)) return;
  Log::Printf("Image file %s cannot be read: %s", name.c_str(), reason.c_str());
  FileAlerts::NeededFileFailed(name);
}

void MakeArrayTexture(int columns, int rows, int count, std::vector<YSTexture*>& out,
                      std::string_view fileName) {
  Log::Write("Make array texture...");
  if (count < 1) return;  // no cell would own the surface
  auto surface = std::make_shared<YSurface>(std::string(fileName));
  // Every cell exists before the first is cut, so the surface is decoded
  // once and kept until the last cell is cut.
  const std::size_t first = out.size();
  for (int i = 0; i < count; ++i) out.push_back(new YSTexture(surface, columns, rows, i));
  for (std::size_t i = first; i < out.size(); ++i) out[i]->CreateDeviceObjects();
  // The cells hold their texels on the device: the decoded image goes (a
  // new device reads the file again), even when a cell could not be cut.
  surface->ReleaseDeviceObjects();
}

bool LoadNextWaitingTexture() {
  if (YTextureBase::WaitingForFirstUse() == 0) return false;  // the walk would find none
  for (YRenderResource* resource : YRenderResource::Registered()) {
    auto* texture = dynamic_cast<YTextureBase*>(resource);
    if (texture == nullptr || !texture->WaitsForFirstUse()) continue;
    texture->LoadIfWaiting();
    return true;
  }
  return false;
}

platform::GraphicsDevice* TextureDevice() {
  return GetGraphicsDevice();
}

std::uint32_t TextureMaxSize() {
  return GetMaxTextureSize();
}

int TextureScale() {
  return std::max<int>(g_textureScale, 1);
}
