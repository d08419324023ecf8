#pragma once
// A PNG decoded into raw pixels (rows top to bottom, straight alpha).

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/base/ref.h"
#include "engine/render/texture2d.h"

namespace engine {

class Image : public Ref {
 public:
  // Images wider or higher than this are refused before any pixel memory is taken, so a
  // damaged header cannot ask for gigabytes.
  static constexpr uint32_t MAX_DIMENSION = 16384;

  Image() = default;
  ~Image() override;

  // Reads the file through the file access and decodes it; false for a missing file, a file that
  // is not a PNG, or a decoding error.
  bool initWithImageFile(const std::string& path);
  // Decodes a PNG held in memory; false (nothing kept) unless it decodes completely.
  bool initWithPngData(const unsigned char* data, size_t dataLen);

  const unsigned char* getData() const { return data_; }
  int64_t getDataLen() const { return dataLen_; }
  int getWidth() const { return width_; }
  int getHeight() const { return height_; }
  Texture2D::PixelFormat getRenderFormat() const { return renderFormat_; }
  bool hasPremultipliedAlpha() const { return hasPremultipliedAlpha_; }
  const std::string& getFilePath() const { return filePath_; }

  // True when the bytes begin with the eight-byte PNG signature.
  static bool isPng(const unsigned char* data, size_t dataLen);

 private:
  void clear();

  unsigned char* data_ = nullptr;
  int64_t dataLen_ = 0;
  int width_ = 0;
  int height_ = 0;
  Texture2D::PixelFormat renderFormat_ = Texture2D::PixelFormat::NONE;
  bool hasPremultipliedAlpha_ = false;
  std::string filePath_;
};

}  // namespace engine
