// Conversions between the decoded formats and the upload formats, byte for byte.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/render/texture2d.h"

namespace engine {
namespace {

using PF = Texture2D::PixelFormat;
using Bytes = std::vector<unsigned char>;

uint16_t packedAt(const Bytes& data, size_t pixel) {
  uint16_t value = 0;
  std::memcpy(&value, data.data() + pixel * 2, 2);
  return value;
}

TEST(PixelConversion, Rgba8888ToEveryTarget) {
  const Bytes rgba = {200, 100, 50, 127, 255, 255, 255, 128};
  Bytes out;
  // Luminance of (200, 100, 50) = (59800 + 58700 + 5700 + 500) / 1000 = 124.
  EXPECT_EQ(Texture2D::convertDataToFormat(rgba.data(), rgba.size(), PF::RGBA8888, PF::I8, &out),
            PF::I8);
  EXPECT_EQ(out, (Bytes{124, 255}));
  Texture2D::convertDataToFormat(rgba.data(), rgba.size(), PF::RGBA8888, PF::AI88, &out);
  EXPECT_EQ(out, (Bytes{124, 127, 255, 128}));
  Texture2D::convertDataToFormat(rgba.data(), rgba.size(), PF::RGBA8888, PF::A8, &out);
  EXPECT_EQ(out, (Bytes{127, 128}));
  Texture2D::convertDataToFormat(rgba.data(), rgba.size(), PF::RGBA8888, PF::RGB888, &out);
  EXPECT_EQ(out, (Bytes{200, 100, 50, 255, 255, 255}));

  Texture2D::convertDataToFormat(rgba.data(), rgba.size(), PF::RGBA8888, PF::RGB565, &out);
  ASSERT_EQ(out.size(), 4u);
  EXPECT_EQ(packedAt(out, 0), ((200 & 0xF8) << 8) | ((100 & 0xFC) << 3) | (50 >> 3));
  EXPECT_EQ(packedAt(out, 1), 0xFFFF);

  Texture2D::convertDataToFormat(rgba.data(), rgba.size(), PF::RGBA8888, PF::RGBA4444, &out);
  EXPECT_EQ(packedAt(out, 0), ((200 & 0xF0) << 8) | ((100 & 0xF0) << 4) | (50 & 0xF0) | 7);

  // One alpha bit: set only from 128 up.
  Texture2D::convertDataToFormat(rgba.data(), rgba.size(), PF::RGBA8888, PF::RGB5A1, &out);
  EXPECT_EQ(packedAt(out, 0) & 1, 0);
  EXPECT_EQ(packedAt(out, 1), 0xFFFF);
  const int colourBits = ((200 & 0xF8) << 8) | ((100 & 0xF8) << 3) | ((50 & 0xF8) >> 2);
  EXPECT_EQ(packedAt(out, 0) >> 1, colourBits >> 1);
}

TEST(PixelConversion, SourcesWithoutAlphaBecomeOpaque) {
  const Bytes rgb = {10, 20, 30};
  Bytes out;
  EXPECT_EQ(Texture2D::convertRGB888ToFormat(rgb.data(), rgb.size(), PF::RGBA8888, &out),
            PF::RGBA8888);
  EXPECT_EQ(out, (Bytes{10, 20, 30, 255}));
  Texture2D::convertRGB888ToFormat(rgb.data(), rgb.size(), PF::RGB5A1, &out);
  EXPECT_EQ(packedAt(out, 0) & 1, 1);
  Texture2D::convertRGB888ToFormat(rgb.data(), rgb.size(), PF::RGBA4444, &out);
  EXPECT_EQ(packedAt(out, 0) & 0xF, 0xF);
  Texture2D::convertRGB888ToFormat(rgb.data(), rgb.size(), PF::A8, &out);
  EXPECT_EQ(out, (Bytes{255}));
}

TEST(PixelConversion, GreySourcesSpreadLuminanceToEveryChannel) {
  const Bytes grey = {90, 200};
  Bytes out;
  Texture2D::convertI8ToFormat(grey.data(), grey.size(), PF::RGBA8888, &out);
  EXPECT_EQ(out, (Bytes{90, 90, 90, 255, 200, 200, 200, 255}));
  Texture2D::convertI8ToFormat(grey.data(), grey.size(), PF::AI88, &out);
  EXPECT_EQ(out, (Bytes{90, 255, 200, 255}));

  const Bytes greyAlpha = {90, 40};
  Texture2D::convertAI88ToFormat(greyAlpha.data(), greyAlpha.size(), PF::RGBA8888, &out);
  EXPECT_EQ(out, (Bytes{90, 90, 90, 40}));
  Texture2D::convertAI88ToFormat(greyAlpha.data(), greyAlpha.size(), PF::I8, &out);
  EXPECT_EQ(out, (Bytes{90}));
  Texture2D::convertAI88ToFormat(greyAlpha.data(), greyAlpha.size(), PF::A8, &out);
  EXPECT_EQ(out, (Bytes{40}));
  Texture2D::convertAI88ToFormat(greyAlpha.data(), greyAlpha.size(), PF::RGB888, &out);
  EXPECT_EQ(out, (Bytes{90, 90, 90}));
}

TEST(PixelConversion, UnsupportedPairsReportTheSourceAndLeaveDataAlone) {
  const Bytes rgba = {1, 2, 3, 4};
  Bytes out = {9};
  EXPECT_EQ(Texture2D::convertDataToFormat(rgba.data(), rgba.size(), PF::RGBA8888, PF::BGRA8888,
                                           &out),
            PF::RGBA8888);
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(Texture2D::convertDataToFormat(rgba.data(), rgba.size(), PF::RGBA8888, PF::RGBA8888,
                                           &out),
            PF::RGBA8888);
  EXPECT_EQ(Texture2D::convertDataToFormat(rgba.data(), rgba.size(), PF::RGB565, PF::RGBA8888,
                                           &out),
            PF::RGB565);
  EXPECT_TRUE(out.empty());
}

TEST(PixelConversion, TrailingPartialPixelIsDroppedNotOverread) {
  const Bytes rgbaAndAHalf = {1, 2, 3, 4, 5, 6};
  Bytes out;
  Texture2D::convertRGBA8888ToFormat(rgbaAndAHalf.data(), rgbaAndAHalf.size(), PF::RGB888, &out);
  EXPECT_EQ(out, (Bytes{1, 2, 3}));
}

TEST(PixelFormatTable, BitsPerPixelAndUnpackAlignment) {
  EXPECT_EQ(Texture2D::getBitsPerPixelForFormat(PF::RGBA8888), 32);
  EXPECT_EQ(Texture2D::getBitsPerPixelForFormat(PF::RGB888), 24);
  EXPECT_EQ(Texture2D::getBitsPerPixelForFormat(PF::RGB5A1), 16);
  EXPECT_EQ(Texture2D::getBitsPerPixelForFormat(PF::A8), 8);
  EXPECT_EQ(Texture2D::getBitsPerPixelForFormat(PF::NONE), 0);
  EXPECT_EQ(Texture2D::getBitsPerPixelForFormat(PF::AUTO), 0);
  EXPECT_EQ(Texture2D::getPixelFormatInfoMap().size(), 9u);
  // A 3-pixel RGB row is 9 bytes, a 2-pixel RGBA row 8.
  EXPECT_EQ(Texture2D::unpackAlignmentForRowBytes(9), 1);
  EXPECT_EQ(Texture2D::unpackAlignmentForRowBytes(8), 8);
  EXPECT_EQ(Texture2D::unpackAlignmentForRowBytes(12), 4);
  EXPECT_EQ(Texture2D::unpackAlignmentForRowBytes(6), 2);
}

}  // namespace
}  // namespace engine
