// PNG decoding: each colour type and depth lands in the right render format with the right
// bytes, and damaged files fail cleanly.
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "engine/render/image.h"
#include "tests/engine/render/png_test_writer.h"

namespace engine {
namespace {

using PF = Texture2D::PixelFormat;
using Bytes = std::vector<unsigned char>;
using rendertest::encodePng;
using rendertest::PngSpec;
constexpr auto spec = rendertest::pngSpec;

struct Decoded {
  bool ok = false;
  PF format = PF::NONE;
  Bytes bytes;
};

Decoded decode(const std::string& file) {
  auto* image = new Image();
  Decoded result;
  result.ok = image->initWithPngData(reinterpret_cast<const unsigned char*>(file.data()),
                                     file.size());
  result.format = image->getRenderFormat();
  if (image->getData() != nullptr) {
    result.bytes.assign(image->getData(), image->getData() + image->getDataLen());
  }
  EXPECT_FALSE(image->hasPremultipliedAlpha());
  image->release();
  return result;
}

TEST(ImageDecode, EveryColourTypeLandsInItsFormatWithItsBytes) {
  Bytes rgb(18), interlaced(9 * 9 * 4);
  for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<uint8_t>(i * 13);
  for (size_t i = 0; i < interlaced.size(); ++i) interlaced[i] = static_cast<uint8_t>(i * 7);
  PngSpec palette = spec(2, 1, PNG_COLOR_TYPE_PALETTE, 8, {0, 1});
  palette.palette = {{255, 0, 0}, {0, 0, 255}};
  palette.transparency = {64, 255};
  PngSpec adam7 = spec(9, 9, PNG_COLOR_TYPE_RGB_ALPHA, 8, interlaced);
  adam7.interlaced = true;
  const struct {
    PngSpec spec;
    PF format;
    Bytes bytes;
  } cases[] = {
      {spec(2, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8, {1, 2, 3, 4, 250, 251, 252, 253}), PF::RGBA8888,
       {1, 2, 3, 4, 250, 251, 252, 253}},
      {spec(3, 2, PNG_COLOR_TYPE_RGB, 8, rgb), PF::RGB888, rgb},  // rows of 9 bytes, no padding
      {palette, PF::RGBA8888, {255, 0, 0, 64, 0, 0, 255, 255}},
      // Sixteen-bit samples (big-endian) are stripped to their high byte.
      {spec(1, 1, PNG_COLOR_TYPE_RGB, 16, {0xAB, 0x01, 0x12, 0xFF, 0x00, 0x80}), PF::RGB888,
       {0xAB, 0x12, 0x00}},
      {spec(3, 1, PNG_COLOR_TYPE_GRAY, 1, {0b10100000}), PF::I8, {255, 0, 255}},
      {spec(2, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {10, 20, 30, 40}), PF::AI88, {10, 20, 30, 40}},
      {adam7, PF::RGBA8888, interlaced},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Decoded image = decode(encodePng(cases[i].spec));
    ASSERT_TRUE(image.ok) << i;
    EXPECT_EQ(image.format, cases[i].format) << i;
    EXPECT_EQ(image.bytes, cases[i].bytes) << i;
  }
}

TEST(ImageDecode, DamagedFilesFailWithoutKeepingAnything) {
  const std::string good = rendertest::solidRgbaPng(4, 4, 1, 2, 3, 4);
  ASSERT_FALSE(good.empty());
  EXPECT_FALSE(decode(std::string()).ok);
  EXPECT_FALSE(decode("not a png at all").ok);

  // A cut file fails cleanly (the read callback refuses to run past the end) and keeps nothing.
  const Decoded cut = decode(good.substr(0, good.size() / 2));
  EXPECT_FALSE(cut.ok);
  EXPECT_EQ(cut.format, PF::NONE);
  EXPECT_TRUE(cut.bytes.empty());
  // A flipped byte in the header breaks its checksum.
  std::string corrupted = good;
  corrupted[16] = static_cast<char>(corrupted[16] ^ 0x5A);
  EXPECT_FALSE(decode(corrupted).ok);

  // A width of 2^30 with the header's checksum fixed: only the size check can refuse it.
  std::string huge = rendertest::solidRgbaPng(1, 1, 0, 0, 0, 0);
  huge[16] = 0x40;
  const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(huge.data() + 12), 17);
  for (int i = 0; i < 4; ++i) huge[29 + i] = static_cast<char>((crc >> (24 - 8 * i)) & 0xFF);
  EXPECT_FALSE(decode(huge).ok);
}

}  // namespace
}  // namespace engine
