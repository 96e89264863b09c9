#include "platform/GLTexture.h"

#include <algorithm>

#include "platform/GLDrawBatch.h"
#include "platform/GLFunctions.h"
#include "platform/Image.h"

namespace platform {

namespace {

bool LevelHasSize(const Image& level, int width, int height) {
  if (level.width != width || level.height != height) return false;
  return level.bgra.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
}

// Whether every texel of every level is opaque-white in colour, only its
// alpha varying (a font atlas: white glyphs, coverage in alpha).
bool WhiteWithAlpha(const std::vector<Image>& levels) {
  for (const Image& level : levels)
    for (std::size_t i = 0; i < level.bgra.size(); i += 4)
      if ((level.bgra[i] & level.bgra[i + 1] & level.bgra[i + 2]) != 0xFF) return false;
  return true;
}

std::vector<std::uint8_t> AlphaOf(const Image& level) {
  std::vector<std::uint8_t> alpha(level.bgra.size() / 4);
  for (std::size_t i = 0; i < alpha.size(); ++i) alpha[i] = level.bgra[i * 4 + 3];
  return alpha;
}

// Uploads levels[first..] as those levels of the bound texture; false when
// the driver refused. A white texture keeps only its alpha, in one channel
// that the sampler reads back as (1, 1, 1, alpha): a quarter of the memory,
// the same texels.
bool UploadLevels(const std::vector<Image>& levels, std::size_t first, bool alphaOnly) {
  glPixelStorei(GL_UNPACK_ALIGNMENT, alphaOnly ? 1 : 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  while (glGetError() != GL_NO_ERROR) {
  }
  for (std::size_t i = first; i < levels.size(); ++i) {
    const Image& level = levels[i];
    if (alphaOnly)
      glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(i), GL_R8, level.width, level.height, 0, GL_RED,
                   GL_UNSIGNED_BYTE, AlphaOf(level).data());
    else
      glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(i), GL_RGBA8, level.width, level.height, 0, GL_BGRA,
                   GL_UNSIGNED_BYTE, level.bgra.data());
  }
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(levels.size() - 1));
  return glGetError() == GL_NO_ERROR;
}

bool Upload(const std::vector<Image>& levels, bool alphaOnly) {
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
  if (alphaOnly) {
    const GLint swizzle[4] = {GL_ONE, GL_ONE, GL_ONE, GL_RED};
    glTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_RGBA, swizzle);
  }
  return UploadLevels(levels, 0, alphaOnly);
}

// Level 0 of the bound texture as it was uploaded: the texels read back
// exactly, an alpha-only texture as white with that alpha.
Image ReadLevelZero(int width, int height, bool alphaOnly) {
  Image image{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 4)};
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  if (!alphaOnly) {
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_BGRA, GL_UNSIGNED_BYTE, image.bgra.data());
    return image;
  }
  std::vector<std::uint8_t> alpha(image.bgra.size() / 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RED, GL_UNSIGNED_BYTE, alpha.data());
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  for (std::size_t i = 0; i < alpha.size(); ++i) {
    std::uint8_t* texel = &image.bgra[i * 4];
    texel[0] = texel[1] = texel[2] = 0xFF;
    texel[3] = alpha[i];
  }
  return image;
}

// Binds the texture to the active unit for the object's lifetime, then
// gives the unit back the texture it had.
class ScopedBind {
 public:
  explicit ScopedBind(GLuint texture) {
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous_);
    glBindTexture(GL_TEXTURE_2D, texture);
  }
  ~ScopedBind() { glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous_)); }
  ScopedBind(const ScopedBind&) = delete;
  ScopedBind& operator=(const ScopedBind&) = delete;

 private:
  GLint previous_ = 0;
};

}  // namespace

bool GLTexture::ValidLevels(const std::vector<Image>& levels, int maxSize) {
  if (levels.empty()) return false;
  int width = levels[0].width, height = levels[0].height;
  if (width < 1 || height < 1 || width > maxSize || height > maxSize) return false;
  for (std::size_t i = 0; i < levels.size(); ++i) {
    if (i > 0) {
      if (width == 1 && height == 1) return false;  // a level beyond 1 x 1
      width = std::max(1, width / 2);
      height = std::max(1, height / 2);
    }
    if (!LevelHasSize(levels[i], width, height)) return false;
  }
  return true;
}

std::unique_ptr<GLTexture> GLTexture::Create(const std::vector<Image>& levels, int maxSize,
                                             bool alphaOnlyWhenWhite,
                                             std::weak_ptr<const void> contextToken) {
  if (!ValidLevels(levels, maxSize)) return nullptr;
  GLObject texture = GLObject::Generate(GLObject::Kind::Texture, std::move(contextToken));
  if (!texture) return nullptr;
  const bool alphaOnly = alphaOnlyWhenWhite && WhiteWithAlpha(levels);
  bool uploaded = false;
  {
    ScopedBind bind(texture.Name());
    uploaded = Upload(levels, alphaOnly);
  }
  if (!uploaded) return nullptr;
  return std::unique_ptr<GLTexture>(
      new GLTexture(std::move(texture), levels[0].width, levels[0].height, alphaOnly));
}

std::unique_ptr<GLTexture> GLTexture::CreateWithDeferredMips(Image top, int maxSize, bool alphaOnlyWhenWhite,
                                                             std::weak_ptr<const void> contextToken) {
  std::vector<Image> levels;
  levels.push_back(std::move(top));
  std::unique_ptr<GLTexture> texture = Create(levels, maxSize, alphaOnlyWhenWhite, std::move(contextToken));
  if (texture) texture->mipsPending_ = levels[0].width > 1 || levels[0].height > 1;
  return texture;
}

// The chain is made from level 0 exactly as BuildMipChain made it at
// creation, so a texture drawn with mips shows the same texels either way.
void GLTexture::BuildMipLevels() const {
  if (!mipsPending_) return;
  mipsPending_ = false;
  ScopedBind bind(texture_.Name());
  const std::vector<Image> levels = BuildMipChain(ReadLevelZero(width_, height_, alphaOnly_));
  if (levels.size() > 1) UploadLevels(levels, 1, alphaOnly_);
}

int GLTexture::LevelCount() const {
  ScopedBind bind(texture_.Name());
  GLint maxLevel = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, &maxLevel);
  return maxLevel + 1;
}

GLTexture::GLTexture(GLObject texture, int width, int height, bool alphaOnly)
    : texture_(std::move(texture)), width_(width), height_(height), alphaOnly_(alphaOnly) {}

GLTexture::~GLTexture() {
  BeforeDeviceObjectChange();
  AfterTextureDeleted(this);
}

}  // namespace platform
