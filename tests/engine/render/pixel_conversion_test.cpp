// Conversions between the decoded formats and the upload formats, byte for byte.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/render/texture2d.h"

namespace engine {
namespace {

using PF = Texture2D::PixelFormat;
using Bytes = std::vector<unsigned char>;

Bytes packed(std::initializer_list<uint16_t> values) {
  Bytes out(values.size() * 2);
  std::memcpy(out.data(), values.begin(), out.size());
  return out;
}

TEST(PixelConversion, EverySupportedPairByteForByte) {
  const Bytes rgba = {200, 100, 50, 127, 255, 255, 255, 128};
  const Bytes rgb = {10, 20, 30};
  const Bytes grey = {90, 200};
  const Bytes greyAlpha = {90, 40};
  // Luminance of (200, 100, 50) = (59800 + 58700 + 5700 + 500) / 1000 = 124.
  const struct {
    const Bytes& from;
    PF fromFormat;
    PF to;
    Bytes expected;
  } cases[] = {
      {rgba, PF::RGBA8888, PF::I8, {124, 255}},
      {rgba, PF::RGBA8888, PF::AI88, {124, 127, 255, 128}},
      {rgba, PF::RGBA8888, PF::A8, {127, 128}},
      {rgba, PF::RGBA8888, PF::RGB888, {200, 100, 50, 255, 255, 255}},
      {rgba, PF::RGBA8888, PF::RGB565,
       packed({((200 & 0xF8) << 8) | ((100 & 0xFC) << 3) | (50 >> 3), 0xFFFF})},
      {rgba, PF::RGBA8888, PF::RGBA4444,
       packed({((200 & 0xF0) << 8) | ((100 & 0xF0) << 4) | (50 & 0xF0) | 7, 0xFFF8})},
      // One alpha bit: set only from 128 up.
      {rgba, PF::RGBA8888, PF::RGB5A1,
       packed({((200 & 0xF8) << 8) | ((100 & 0xF8) << 3) | ((50 & 0xF8) >> 2), 0xFFFF})},
      // Sources without alpha become opaque.
      {rgb, PF::RGB888, PF::RGBA8888, {10, 20, 30, 255}},
      {rgb, PF::RGB888, PF::RGB5A1,
       packed({((10 & 0xF8) << 8) | ((20 & 0xF8) << 3) | ((30 & 0xF8) >> 2) | 1})},
      {rgb, PF::RGB888, PF::A8, {255}},
      // Grey spreads its luminance to every channel.
      {grey, PF::I8, PF::RGBA8888, {90, 90, 90, 255, 200, 200, 200, 255}},
      {grey, PF::I8, PF::AI88, {90, 255, 200, 255}},
      {greyAlpha, PF::AI88, PF::RGBA8888, {90, 90, 90, 40}},
      {greyAlpha, PF::AI88, PF::I8, {90}},
      {greyAlpha, PF::AI88, PF::A8, {40}},
      {greyAlpha, PF::AI88, PF::RGB888, {90, 90, 90}},
  };
  for (const auto& c : cases) {
    Bytes out;
    EXPECT_EQ(Texture2D::convertDataToFormat(c.from.data(), c.from.size(), c.fromFormat, c.to,
                                             &out),
              c.to);
    EXPECT_EQ(out, c.expected) << static_cast<int>(c.fromFormat) << " -> "
                               << static_cast<int>(c.to);
  }
}

TEST(PixelConversion, UnsupportedPairsReportTheSourceAndPartialPixelsAreNotOverread) {
  const Bytes rgba = {1, 2, 3, 4};
  Bytes out = {9};
  EXPECT_EQ(Texture2D::convertDataToFormat(rgba.data(), rgba.size(), PF::RGBA8888, PF::BGRA8888,
                                           &out),
            PF::RGBA8888);
  EXPECT_TRUE(out.empty());
  EXPECT_EQ(Texture2D::convertDataToFormat(rgba.data(), rgba.size(), PF::RGB565, PF::RGBA8888,
                                           &out),
            PF::RGB565);
  EXPECT_TRUE(out.empty());

  const Bytes rgbaAndAHalf = {1, 2, 3, 4, 5, 6};
  Texture2D::convertRGBA8888ToFormat(rgbaAndAHalf.data(), rgbaAndAHalf.size(), PF::RGB888, &out);
  EXPECT_EQ(out, (Bytes{1, 2, 3}));
}

TEST(PixelFormatTable, UnpackAlignmentFitsTheRowBytes) {
  // A 3-pixel RGB row is 9 bytes, a 2-pixel RGBA row 8.
  EXPECT_EQ(Texture2D::unpackAlignmentForRowBytes(9), 1);
  EXPECT_EQ(Texture2D::unpackAlignmentForRowBytes(8), 8);
  EXPECT_EQ(Texture2D::unpackAlignmentForRowBytes(12), 4);
  EXPECT_EQ(Texture2D::unpackAlignmentForRowBytes(6), 2);
}

}  // namespace
}  // namespace engine
