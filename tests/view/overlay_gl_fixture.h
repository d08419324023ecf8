#pragma once
// The real director in a hidden 128 x 128 window, with test atlases written to a temporary
// folder that the engine searches before the build's font folder, at the shared layout's places:
// "interface.png" paints the backpack frame red (blue while selected), the tooltip's pieces green
// and the banner grey; "treasures.png" paints item 100's icon yellow; achievement 7 has an icon.
// The fonts are the ones the font maker writes into the build's data folder. Interface scale 1.

#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <string>
#include <vector>

#include "content/art/achievement_icons.h"
#include "content/art/interface_layout.h"
#include "content/art/item_atlas_layout.h"
#include "platform/screen_layout.h"
#include "engine/base/geometry.h"
#include "engine/io/file_utils.h"
#include "engine/scene/scheduler.h"
#include "engine/text/font_atlas_cache.h"
#include "tests/engine/render/png_test_writer.h"
#include "tests/engine/sprite_gl/director_fixture.h"
#include "tests/support/temp_dir.h"
#include "tests/support/screen_layout_reset.h"
#include "tests/support/file_search_paths.h"

namespace overlay_test {

struct Paint {
  engine::Rect rect;
  spritetest::Rgba colour;
};

inline std::string atlasPng(int side, const std::vector<Paint>& paints) {
  rendertest::PngSpec page;
  page.width = page.height = side;
  page.pixels.assign(static_cast<size_t>(side * side * 4), 0);
  for (const Paint& paint : paints) {
    const auto x0 = static_cast<int>(paint.rect.origin.x), y0 = static_cast<int>(paint.rect.origin.y);
    for (int y = y0; y < y0 + static_cast<int>(paint.rect.size.height); ++y) {
      for (int x = x0; x < x0 + static_cast<int>(paint.rect.size.width); ++x) {
        for (int c = 0; c < 4; ++c) page.pixels[static_cast<size_t>((y * side + x) * 4 + c)] = static_cast<uint8_t>(paint.colour[c]);
      }
    }
  }
  return rendertest::encodePng(page);
}

// <build>/data/fonts, found from this test's own place in <build>/tests.
inline std::string buildFontFolder() {
  char self[PATH_MAX] = {};
  const ssize_t length = readlink("/proc/self/exe", self, sizeof self - 1);
  std::string path(self, length > 0 ? static_cast<size_t>(length) : 0);
  path = path.substr(0, path.rfind('/'));
  return path.substr(0, path.rfind('/')) + "/data/fonts";
}

inline constexpr spritetest::Rgba kYellow{255, 255, 0, 255};
inline constexpr spritetest::Rgba kGrey{128, 128, 128, 255};
inline constexpr uint16_t kStoneIcon = 100;

class OverlayGLFixture : public spritetest::DirectorFixture {
 protected:
  void SetUp() override {
    DirectorFixture::SetUp();
    resetScreenLayout();
    using spritetest::kBlue, spritetest::kGreen, spritetest::kRed;
    std::vector<Paint> interface = {{art::slotFrameRect(0, true), kRed},
                                    {art::slotFrameRect(0, false), kBlue},
                                    {art::kTooltipArrow, kGreen},
                                    {art::kAchievementBanner, kGrey},
                                    {art::kSignBubble, kGrey}};
    for (const engine::Rect& piece : art::kTooltipPieces) interface.push_back({piece, kGreen});
    dir_.write("interface.png", atlasPng(art::kInterfaceAtlasSize, interface));
    dir_.write("treasures.png", atlasPng(art::kItemAtlasSize, {{art::itemIconRect(kStoneIcon, 0), kYellow}}));
    dir_.write(art::achievementIconFileName(7), atlasPng(4, {{engine::Rect(0, 0, 4, 4), kYellow}}));
    testsupport::setSearchPaths({dir_.path().string(), buildFontFolder()});
  }
  void TearDown() override {
    DirectorFixture::TearDown();
    engine::FontAtlasCache::purgeCachedData();
    engine::FileUtils::destroyInstance();
    resetScreenLayout();
  }
  // Scheduler time in steps of 50 ms; the actions run on it.
  void advance(float seconds) {
    for (float t = 0; t < seconds - 1e-4f; t += 0.05f) director_->getScheduler()->update(0.05f);
  }

  testsupport::TempDir dir_;
};

}  // namespace overlay_test
