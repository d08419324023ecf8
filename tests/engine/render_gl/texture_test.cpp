// Textures from PNG files: every decoded format converted to every upload format, drawn and read
// back; and the texture cache's keys and failures.
#include <cmath>
#include <string>

#include "engine/render/texture_cache.h"
#include "tests/engine/render/png_test_writer.h"
#include "tests/engine/render_gl/gl_fixture.h"
#include "tests/support/temp_dir.h"
#include "tests/support/file_search_paths.h"

namespace engine {
namespace {

using PF = Texture2D::PixelFormat;
using rendertest::near;
using rendertest::pixel;
using rendertest::PngSpec;
using rendertest::Rgba;

struct Source {
  const char* name;
  PngSpec spec;
  Rgba rgba;   // the pixel as straight RGBA
  PF decoded;  // the format kept under AUTO
};

// One pixel, (200, 120, 40) at alpha 160 where the type has alpha.
std::vector<Source> sources() {
  auto spec = [](int colorType, std::vector<uint8_t> pixels) {
    return rendertest::pngSpec(1, 1, colorType, 8, std::move(pixels));
  };
  return {
      {"rgba", spec(PNG_COLOR_TYPE_RGB_ALPHA, {200, 120, 40, 160}), {200, 120, 40, 160},
       PF::RGBA8888},
      {"rgb", spec(PNG_COLOR_TYPE_RGB, {200, 120, 40}), {200, 120, 40, 255}, PF::RGB888},
      {"grey", spec(PNG_COLOR_TYPE_GRAY, {120}), {120, 120, 120, 255}, PF::I8},
      {"grey_alpha", spec(PNG_COLOR_TYPE_GRAY_ALPHA, {120, 160}), {120, 120, 120, 160}, PF::AI88},
  };
}

int expand(int value, int bits) {
  const int levels = (1 << bits) - 1;
  return static_cast<int>(std::lround((value >> (8 - bits)) * 255.0 / levels));
}

// What the GPU samples once the pixel was stored in the target format.
Rgba sampled(const Rgba& p, PF target) {
  const int l = (p[0] * 299 + p[1] * 587 + p[2] * 114 + 500) / 1000;
  switch (target) {
    case PF::RGB888:
      return {p[0], p[1], p[2], 255};
    case PF::RGB565:
      return {expand(p[0], 5), expand(p[1], 6), expand(p[2], 5), 255};
    case PF::RGBA4444:
      return {expand(p[0], 4), expand(p[1], 4), expand(p[2], 4), expand(p[3], 4)};
    case PF::RGB5A1:
      return {expand(p[0], 5), expand(p[1], 5), expand(p[2], 5), p[3] >= 128 ? 255 : 0};
    case PF::A8:
      return {0, 0, 0, p[3]};
    case PF::I8:
      return {l, l, l, 255};
    case PF::AI88:
      return {l, l, l, p[3]};
    default:
      return p;
  }
}

class Textures : public rendertest::TextureCacheFixture {
 protected:

  // Draws the texture over the whole window with blending off and reads the centre.
  Rgba drawAndRead(Texture2D* texture) {
    clear(0, 0, 0, 0);
    drawQuads(texture, {{nullptr, quad(0, 0, 64, 64)}});
    return pixel(32, 32);
  }

  testsupport::TempDir dir_;
};

TEST_F(Textures, EveryPngFormatUploadsInEveryTargetFormat) {
  const PF targets[] = {PF::AUTO,   PF::RGBA8888, PF::RGB888, PF::RGB565, PF::RGBA4444,
                        PF::RGB5A1, PF::A8,       PF::I8,     PF::AI88};
  for (const Source& source : sources()) {
    const std::string path = dir_.write(std::string(source.name) + ".png",
                                        rendertest::encodePng(source.spec));
    for (PF target : targets) {
      Texture2D::setDefaultAlphaPixelFormat(target);
      Texture2D* texture = cache_->addImage(path);
      ASSERT_NE(texture, nullptr) << source.name;
      // AUTO keeps the decoded format, and then the sample is the pixel itself.
      EXPECT_EQ(texture->getPixelFormat(), target == PF::AUTO ? source.decoded : target);
      EXPECT_TRUE(near(drawAndRead(texture), sampled(source.rgba, target), 2))
          << source.name << " -> format " << static_cast<int>(target);
      cache_->removeTexture(texture);
    }
  }
}

TEST_F(Textures, OnePathOneTexture) {
  dir_.write("tiles/a.png", rendertest::solidRgbaPng(2, 2, 1, 2, 3, 255));
  testsupport::setSearchPaths({dir_.path().string() + "/"});
  Texture2D* relative = cache_->addImage("tiles/a.png");
  ASSERT_NE(relative, nullptr);
  EXPECT_EQ(cache_->addImage(dir_.file("tiles/a.png")), relative);
  EXPECT_EQ(cache_->getTextureForKey("tiles/a.png"), relative);
}

TEST_F(Textures, FilesThatDoNotLoadOrUploadAreNotCached) {
  const std::string good = rendertest::solidRgbaPng(4, 4, 1, 2, 3, 255);
  const std::string truncated = dir_.write("truncated.png", good.substr(0, good.size() / 2));
  EXPECT_EQ(cache_->addImage(truncated), nullptr);

  // An image larger than the context allows fails to upload: reported, and not cached.
  const std::string big = dir_.write("big.png", good);
  Configuration::getInstance()->setMaxTextureSize(2);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(cache_->addImage(big), nullptr);
  const std::string logged = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(logged.find("exceeds the maximum texture size"), std::string::npos);
  EXPECT_EQ(cache_->getTextureCount(), 0u);
  Configuration::getInstance()->gatherGPUInfo();
  EXPECT_NE(cache_->addImage(big), nullptr);  // a later request tries again
}

TEST_F(Textures, UploadRefusesShortDataAndUnknownFormats) {
  auto* texture = new Texture2D();
  const unsigned char bytes[12] = {};
  EXPECT_FALSE(texture->initWithData(bytes, sizeof(bytes), PF::RGBA8888, 2, 2));
  EXPECT_FALSE(texture->initWithData(bytes, sizeof(bytes), PF::AUTO, 1, 1));
  EXPECT_FALSE(texture->initWithData(bytes, sizeof(bytes), PF::RGB888, 0, 1));
  // A 3-pixel RGB row is 9 bytes: uploads with alignment 1 and reads back exactly.
  const unsigned char rgb[9] = {255, 0, 0, 0, 255, 0, 0, 0, 255};
  ASSERT_TRUE(texture->initWithData(rgb, sizeof(rgb), PF::RGB888, 3, 1));
  EXPECT_TRUE(near(drawAndRead(texture), rendertest::kGreen, 1));
  // A released texture is deleted.
  const GLuint name = texture->getName();
  ASSERT_TRUE(glIsTexture(name));
  texture->release();
  EXPECT_FALSE(glIsTexture(name));
}

}  // namespace
}  // namespace engine
