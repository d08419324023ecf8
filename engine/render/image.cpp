#include "engine/render/image.h"

#include <png.h>

#include <cstdlib>
#include <cstring>

#include "engine/base/log.h"
#include "engine/io/file_utils.h"

namespace engine {
namespace {

constexpr unsigned char kPngSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};

struct PngSource {
  const unsigned char* data;
  size_t size;
  size_t offset;
};

// Everything the decoder hands back; plain data only, because libpng unwinds with longjmp and
// would skip destructors.
struct DecodedPng {
  unsigned char* pixels;
  png_bytep* rows;
  size_t length;
  png_uint_32 width;
  png_uint_32 height;
  int colorType;
};

void pngReadCallback(png_structp png, png_bytep out, png_size_t length) {
  auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
  if (source->offset + length > source->size) {
    png_error(png, "pngReaderCallback failed");
    return;
  }
  std::memcpy(out, source->data + source->offset, length);
  source->offset += length;
}

void pngErrorCallback(png_structp png, png_const_charp message) {
  log("Image: PNG decoding failed: %s", message);
  png_longjmp(png, 1);
}

void pngWarningCallback(png_structp, png_const_charp) {}

// Deflate cannot expand data by more than about 1032 to 1, so a file of n bytes holds at most
// about 1032 x n bytes of filtered rows. A header claiming more is damaged, and believing it
// would let a tiny file ask for gigabytes before the first row fails to arrive.
bool fileCanHoldImage(png_structp png, png_infop info, size_t fileBytes) {
  constexpr uint64_t MAX_EXPANSION = 1032;
  constexpr uint64_t SLACK = 1024;
  const uint64_t rows = png_get_image_height(png, info);
  const uint64_t rowBytes = png_get_rowbytes(png, info) + 1;  // each row has its filter byte
  return rows * rowBytes <= static_cast<uint64_t>(fileBytes) * MAX_EXPANSION + SLACK;
}

void applyTransformations(png_structp png, png_infop info) {
  const int colorType = png_get_color_type(png, info);
  const int bitDepth = png_get_bit_depth(png, info);
  if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
  if (colorType == PNG_COLOR_TYPE_GRAY && bitDepth < 8) png_set_expand_gray_1_2_4_to_8(png);
  if (png_get_valid(png, info, PNG_INFO_tRNS)) png_set_tRNS_to_alpha(png);
  if (bitDepth == 16) png_set_strip_16(png);
  if (bitDepth < 8) png_set_packing(png);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
}

// Returns true with *out filled, or false with nothing allocated.
bool decodePng(PngSource* source, DecodedPng* out) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, pngErrorCallback,
                                           pngWarningCallback);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return false;
  }
  *out = DecodedPng{nullptr, nullptr, 0, 0, 0, 0};
  if (setjmp(png_jmpbuf(png))) {
    std::free(out->rows);
    std::free(out->pixels);
    *out = DecodedPng{nullptr, nullptr, 0, 0, 0, 0};
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_user_limits(png, Image::MAX_DIMENSION, Image::MAX_DIMENSION);
  png_set_read_fn(png, source, pngReadCallback);
  png_read_info(png, info);
  if (!fileCanHoldImage(png, info, source->size)) png_error(png, "image larger than its file");
  out->width = png_get_image_width(png, info);
  out->height = png_get_image_height(png, info);
  applyTransformations(png, info);
  out->colorType = png_get_color_type(png, info);

  const size_t rowBytes = png_get_rowbytes(png, info);
  out->length = rowBytes * out->height;
  out->pixels = static_cast<unsigned char*>(std::malloc(out->length));
  out->rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * out->height));
  if (out->pixels == nullptr || out->rows == nullptr) png_error(png, "out of memory");
  for (png_uint_32 i = 0; i < out->height; ++i) out->rows[i] = out->pixels + i * rowBytes;
  png_read_image(png, out->rows);
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  std::free(out->rows);
  out->rows = nullptr;
  return true;
}

Texture2D::PixelFormat formatForColorType(int colorType) {
  switch (colorType) {
    case PNG_COLOR_TYPE_GRAY:
      return Texture2D::PixelFormat::I8;
    case PNG_COLOR_TYPE_GRAY_ALPHA:
      return Texture2D::PixelFormat::AI88;
    case PNG_COLOR_TYPE_RGB:
      return Texture2D::PixelFormat::RGB888;
    case PNG_COLOR_TYPE_RGB_ALPHA:
      return Texture2D::PixelFormat::RGBA8888;
    default:
      return Texture2D::PixelFormat::NONE;
  }
}

}  // namespace

Image::~Image() { clear(); }

void Image::clear() {
  std::free(data_);
  data_ = nullptr;
  dataLen_ = 0;
  width_ = 0;
  height_ = 0;
  renderFormat_ = Texture2D::PixelFormat::NONE;
}

bool Image::isPng(const unsigned char* data, size_t dataLen) {
  return data != nullptr && dataLen >= sizeof(kPngSignature) &&
         std::memcmp(data, kPngSignature, sizeof(kPngSignature)) == 0;
}

bool Image::initWithImageFile(const std::string& path) {
  FileUtils* files = FileUtils::getInstance();
  if (files == nullptr) return false;
  filePath_ = files->fullPathForFilename(path);
  if (filePath_.empty()) return false;
  const Data data = files->getDataFromFile(filePath_);
  if (data.isNull() || data.getSize() < 9) return false;
  return initWithPngData(data.getBytes(), static_cast<size_t>(data.getSize()));
}

bool Image::initWithPngData(const unsigned char* data, size_t dataLen) {
  if (!isPng(data, dataLen)) return false;
  PngSource source{data, dataLen, 0};
  DecodedPng decoded;
  if (!decodePng(&source, &decoded)) return false;
  const Texture2D::PixelFormat format = formatForColorType(decoded.colorType);
  if (format == Texture2D::PixelFormat::NONE) {
    std::free(decoded.pixels);
    return false;
  }
  clear();
  data_ = decoded.pixels;
  dataLen_ = static_cast<int64_t>(decoded.length);
  width_ = static_cast<int>(decoded.width);
  height_ = static_cast<int>(decoded.height);
  renderFormat_ = format;
  hasPremultipliedAlpha_ = false;
  return true;
}

}  // namespace engine
