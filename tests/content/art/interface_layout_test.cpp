#include "content/art/interface_layout.h"

#include <gtest/gtest.h>

#include "tests/content/art/atlas_occupancy.h"

namespace {

using engine::Rect;

std::string rectName(const char* what, const Rect& r) {
  return std::string(what) + " " + std::to_string(int(r.origin.x)) + "," + std::to_string(int(r.origin.y));
}

// Every rectangle the interface draws, claimed on one atlas: nothing leaves it, nothing shares
// pixels with a different picture.
TEST(InterfaceLayout, NoPictureLeavesTheAtlasOrMeetsAnother) {
  AtlasOccupancy atlas(art::kInterfaceAtlasSize, art::kInterfaceAtlasSize);
  auto claim = [&](const Rect& r, const std::string& name) {
    const std::string fault = atlas.claim(r, name);
    EXPECT_TRUE(fault.empty()) << fault;
  };
  for (const art::SlotKindFrames& row : art::kSlotKindFrames) {
    claim(row.normal, rectName("slot frame", row.normal));
    claim(row.other, rectName("slot frame", row.other));
  }
  for (const Rect& r : {art::kQuickSlotMarkerSelected, art::kQuickSlotMarkerOther, art::kNewItemFrame,
                        art::kHighlightFrame, art::kHighlightFrameStrong, art::kBookPageMark,
                        art::kTooltipArrow, art::kAchievementBanner, art::kSignBubble, art::kPortraitCap,
                        art::kPortraitMiddle, art::kPortraitHealthFill, art::kPortraitBreathFill}) {
    claim(r, rectName("picture", r));
  }
  for (const Rect& r : art::kMobItemMarks) claim(r, rectName("mob mark", r));
  for (const Rect& r : art::kTooltipPieces) claim(r, rectName("tooltip piece", r));
  for (int step = 0; step < art::kDurabilityColumnSteps; ++step) {
    const Rect r(float(art::kDurabilityColumnX + 4 * step), 314, 4, 16);
    claim(r, rectName("durability", r));
  }
  claim(art::healthBarRect(art::kHealthBarStripWidth), "health bar");
  for (const art::UiSpriteFamily& family : art::kUiSpriteFamilies) {
    for (int i = 0; i < family.count; ++i) {
      const bool byId = family.id == art::kOutlineSpriteBase;
      const Rect r = art::uiSpriteRect(uint16_t(family.id + (byId ? i : 0)), byId ? 0 : uint32_t(i));
      claim(r, "sprite " + std::to_string(family.id) + "/" + std::to_string(i));
    }
  }
}

TEST(InterfaceLayout, DurabilityColumnStepsFromFullToWornOut) {
  struct Case { float durability, maximum, x; };
  const Case cases[] = {{100, 100, 357}, {50, 100, 389}, {0, 100, 417}, {1, 100, 417}, {99, 100, 361},
                        {500, 100, 357}, {7, 0, 357}};
  for (const Case& c : cases) {
    EXPECT_EQ(art::durabilityBarRect(c.durability, c.maximum), Rect(c.x, 314, 4, 16)) << c.durability;
  }
}

TEST(InterfaceLayout, SlotKindsKeepTheirFrames) {
  EXPECT_EQ(art::slotFrameRect(1, true), Rect(365, 394, 20, 20));
  EXPECT_EQ(art::slotFrameRect(10, false), Rect(332, 371, 22, 22));
  EXPECT_EQ(art::slotFrameRect(13, true), Rect(450, 381, 21, 21));
  EXPECT_EQ(art::slotFrameRect(14, true), Rect());
}

TEST(InterfaceLayout, NumberedSpritesByIdAndVariant) {
  // Variants wrap inside their family; outlines are told apart by id.
  EXPECT_EQ(art::uiSpriteRect(2146, 5), art::uiSpriteRect(2146, 1));
  EXPECT_NE(art::uiSpriteRect(2146, 0), art::uiSpriteRect(2146, 1));
  EXPECT_EQ(art::uiSpriteRect(269, 0), art::uiSpriteRect(269, 3));
  EXPECT_NE(art::uiSpriteRect(269, 0), art::uiSpriteRect(270, 0));
  EXPECT_EQ(art::uiSpriteRect(280, 0).size, engine::Size(8, 10));
  EXPECT_EQ(art::uiSpriteRect(1000, 0), Rect());
  EXPECT_EQ(art::uiSpriteRect(267, 0), Rect());
}

}  // namespace
