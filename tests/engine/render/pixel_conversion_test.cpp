// Conversions between the decoded formats and the upload formats; every supported pair is drawn
// and read back by the texture tests of render_gl.
#include <gtest/gtest.h>

#include <vector>

#include "engine/render/texture2d.h"

namespace engine {
namespace {

using PF = Texture2D::PixelFormat;
using Bytes = std::vector<unsigned char>;

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

}  // namespace
}  // namespace engine
