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

// Uploads every level to the bound texture; false when the driver refused.
bool Upload(const std::vector<Image>& levels) {
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(levels.size() - 1));
  while (glGetError() != GL_NO_ERROR) {
  }
  for (std::size_t i = 0; i < levels.size(); ++i) {
    const Image& level = levels[i];
    glTexImage2D(GL_TEXTURE_2D, static_cast<GLint>(i), GL_RGBA8, level.width, level.height, 0, GL_BGRA,
                 GL_UNSIGNED_BYTE, level.bgra.data());
  }
  return glGetError() == GL_NO_ERROR;
}

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
                                             std::weak_ptr<const void> contextToken) {
  if (!ValidLevels(levels, maxSize)) return nullptr;
  GLObject texture = GLObject::Generate(GLObject::Kind::Texture, std::move(contextToken));
  if (!texture) return nullptr;
  GLint previous = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &previous);
  glBindTexture(GL_TEXTURE_2D, texture.Name());
  const bool uploaded = Upload(levels);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previous));
  if (!uploaded) return nullptr;
  return std::unique_ptr<GLTexture>(new GLTexture(std::move(texture), levels[0].width, levels[0].height));
}

GLTexture::GLTexture(GLObject texture, int width, int height)
    : texture_(std::move(texture)), width_(width), height_(height) {}

GLTexture::~GLTexture() {
  FlushDrawsBeforeTextureDeletion();
}

}  // namespace platform
