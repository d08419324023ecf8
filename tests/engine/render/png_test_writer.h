#pragma once
// Writes small PNG files in memory with libpng, so tests can feed the decoder every colour type
// and bit depth without fixture files.

#include <png.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace rendertest {

struct PngSpec {
  int width = 1;
  int height = 1;
  int colorType = PNG_COLOR_TYPE_RGB_ALPHA;
  int bitDepth = 8;
  bool interlaced = false;
  std::vector<png_color> palette;       // palette images
  std::vector<uint8_t> transparency;    // tRNS entries (palette alpha values)
  // Rows top to bottom, packed as libpng expects for the colour type and bit depth.
  std::vector<uint8_t> pixels;
};

inline void appendBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::string*>(png_get_io_ptr(png));
  out->append(reinterpret_cast<const char*>(data), length);
}

inline void flushNothing(png_structp) {}

// The encoded file, or an empty string when libpng refused the description.
inline std::string encodePng(const PngSpec& spec) {
  std::string out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  std::vector<png_bytep> rows(static_cast<size_t>(spec.height));
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return std::string();
  }
  png_set_write_fn(png, &out, appendBytes, flushNothing);
  png_set_IHDR(png, info, static_cast<png_uint_32>(spec.width),
               static_cast<png_uint_32>(spec.height), spec.bitDepth, spec.colorType,
               spec.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!spec.palette.empty()) {
    png_set_PLTE(png, info, spec.palette.data(), static_cast<int>(spec.palette.size()));
  }
  if (!spec.transparency.empty()) {
    png_set_tRNS(png, info, spec.transparency.data(), static_cast<int>(spec.transparency.size()),
                 nullptr);
  }
  png_write_info(png, info);
  const size_t rowBytes = spec.pixels.size() / static_cast<size_t>(spec.height);
  for (int y = 0; y < spec.height; ++y) {
    rows[static_cast<size_t>(y)] =
        const_cast<png_bytep>(spec.pixels.data()) + static_cast<size_t>(y) * rowBytes;
  }
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

inline PngSpec pngSpec(int width, int height, int colorType, int bitDepth,
                       std::vector<uint8_t> pixels) {
  return {.width = width, .height = height, .colorType = colorType, .bitDepth = bitDepth,
          .pixels = std::move(pixels)};
}

// A width x height image of one RGBA colour.
inline std::string solidRgbaPng(int width, int height, uint8_t r, uint8_t g, uint8_t b,
                                uint8_t a) {
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
  for (size_t i = 0; i < pixels.size(); i += 4) {
    pixels[i] = r;
    pixels[i + 1] = g;
    pixels[i + 2] = b;
    pixels[i + 3] = a;
  }
  return encodePng(pngSpec(width, height, PNG_COLOR_TYPE_RGB_ALPHA, 8, std::move(pixels)));
}

}  // namespace rendertest
