#include "tools/png_writer/png_writer.h"

#include <png.h>

#include <cstdio>
#include <memory>

namespace toolpng {
namespace {

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void flushNothing(png_structp) {}

bool encodeInto(std::vector<uint8_t>& out, int width, int height, const std::vector<uint32_t>& rgba,
                int compression) {
  if (width <= 0 || height <= 0 || rgba.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
    return false;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  std::vector<png_byte> row(static_cast<size_t>(width) * 4);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &out, &appendBytes, &flushNothing);
  png_set_compression_level(png, compression);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t pixel = rgba[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)];
      for (int c = 0; c < 4; ++c) row[static_cast<size_t>(x * 4 + c)] = (pixel >> (24 - 8 * c)) & 0xFF;
    }
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

std::vector<uint8_t> encodePng(int width, int height, const std::vector<uint32_t>& rgba, int compression) {
  std::vector<uint8_t> out;
  if (!encodeInto(out, width, height, rgba, compression)) out.clear();
  return out;
}

bool writePng(const std::string& path, int width, int height, const std::vector<uint32_t>& rgba,
              int compression) {
  const std::vector<uint8_t> bytes = encodePng(width, height, rgba, compression);
  if (bytes.empty()) return false;
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
  if (!file) return false;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) return false;
  // The last bytes only reach the disk when the file is closed; a full disk shows up here.
  return std::fclose(file.release()) == 0;
}

}  // namespace toolpng
