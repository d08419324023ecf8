// The makers' PNG writer: what it writes reads back as the same pixels, the same pixels always give
// the same bytes, and sizes that do not fit the pixels write nothing.

#include <gtest/gtest.h>
#include <png.h>

#include <cstdint>
#include <vector>

#include "tests/support/read_file.h"
#include "tests/support/temp_dir.h"
#include "tools/png_writer/png_writer.h"

namespace {

// The pixels of PNG bytes as 0xRRGGBBAA, row by row from the top; empty when they do not read.
std::vector<uint32_t> decode(const std::vector<uint8_t>& bytes, int& width, int& height) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return {};
  image.format = PNG_FORMAT_RGBA;
  std::vector<uint8_t> raw(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, raw.data(), 0, nullptr)) return {};
  width = static_cast<int>(image.width);
  height = static_cast<int>(image.height);
  std::vector<uint32_t> pixels(raw.size() / 4);
  for (size_t i = 0; i < pixels.size(); ++i) {
    pixels[i] = uint32_t{raw[i * 4]} << 24 | uint32_t{raw[i * 4 + 1]} << 16 | uint32_t{raw[i * 4 + 2]} << 8 |
                raw[i * 4 + 3];
  }
  return pixels;
}

// Three by two, every channel different, a clear and a half-clear pixel among them.
const std::vector<uint32_t> kPicture = {0xff000080u, 0x00ff00ffu, 0x0000ff00u,
                                        0x12345678u, 0xffffffffu, 0x9abcdef0u};

TEST(PngWriter, ThePixelsReadBackAsWrittenRowByRowFromTheTop) {
  const std::vector<uint8_t> bytes = toolpng::encodePng(3, 2, kPicture);
  ASSERT_FALSE(bytes.empty());
  int width = 0;
  int height = 0;
  EXPECT_EQ(decode(bytes, width, height), kPicture);
  EXPECT_EQ(width, 3);
  EXPECT_EQ(height, 2);
}

TEST(PngWriter, TheSamePixelsGiveTheSameBytesAtEveryCompression) {
  EXPECT_EQ(toolpng::encodePng(3, 2, kPicture), toolpng::encodePng(3, 2, kPicture));
  const std::vector<uint8_t> tight = toolpng::encodePng(3, 2, kPicture, 9);
  int width = 0;
  int height = 0;
  EXPECT_EQ(decode(tight, width, height), kPicture);
}

TEST(PngWriter, SizesThatDoNotFitThePixelsWriteNothing) {
  EXPECT_TRUE(toolpng::encodePng(2, 2, kPicture).empty());
  EXPECT_TRUE(toolpng::encodePng(0, 0, {}).empty());
  EXPECT_TRUE(toolpng::encodePng(-3, -2, kPicture).empty());
  testsupport::TempDir dir;
  EXPECT_FALSE(toolpng::writePng(dir.file("wrong.png"), 2, 2, kPicture));
  EXPECT_FALSE(std::filesystem::exists(dir.file("wrong.png")));
}

TEST(PngWriter, AWrittenFileHoldsTheEncodedBytes) {
  testsupport::TempDir dir;
  ASSERT_TRUE(toolpng::writePng(dir.file("picture.png"), 3, 2, kPicture));
  const std::string file = testsupport::readFile(dir.file("picture.png"));
  const std::vector<uint8_t> bytes = toolpng::encodePng(3, 2, kPicture);
  EXPECT_EQ(std::vector<uint8_t>(file.begin(), file.end()), bytes);
  EXPECT_FALSE(toolpng::writePng(dir.file("no-such-folder/picture.png"), 3, 2, kPicture));
}

}  // namespace
