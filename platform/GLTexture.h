// A device texture on OpenGL: a 2D texture with the caller's mip levels,
// uploaded top row first so texture coordinate v = 0 is the image's top.
// Filtering and addressing belong to the stage that draws it, not to it.
#pragma once

#include <memory>
#include <vector>

#include "platform/GLObject.h"
#include "platform/GraphicsDevice.h"

namespace platform {

struct Image;

class GLTexture final : public DeviceTexture {
 public:
  // Uploads the levels (level 0 first, each next one half the size down to
  // 1 x 1, as BuildMipChain makes them; a shorter chain is fine). Null when
  // there are no levels, a level's size or texel count is wrong, level 0 is
  // larger than `maxSize`, or the driver refuses. The texture binding of the
  // active unit is left as it was. With alphaOnlyWhenWhite (the driver must
  // offer texture swizzles), levels that are all white keep only their alpha
  // channel. With the context current.
  static std::unique_ptr<GLTexture> Create(const std::vector<Image>& levels, int maxSize,
                                           bool alphaOnlyWhenWhite, std::weak_ptr<const void> contextToken);
  // Uploads `top` as level 0 alone; the rest of its chain, as BuildMipChain
  // makes it, waits for BuildMipLevels. Null as for Create.
  static std::unique_ptr<GLTexture> CreateWithDeferredMips(Image top, int maxSize, bool alphaOnlyWhenWhite,
                                                           std::weak_ptr<const void> contextToken);

  // Draws gathered with this texture go to OpenGL before it is deleted.
  ~GLTexture() override;
  GLTexture(const GLTexture&) = delete;
  GLTexture& operator=(const GLTexture&) = delete;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  std::uint32_t Name() const { return texture_.Name(); }

  // Whether the levels below level 0 still wait to be made.
  bool MipLevelsPending() const { return mipsPending_; }
  // Makes the waiting levels from level 0 (read back from OpenGL, so no
  // copy of the texels is kept meanwhile); nothing when none wait. The
  // device calls it before the first draw that samples the texture with a
  // mip filter. Const: the levels stand for level 0 and change no texel
  // a draw without mips reads. With the context current; the active
  // unit's binding is left as it was.
  void BuildMipLevels() const;
  // The levels OpenGL may sample (binds and reads back; for tests).
  int LevelCount() const;

  // Whether the levels form a chain the texture can take.
  static bool ValidLevels(const std::vector<Image>& levels, int maxSize);

 private:
  GLTexture(GLObject texture, int width, int height, bool alphaOnly);

  GLObject texture_;
  int width_ = 0;
  int height_ = 0;
  bool alphaOnly_ = false;
  mutable bool mipsPending_ = false;
};

}  // namespace platform
