#include "render/YSTexture.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "framework/Log.h"
#include "platform/GraphicsDevice.h"
#include "platform/Image.h"
#include "render/TextureLoading.h"
#include "render/YSurface.h"

namespace {

// Texel centres land exactly on whole numbers at some scales; the allowance
// keeps rounding in u and v from dropping them to the texel before.
constexpr double kCentreAllowance = 1e-9;

// truncate (size x coordinate - 0.5), kept inside 0..size - 1.
int NearestIndex(int size, double coordinate) {
  const double position = size * coordinate - 0.5 + kCentreAllowance;
  if (!(position >= 1.0)) return 0;  // NaN too
  return position >= size - 1 ? size - 1 : static_cast<int>(position);
}

YColor NearestTexel(double u, double v, const YTextureFillContext& context) {
  const int x = NearestIndex(context.width, u);
  const int y = NearestIndex(context.height, v);
  const std::uint8_t* texel =
      context.texels + (static_cast<std::size_t>(y) * static_cast<std::size_t>(context.rowLength) + x) * 4;
  return YColor(texel[2] / 255.0f, texel[1] / 255.0f, texel[0] / 255.0f, texel[3] / 255.0f);
}

std::uint8_t ToByte(float channel) {
  return static_cast<std::uint8_t>(std::lround(std::clamp(channel, 0.0f, 1.0f) * 255.0f));
}

const char* Outcome(bool ok) {
  return ok ? "ok" : "failed";
}

}  // namespace

YSTexture::YSTexture(std::shared_ptr<YSurface> surface, int columns, int rows, int cellIndex)
    : surface_(std::move(surface)), columns_(columns), rows_(rows), cellIndex_(cellIndex) {}

YSTexture::~YSTexture() {
  ReleaseDeviceObjects();
  surface_.reset();
}

YSTexture::FillFunction YSTexture::GetFillFunction() const {
  return NearestTexel;
}

void YSTexture::CreateDeviceObjects() {
  platform::GraphicsDevice* device = TextureDevice();
  if (device == nullptr) return;
  if (DeviceTexture() != nullptr) ReleaseDeviceObjects();
  if (!surface_) return;
  // After a device reset the list order may put a cell before its surface.
  surface_->CreateDeviceObjects();
  const platform::Image* image = surface_->Texels();
  if (image == nullptr) return;
  YTextureFillContext context;
  if (!CellContext(*image, context)) {
    Log::Write("Create texture: failed, filtering: failed");
    return;
  }
  const int width = ScaledTextureSide(context.width, TextureMaxSize(), TextureScale());
  const int height = ScaledTextureSide(context.height, TextureMaxSize(), TextureScale());
  std::unique_ptr<platform::DeviceTexture> texture =
      device->CreateMipMappedTexture(FillTopLevel(context, width, height));
  Log::AppendF("Create texture: %s", Outcome(texture != nullptr));
  Log::Printf(", filtering: %s", Outcome(texture != nullptr));
  SetDeviceTexture(std::move(texture));
  // The decoded image costs as much as the cells' level 0 together: it
  // goes as soon as no cell waits for it (a cell decodes it again).
  if (!OtherCellNeedsSurface()) surface_->ReleaseDeviceObjects();
}

bool YSTexture::OtherCellNeedsSurface() const {
  for (YRenderResource* resource : YRenderResource::Registered()) {
    const auto* cell = dynamic_cast<const YSTexture*>(resource);
    if (cell == nullptr || cell == this || cell->surface_ != surface_) continue;
    if (cell->DeviceTexture() == nullptr && !cell->ReleasedUntilUsed()) return true;
  }
  return false;
}

// The cell's rectangle: cell size = surface size / grid, at the cell's
// column and row. False unless it is a non-empty part of the surface.
bool YSTexture::CellContext(const platform::Image& image, YTextureFillContext& context) const {
  if (columns_ < 1 || rows_ < 1 || cellIndex_ < 0 || cellIndex_ / columns_ >= rows_) return false;
  context.width = image.width / columns_;
  context.height = image.height / rows_;
  if (context.width < 1 || context.height < 1) return false;
  const std::size_t left = static_cast<std::size_t>(cellIndex_ % columns_) * context.width;
  const std::size_t top = static_cast<std::size_t>(cellIndex_ / columns_) * context.height;
  context.rowLength = image.width;
  context.texels = image.bgra.data() + (top * static_cast<std::size_t>(image.width) + left) * 4;
  return true;
}

platform::Image YSTexture::FillTopLevel(const YTextureFillContext& context, int width, int height) const {
  const FillFunction fill = GetFillFunction();
  platform::Image level = platform::MakeImage(width, height, 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const YColor colour = fill((x + 0.5) / width, (y + 0.5) / height, context);
      std::uint8_t* out = level.bgra.data() + (static_cast<std::size_t>(y) * width + x) * 4;
      out[0] = ToByte(colour.b);
      out[1] = ToByte(colour.g);
      out[2] = ToByte(colour.r);
      out[3] = ToByte(colour.a);
    }
  }
  return level;
}
