// The window of cells the world view keeps on screen, from the screen sides and viewportScale.

#include "world/cells/visible_cell_counts.h"

#include <gtest/gtest.h>

#include "platform/screen_layout.h"
#include "platform/settings/settings.h"
#include "world/world_launch_services.h"
#include "tests/support/settings_reset.h"
#include "tests/support/screen_layout_reset.h"

namespace {

class VisibleCellCountsTest : public ::testing::Test {
 protected:
  void SetUp() override { reset(); }
  void TearDown() override { reset(); }
  static void reset() {
    testsupport::resetSettings();
    resetScreenLayout();
    storeVisibleCellCounts(VisibleCellCounts{});
  }
};

TEST_F(VisibleCellCountsTest, EvenCeilingsGainThreeAndOddOnesTwo) {
  // Scale 3: 60-pixel cells. 1920 / 60 = 32 (even), 1200 / 60 = 20 (even).
  EXPECT_EQ(visibleCellCountsFor(1920, 1200, 3), (VisibleCellCounts{35, 23}));
  // Scale 2: 30-pixel cells. 1950 / 30 = 65 (odd); 1021 / 30 = 34.03 -> 35 (odd).
  EXPECT_EQ(visibleCellCountsFor(1950, 1021, 2), (VisibleCellCounts{67, 37}));
  // Both counts are always odd.
  for (int scale = 2; scale <= 8; ++scale) {
    for (float side = 0; side < 3000; side += 37) {
      const VisibleCellCounts counts = visibleCellCountsFor(side, side / 2, scale);
      EXPECT_EQ(counts.columns % 2 + counts.rows % 2, 2) << side << " " << scale;
    }
  }
}

TEST_F(VisibleCellCountsTest, AScaleBelowTwoFromADamagedSettingsFileActsAsTwo) {
  const VisibleCellCounts two = visibleCellCountsFor(1920, 1080, 2);
  for (int scale : {1, -4}) EXPECT_EQ(visibleCellCountsFor(1920, 1080, scale), two) << scale;
  EXPECT_EQ(visibleCellCountsFor(1920, 1080, 255), (VisibleCellCounts{3, 3})) << "the smallest window";
}

TEST_F(VisibleCellCountsTest, TheLaunchSeamReadsTheScreenLayout) {
  screenLayout().longSide = 1280;
  screenLayout().shortSide = 1024;
  kel::options().viewportScale = kel::UIScale{4};
  WorldLaunchServices services;
  services.updateVisibleCellCounts();
  // 90-pixel cells: 1280 / 90 -> 15 (odd), 1024 / 90 -> 12 (even).
  EXPECT_EQ(visibleCellCounts(), (VisibleCellCounts{17, 15}));
}

}  // namespace
