// One cell of a grid cut out of an image surface, taken as a texture: the
// cells of an array texture (MakeArrayTexture). Cells are numbered row by
// row from the top left; the cell is copied texel by nearest texel into a
// texture of the cell's size divided by the texture scale, with a full mip
// chain. Its name is empty. Main thread only.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/YColor.h"
#include "render/YTextureBase.h"

namespace platform {
struct Image;
}
class YSurface;

// What a fill function reads: the cell's top-left texel within the
// surface's texels (4 bytes each: blue, green, red, alpha), the cell's size
// and the surface's row length in texels.
struct YTextureFillContext {
  const std::uint8_t* texels = nullptr;
  int width = 0;
  int height = 0;
  int rowLength = 0;
};

class YSTexture : public YTextureBase {
 public:
  // The colour of the texture texel whose centre is at (u, v), 0..1 across
  // the texture being filled.
  using FillFunction = YColor (*)(double u, double v, const YTextureFillContext& context);

  // Cell `cellIndex` of a columns x rows grid over `surface`, which the cell
  // shares (the surface goes with its last cell). Loads nothing: call
  // CreateDeviceObjects.
  YSTexture(std::shared_ptr<YSurface> surface, int columns, int rows, int cellIndex);
  // Releases the device texture, then lets go of the surface.
  ~YSTexture() override;

  // When a device exists: drops a held texture and, when the surface holds
  // its image (loading it first if needed), cuts the cell into a new
  // texture. Logs one line, "Create texture: ok|failed, filtering:
  // ok|failed". A grid or index whose cell is not a non-empty part of the
  // surface makes no texture. The surface's image is dropped once no other
  // cell of it is left to cut (every other one holds a texture or was
  // released until used).
  void CreateDeviceObjects() override;

  // The fill function CreateDeviceObjects uses: the cell's texel nearest to
  // (u, v), clamped into the cell.
  virtual FillFunction GetFillFunction() const;

  const std::shared_ptr<YSurface>& Surface() const { return surface_; }
  int Columns() const { return columns_; }
  int Rows() const { return rows_; }
  int CellIndex() const { return cellIndex_; }

 private:
  bool CellContext(const platform::Image& image, YTextureFillContext& context) const;
  // Whether another cell of the surface still has to be cut from it.
  bool OtherCellNeedsSurface() const;
  platform::Image FillTopLevel(const YTextureFillContext& context, int width, int height) const;

  std::shared_ptr<YSurface> surface_;
  int columns_;
  int rows_;
  int cellIndex_;
};
