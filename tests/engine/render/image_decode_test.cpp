// PNG decoding: each colour type and depth lands in the right render format with the right
// bytes, and damaged files fail cleanly.
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "engine/io/file_utils.h"
#include "engine/render/image.h"
#include "tests/engine/render/png_test_writer.h"
#include "tests/support/temp_dir.h"

namespace engine {
namespace {

using PF = Texture2D::PixelFormat;
using rendertest::encodePng;
using rendertest::PngSpec;

struct Decoded {
  bool ok = false;
  PF format = PF::NONE;
  int width = 0;
  int height = 0;
  std::vector<unsigned char> bytes;
};

Decoded decode(const std::string& file) {
  auto* image = new Image();
  Decoded result;
  result.ok = image->initWithPngData(reinterpret_cast<const unsigned char*>(file.data()),
                                     file.size());
  result.format = image->getRenderFormat();
  result.width = image->getWidth();
  result.height = image->getHeight();
  if (image->getData() != nullptr) {
    result.bytes.assign(image->getData(), image->getData() + image->getDataLen());
  }
  EXPECT_FALSE(image->hasPremultipliedAlpha());
  image->release();
  return result;
}

TEST(ImageDecode, RgbaAndRgbKeepTheirBytes) {
  PngSpec rgba;
  rgba.width = 2;
  rgba.pixels = {1, 2, 3, 4, 250, 251, 252, 253};
  Decoded image = decode(encodePng(rgba));
  ASSERT_TRUE(image.ok);
  EXPECT_EQ(image.format, PF::RGBA8888);
  EXPECT_EQ(image.width, 2);
  EXPECT_EQ(image.height, 1);
  EXPECT_EQ(image.bytes, rgba.pixels);

  PngSpec rgb;
  rgb.width = 3;
  rgb.height = 2;
  rgb.colorType = PNG_COLOR_TYPE_RGB;
  for (int i = 0; i < 18; ++i) rgb.pixels.push_back(static_cast<uint8_t>(i * 13));
  image = decode(encodePng(rgb));
  ASSERT_TRUE(image.ok);
  EXPECT_EQ(image.format, PF::RGB888);
  EXPECT_EQ(image.bytes, rgb.pixels);  // rows of 9 bytes, no padding
}

TEST(ImageDecode, PaletteWithTransparencyBecomesRgba) {
  PngSpec spec;
  spec.width = 2;
  spec.colorType = PNG_COLOR_TYPE_PALETTE;
  spec.palette = {{255, 0, 0}, {0, 0, 255}};
  spec.transparency = {64, 255};
  spec.pixels = {0, 1};
  Decoded image = decode(encodePng(spec));
  ASSERT_TRUE(image.ok);
  EXPECT_EQ(image.format, PF::RGBA8888);
  EXPECT_EQ(image.bytes, (std::vector<unsigned char>{255, 0, 0, 64, 0, 0, 255, 255}));
}

TEST(ImageDecode, SixteenBitRgbIsStrippedToEightBits) {
  PngSpec spec;
  spec.colorType = PNG_COLOR_TYPE_RGB;
  spec.bitDepth = 16;
  spec.pixels = {0xAB, 0x01, 0x12, 0xFF, 0x00, 0x80};  // big-endian samples
  Decoded image = decode(encodePng(spec));
  ASSERT_TRUE(image.ok);
  EXPECT_EQ(image.format, PF::RGB888);
  EXPECT_EQ(image.bytes, (std::vector<unsigned char>{0xAB, 0x12, 0x00}));
}

TEST(ImageDecode, OneBitGreyExpandsToFullBytes) {
  PngSpec spec;
  spec.width = 3;
  spec.colorType = PNG_COLOR_TYPE_GRAY;
  spec.bitDepth = 1;
  spec.pixels = {0b10100000};
  Decoded image = decode(encodePng(spec));
  ASSERT_TRUE(image.ok);
  EXPECT_EQ(image.format, PF::I8);
  EXPECT_EQ(image.bytes, (std::vector<unsigned char>{255, 0, 255}));
}

TEST(ImageDecode, GreyAlphaAndInterlacedImages) {
  PngSpec spec;
  spec.width = 2;
  spec.colorType = PNG_COLOR_TYPE_GRAY_ALPHA;
  spec.pixels = {10, 20, 30, 40};
  Decoded image = decode(encodePng(spec));
  ASSERT_TRUE(image.ok);
  EXPECT_EQ(image.format, PF::AI88);
  EXPECT_EQ(image.bytes, spec.pixels);

  PngSpec interlaced;
  interlaced.width = 9;
  interlaced.height = 9;
  interlaced.interlaced = true;
  for (int i = 0; i < 9 * 9 * 4; ++i) interlaced.pixels.push_back(static_cast<uint8_t>(i * 7));
  image = decode(encodePng(interlaced));
  ASSERT_TRUE(image.ok);
  EXPECT_EQ(image.bytes, interlaced.pixels);
}

TEST(ImageDecode, DamagedFilesFailWithoutKeepingAnything) {
  const std::string good = rendertest::solidRgbaPng(4, 4, 1, 2, 3, 4);
  ASSERT_FALSE(good.empty());
  EXPECT_FALSE(decode(std::string()).ok);
  EXPECT_FALSE(decode("not a png at all").ok);
  EXPECT_FALSE(decode(good.substr(0, 8)).ok);  // signature only

  // Every truncation point must fail cleanly (the read callback refuses to run past the end).
  for (size_t length = 9; length < good.size(); length += 3) {
    Decoded image = decode(good.substr(0, length));
    EXPECT_FALSE(image.ok) << length;
    EXPECT_EQ(image.format, PF::NONE);
    EXPECT_TRUE(image.bytes.empty());
  }

  // Flipped bytes past the signature break a checksum or the stream.
  for (size_t at = 8; at < good.size(); at += 5) {
    std::string corrupted = good;
    corrupted[at] = static_cast<char>(corrupted[at] ^ 0x5A);
    Decoded image = decode(corrupted);
    if (image.ok) {
      EXPECT_EQ(image.bytes.size(), static_cast<size_t>(image.width * image.height) * 4u);
    }
  }
}

TEST(ImageDecode, HugeDeclaredSizeIsRefusedBeforeAllocating) {
  std::string file = rendertest::solidRgbaPng(1, 1, 0, 0, 0, 0);
  // Width lives at bytes 16..19 of the header chunk; make it 2^30 and fix the chunk's CRC so
  // that only the size check can refuse it.
  file[16] = 0x40;
  const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(file.data() + 12), 17);
  for (int i = 0; i < 4; ++i) file[29 + i] = static_cast<char>((crc >> (24 - 8 * i)) & 0xFF);
  EXPECT_FALSE(decode(file).ok);
}

TEST(ImageDecode, ReadsFilesThroughTheFileAccess) {
  testsupport::TempDir dir;
  const std::string path = dir.write("tile.png", rendertest::solidRgbaPng(2, 3, 9, 8, 7, 6));
  dir.write("short.png", std::string("\x89PNG\r\n\x1a\n", 8));
  auto* image = new Image();
  EXPECT_TRUE(image->initWithImageFile(path));
  EXPECT_EQ(image->getFilePath(), path);
  EXPECT_EQ(image->getWidth(), 2);
  EXPECT_EQ(image->getHeight(), 3);
  EXPECT_FALSE(image->initWithImageFile(dir.file("missing.png")));
  EXPECT_FALSE(image->initWithImageFile(dir.file("short.png")));
  image->release();
  FileUtils::destroyInstance();
}

}  // namespace
}  // namespace engine
