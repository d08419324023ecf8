#include "engine/render/texture2d.h"

#include <GL/glew.h>

#include "engine/base/log.h"
#include "engine/render/configuration.h"
#include "engine/render/gl_state_cache.h"
#include "engine/render/image.h"

namespace engine {
namespace {

using PixelFormat = Texture2D::PixelFormat;

Texture2D::PixelFormat& defaultAlphaPixelFormat() {
  static PixelFormat format = PixelFormat::RGBA8888;
  return format;
}

GLint filterFor(int32_t mode) { return mode > 0 ? GL_NEAREST : GL_LINEAR; }

}  // namespace

const std::map<PixelFormat, Texture2D::PixelFormatInfo>& Texture2D::getPixelFormatInfoMap() {
  static const std::map<PixelFormat, PixelFormatInfo> table = {
      {PixelFormat::BGRA8888, {GL_BGRA, GL_BGRA, GL_UNSIGNED_BYTE, 32, true}},
      {PixelFormat::RGBA8888, {GL_RGBA, GL_RGBA, GL_UNSIGNED_BYTE, 32, true}},
      {PixelFormat::RGBA4444, {GL_RGBA, GL_RGBA, GL_UNSIGNED_SHORT_4_4_4_4, 16, true}},
      {PixelFormat::RGB5A1, {GL_RGBA, GL_RGBA, GL_UNSIGNED_SHORT_5_5_5_1, 16, true}},
      {PixelFormat::RGB565, {GL_RGB, GL_RGB, GL_UNSIGNED_SHORT_5_6_5, 16, false}},
      {PixelFormat::RGB888, {GL_RGB, GL_RGB, GL_UNSIGNED_BYTE, 24, false}},
      {PixelFormat::A8, {GL_ALPHA, GL_ALPHA, GL_UNSIGNED_BYTE, 8, false}},
      {PixelFormat::I8, {GL_LUMINANCE, GL_LUMINANCE, GL_UNSIGNED_BYTE, 8, false}},
      {PixelFormat::AI88, {GL_LUMINANCE_ALPHA, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE, 16, true}},
  };
  return table;
}

int Texture2D::getBitsPerPixelForFormat(PixelFormat format) {
  const auto& table = getPixelFormatInfoMap();
  auto found = table.find(format);
  return found != table.end() ? found->second.bpp : 0;
}

void Texture2D::setDefaultAlphaPixelFormat(PixelFormat format) {
  defaultAlphaPixelFormat() = format;
}

PixelFormat Texture2D::getDefaultAlphaPixelFormat() { return defaultAlphaPixelFormat(); }

int Texture2D::unpackAlignmentForRowBytes(size_t rowBytes) {
  if (rowBytes % 8 == 0) return 8;
  if (rowBytes % 4 == 0) return 4;
  if (rowBytes % 2 == 0) return 2;
  return 1;
}

Texture2D::~Texture2D() { releaseName(); }

void Texture2D::releaseName() {
  if (name_ != 0) deleteCachedTexture(name_);
  name_ = 0;
}

bool Texture2D::initWithImage(Image* image) {
  if (image == nullptr) return false;
  const int maxSize = Configuration::getInstance()->getMaxTextureSize();
  if (image->getWidth() > maxSize || image->getHeight() > maxSize) {
    log("Texture2D: image %dx%d exceeds the maximum texture size %d", image->getWidth(),
        image->getHeight(), maxSize);
    return false;
  }
  PixelFormat target = defaultAlphaPixelFormat();
  if (target == PixelFormat::AUTO || target == PixelFormat::NONE) {
    target = image->getRenderFormat();
  }
  const unsigned char* bytes = image->getData();
  size_t length = static_cast<size_t>(image->getDataLen());
  std::vector<unsigned char> converted;
  PixelFormat produced = image->getRenderFormat();
  if (target != produced) {
    produced = convertDataToFormat(bytes, length, produced, target, &converted);
    if (!converted.empty()) {
      bytes = converted.data();
      length = converted.size();
    }
  }
  const bool uploaded =
      initWithData(bytes, length, produced, image->getWidth(), image->getHeight());
  hasPremultipliedAlpha_ = image->hasPremultipliedAlpha();
  return uploaded;
}

bool Texture2D::initWithData(const void* data, size_t dataLen, PixelFormat pixelFormat,
                             int pixelsWide, int pixelsHigh) {
  const auto& table = getPixelFormatInfoMap();
  auto found = table.find(pixelFormat);
  if (found == table.end() || data == nullptr || pixelsWide <= 0 || pixelsHigh <= 0) return false;
  const PixelFormatInfo& info = found->second;
  const size_t rowBytes = static_cast<size_t>(info.bpp) * static_cast<size_t>(pixelsWide) / 8;
  // GL reads rowBytes x height bytes from the pointer, whatever the caller says it holds.
  if (dataLen < rowBytes * static_cast<size_t>(pixelsHigh)) {
    log("Texture2D: %zu bytes are too few for %dx%d pixels", dataLen, pixelsWide, pixelsHigh);
    return false;
  }
  glPixelStorei(GL_UNPACK_ALIGNMENT, unpackAlignmentForRowBytes(rowBytes));

  releaseName();
  GLuint name = 0;
  glGenTextures(1, &name);
  name_ = name;
  GL::bindTexture2D(name_);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filterFor(filterMode_));
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filterFor(filterMode_));
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);

  // An error left over from someone else's call must not be blamed on this upload.
  while (glGetError() != GL_NO_ERROR) {
  }
  glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(info.internalFormat), pixelsWide, pixelsHigh,
               0, info.format, info.type, data);
  const GLenum error = glGetError();
  if (error != GL_NO_ERROR) {
    log("Texture2D: upload of %dx%d pixels failed: GL error 0x%04X", pixelsWide, pixelsHigh,
        error);
    releaseName();
    return false;
  }

  contentSize_ = Size(static_cast<float>(pixelsWide), static_cast<float>(pixelsHigh));
  pixelsWide_ = static_cast<uint32_t>(pixelsWide);
  pixelsHigh_ = static_cast<uint32_t>(pixelsHigh);
  pixelFormat_ = pixelFormat;
  maxS_ = 1.0f;
  maxT_ = 1.0f;
  hasPremultipliedAlpha_ = false;
  return true;
}

void Texture2D::setFilterMode(int32_t mode) {
  if (mode == filterMode_) return;
  filterMode_ = mode;
  if (name_ == 0) return;
  GL::bindTexture2D(name_);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filterFor(mode));
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filterFor(mode));
}

}  // namespace engine
