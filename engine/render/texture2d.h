#pragma once
// One OpenGL texture made from decoded image pixels, converted to the process-wide target pixel
// format on upload. Nearest-neighbour sampling unless switched to linear.

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "engine/base/geometry.h"
#include "engine/base/ref.h"

namespace engine {

class Image;

class Texture2D : public Ref {
 public:
  enum class PixelFormat : int32_t {
    AUTO = 0,
    BGRA8888 = 1,
    RGBA8888 = 2,
    RGB888 = 3,
    RGB565 = 4,
    A8 = 5,
    I8 = 6,
    AI88 = 7,
    RGBA4444 = 8,
    RGB5A1 = 9,
    NONE = -1,
  };

  struct PixelFormatInfo {
    uint32_t internalFormat;
    uint32_t format;
    uint32_t type;
    int bpp;
    bool alpha;
  };

  static const std::map<PixelFormat, PixelFormatInfo>& getPixelFormatInfoMap();
  // 0 for NONE and for formats without a table row.
  static int getBitsPerPixelForFormat(PixelFormat format);

  // The format images are converted into on upload; AUTO or NONE keeps each image's own.
  static void setDefaultAlphaPixelFormat(PixelFormat format);
  static PixelFormat getDefaultAlphaPixelFormat();

  // Converts pixels between formats. Returns the format actually produced: the target when the
  // pair is supported (outData then holds the converted pixels), otherwise the source format
  // with outData left empty, meaning "upload the source bytes as they are".
  static PixelFormat convertDataToFormat(const unsigned char* data, size_t dataLen,
                                         PixelFormat originFormat, PixelFormat format,
                                         std::vector<unsigned char>* outData);
  static PixelFormat convertI8ToFormat(const unsigned char* data, size_t dataLen,
                                       PixelFormat format, std::vector<unsigned char>* outData);
  static PixelFormat convertAI88ToFormat(const unsigned char* data, size_t dataLen,
                                         PixelFormat format, std::vector<unsigned char>* outData);
  static PixelFormat convertRGB888ToFormat(const unsigned char* data, size_t dataLen,
                                           PixelFormat format,
                                           std::vector<unsigned char>* outData);
  static PixelFormat convertRGBA8888ToFormat(const unsigned char* data, size_t dataLen,
                                             PixelFormat format,
                                             std::vector<unsigned char>* outData);
  // The unpack alignment GL needs for rows of this many bytes: 8, 4, 2 or 1.
  static int unpackAlignmentForRowBytes(size_t rowBytes);

  Texture2D() = default;
  ~Texture2D() override;

  // Converts and uploads the image; false when there is no image, it is larger than the
  // context allows, or the upload fails.
  bool initWithImage(Image* image);
  // Uploads pixels of a known format; false (and no GL name kept) when the format has no table
  // row, the data is shorter than width x height pixels, or GL reports an error.
  bool initWithData(const void* data, size_t dataLen, PixelFormat pixelFormat, int pixelsWide,
                    int pixelsHigh);

  // Greater than 0: nearest-neighbour; otherwise linear.
  void setFilterMode(int32_t mode);
  int32_t getFilterMode() const { return filterMode_; }

  PixelFormat getPixelFormat() const { return pixelFormat_; }
  uint32_t getPixelsWide() const { return pixelsWide_; }
  uint32_t getPixelsHigh() const { return pixelsHigh_; }
  uint32_t getName() const { return name_; }
  float getMaxS() const { return maxS_; }
  float getMaxT() const { return maxT_; }
  Size getContentSize() const { return contentSize_; }
  bool hasPremultipliedAlpha() const { return hasPremultipliedAlpha_; }

 private:
  void releaseName();

  PixelFormat pixelFormat_ = PixelFormat::AUTO;
  int32_t filterMode_ = 1;
  uint32_t pixelsWide_ = 0;
  uint32_t pixelsHigh_ = 0;
  uint32_t name_ = 0;
  float maxS_ = 0.0f;
  float maxT_ = 0.0f;
  Size contentSize_;
  bool hasPremultipliedAlpha_ = false;
};

}  // namespace engine
