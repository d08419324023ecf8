// What the atlases of things hold, checked against the layouts the game reads: every item icon in
// every variant and the spawn egg of every mob, every held tool, every interface rectangle, every
// character piece and garment, every mob picture and every achievement icon is inside its picture
// and drawn; and the pictures load through the engine's PNG reader.
#include <gtest/gtest.h>

#include <rapidjson/document.h>

#include <vector>

#include "content/art/achievement_icons.h"
#include "content/art/character_atlas_layout.h"
#include "content/art/dress_atlas_layout.h"
#include "content/art/interface_layout.h"
#include "content/art/item_atlas_layout.h"
#include "content/art/mob_atlas_layout.h"
#include "content/art/tool_atlas_layout.h"
#include "engine/render/image.h"
#include "tests/tools/art_maker/made_art.h"
#include "tools/png_writer/png_writer.h"

namespace artmaker {
namespace {

using arttest::contentTable;
using arttest::madePicture;

PixelRect toPixels(const engine::Rect& r) {
  return {int(r.origin.x), int(r.origin.y), int(r.size.width), int(r.size.height)};
}

::testing::AssertionResult drawnInside(const Canvas* picture, const engine::Rect& rect) {
  const PixelRect r = toPixels(rect);
  if (picture == nullptr) return ::testing::AssertionFailure() << "no picture";
  if (r.x < 0 || r.y < 0 || r.w <= 0 || r.h <= 0 || r.right() > picture->width() || r.bottom() > picture->height()) {
    return ::testing::AssertionFailure() << "(" << r.x << ", " << r.y << ", " << r.w << ", " << r.h << ") lies outside";
  }
  if (!picture->anyOpaque(r)) {
    return ::testing::AssertionFailure() << "(" << r.x << ", " << r.y << ", " << r.w << ", " << r.h << ") is blank";
  }
  return ::testing::AssertionSuccess();
}

TEST(TreasureAtlas, EveryItemOfTheContentHasAnIconInEveryVariant) {
  const Canvas* treasures = madePicture("treasures.png");
  ASSERT_NE(treasures, nullptr);
  EXPECT_EQ(treasures->width(), art::kItemAtlasSize);
  size_t items = 0;
  for (const auto& row : contentTable("treasures").GetArray()) {
    const uint16_t id = uint16_t(row["id"].GetInt());
    for (int variant = 0; variant < art::kItemIconVariants; ++variant) {
      EXPECT_TRUE(drawnInside(treasures, art::itemIconRect(id, uint8_t(variant)))) << "item " << id << " v" << variant;
    }
    ++items;
  }
  EXPECT_GT(items, 1500u);
  EXPECT_FALSE(treasures->anyOpaque(toPixels(art::itemIconRect(0, 0)))) << "id 0 is no item and stays empty";
}

TEST(TreasureAtlas, EveryMobOfTheContentHasItsOwnSpawnEggInItsColours) {
  const Canvas* treasures = madePicture("treasures.png");
  ASSERT_NE(treasures, nullptr);
  EXPECT_EQ(treasures->height(), art::kItemAtlasHeight);
  std::vector<int> mobs;
  int id = 0;
  for (const auto& row : contentTable("mobs").GetArray()) {
    const int mob = id++;
    if (mob >= art::kSpawnEggMobCount || !row.IsObject() || row.MemberCount() == 0) continue;
    EXPECT_TRUE(drawnInside(treasures, art::spawnEggIconRect(uint16_t(mob)))) << "the egg of mob " << mob;
    mobs.push_back(mob);
  }
  ASSERT_GT(mobs.size(), 100u);
  // Eggs of different mobs differ: the pictures of the first mobs are not all one.
  const auto picture = [treasures](int mob) {
    const PixelRect r = toPixels(art::spawnEggIconRect(uint16_t(mob)));
    std::vector<Colour> pixels;
    for (int y = r.y; y < r.bottom(); ++y) {
      for (int x = r.x; x < r.right(); ++x) pixels.push_back(treasures->at(x, y));
    }
    return pixels;
  };
  size_t differing = 0;
  for (size_t i = 1; i < 20 && i < mobs.size(); ++i) differing += picture(mobs[i]) != picture(mobs[0]);
  EXPECT_GE(differing, 15u) << "the eggs share one look";
}

TEST(ToolAtlas, EverySwingItemIsDrawnAtItsRecordsRectangle) {
  const Canvas* tools = madePicture("tools.png");
  ASSERT_NE(tools, nullptr);
  for (const auto& spec : contentTable("swing_specs").GetArray()) {
    const auto& r = spec["spriteRect"];
    const engine::Rect rect(r[0].GetFloat(), r[1].GetFloat(), r[2].GetFloat(), r[3].GetFloat());
    EXPECT_TRUE(drawnInside(tools, rect)) << "swing item " << spec["item"].GetInt();
  }
}

TEST(ToolAtlas, EverySwingItemHasItsCopyTurnedAnEighthInTheWorldsDoubledPixelsWithTheGripInTheMiddle) {
  const Canvas* tools = madePicture("tools.png");
  ASSERT_NE(tools, nullptr);
  for (const auto& spec : contentTable("swing_specs").GetArray()) {
    const auto& r = spec["spriteRect"];
    const engine::Rect picture(r[0].GetFloat(), r[1].GetFloat(), r[2].GetFloat(), r[3].GetFloat());
    ASSERT_TRUE(art::hasTurnedTool(picture)) << "swing item " << spec["item"].GetInt();
    const PixelRect turned = toPixels(art::turnedToolRect(picture));
    EXPECT_TRUE(drawnInside(tools, art::turnedToolRect(picture))) << "swing item " << spec["item"].GetInt();
    int odd = 0;
    for (int y = 0; y + 1 < turned.h; y += 2) {
      for (int x = 0; x + 1 < turned.w; x += 2) {
        const Colour c = tools->at(turned.x + x, turned.y + y);
        odd += !(tools->at(turned.x + x + 1, turned.y + y) == c && tools->at(turned.x + x, turned.y + y + 1) == c &&
                 tools->at(turned.x + x + 1, turned.y + y + 1) == c);
      }
    }
    EXPECT_EQ(odd, 0) << "swing item " << spec["item"].GetInt() << ": a turned copy keeps the world's pixels";
    // The grip, in the handle, lies at the copy's middle.
    EXPECT_TRUE(tools->anyOpaque({turned.x + turned.w / 2 - 4, turned.y + turned.h / 2 - 4, 8, 8}))
        << "swing item " << spec["item"].GetInt();
  }
}

TEST(ToolAtlas, HeldToolsAreMadeOfTheWorldsDoubledPixels) {
  const Canvas* tools = madePicture("tools.png");
  ASSERT_NE(tools, nullptr);
  for (const auto& spec : contentTable("swing_specs").GetArray()) {
    const auto& r = spec["spriteRect"];
    const int x0 = r[0].GetInt(), y0 = r[1].GetInt(), w = r[2].GetInt(), h = r[3].GetInt();
    int odd = 0;
    for (int y = 0; y + 1 < h; y += 2) {
      for (int x = 0; x + 1 < w; x += 2) {
        const Colour c = tools->at(x0 + x, y0 + y);
        if (!(tools->at(x0 + x + 1, y0 + y) == c && tools->at(x0 + x, y0 + y + 1) == c &&
              tools->at(x0 + x + 1, y0 + y + 1) == c)) {
          ++odd;
        }
      }
    }
    EXPECT_EQ(odd, 0) << "swing item " << spec["item"].GetInt() << " has finer pixels than a block";
  }
}

TEST(InterfaceAtlas, EveryNamedRectangleIsDrawnAtItsPlace) {
  const Canvas* ui = madePicture("interface.png");
  ASSERT_NE(ui, nullptr);
  std::vector<engine::Rect> rects = {art::kQuickSlotMarkerSelected, art::kQuickSlotMarkerOther, art::kNewItemFrame,
                                     art::kHighlightFrame, art::kHighlightFrameStrong, art::kBookPageMark,
                                     art::kTooltipArrow, art::kAchievementBanner, art::kSignBubble,
                                     art::kPortraitCap, art::kPortraitMiddle, art::kPortraitHealthFill,
                                     art::kPortraitBreathFill, art::healthBarRect(art::kHealthBarStripWidth)};
  for (const art::SlotKindFrames& row : art::kSlotKindFrames) {
    rects.push_back(row.normal);
    rects.push_back(row.other);
  }
  rects.insert(rects.end(), art::kMobItemMarks.begin(), art::kMobItemMarks.end());
  rects.insert(rects.end(), art::kTooltipPieces.begin(), art::kTooltipPieces.end());
  for (int step = 0; step <= 15; ++step) rects.push_back(art::durabilityBarRect(float(step), 15));
  for (const art::UiSpriteFamily& family : art::kUiSpriteFamilies) {
    for (int i = 0; i < family.count; ++i) {
      const bool byId = family.id == art::kOutlineSpriteBase;
      rects.push_back(art::uiSpriteRect(uint16_t(family.id + (byId ? i : 0)), byId ? 0 : uint32_t(i)));
    }
  }
  for (const engine::Rect& r : rects) EXPECT_TRUE(drawnInside(ui, r));
  // The durability column empties from left to right: the full bar holds more colour than the last.
  auto coloured = [ui](const engine::Rect& r) {
    int n = 0;
    for (int y = int(r.getMinY()); y < int(r.getMaxY()); ++y) n += red(ui->at(int(r.getMinX()) + 1, y)) > 60;
    return n;
  };
  EXPECT_GT(coloured(art::durabilityBarRect(15, 15)), coloured(art::durabilityBarRect(0, 15)) + 8);
}

TEST(EquipAtlas, TheBodyHairAndEveryWornItemsPiecesAreDrawn) {
  const Canvas* equip = madePicture("equip.png");
  ASSERT_NE(equip, nullptr);
  for (int layout = 1; layout <= 2; ++layout) {
    for (int part = 0; part < art::kCharacterPartCount; ++part) {
      if (part == 0 || part == 2) continue;
      EXPECT_TRUE(drawnInside(equip, art::characterPieceRect(0, part, layout))) << "bare part " << part;
    }
  }
  for (int style = 0; style < art::kHairStyleCount; ++style) {
    EXPECT_TRUE(drawnInside(equip, art::hairPieceRect(uint8_t(style), 0))) << "hair " << style;
    EXPECT_TRUE(drawnInside(equip, art::hairPieceRect(uint8_t(style), 2))) << "hair " << style;
  }
  int worn = 0;
  for (const auto& row : contentTable("treasures").GetArray()) {
    if (!row.HasMember("wornPicture")) continue;
    ++worn;
    const uint8_t picture = uint8_t(row["wornPicture"].GetInt());
    const art::WornRegion region = art::wornPictureRegion(picture);
    ASSERT_NE(region, art::WornRegion::None) << "item " << row["id"].GetInt();
    for (int layout = 1; layout <= 2; ++layout) {
      for (int part = 0; part < art::kCharacterPartCount; ++part) {
        if (!art::wornRegionCovers(region, part)) continue;
        EXPECT_TRUE(drawnInside(equip, art::characterPieceRect(picture, part, layout)))
            << "item " << row["id"].GetInt() << " part " << part;
      }
    }
    for (int slot = 0; slot < art::kWornSlotCount; ++slot) {
      EXPECT_TRUE(drawnInside(equip, art::dressPictureRect(picture, slot))) << "dropped " << row["id"].GetInt();
    }
  }
  EXPECT_GT(worn, 0);
}

TEST(MobAtlas, EveryPictureOfEveryMobIsDrawnInsideItsCell) {
  const Canvas* mobs = madePicture("mobs.png");
  ASSERT_NE(mobs, nullptr);
  int row = -1, drawnMobs = 0;
  for (const auto& mob : contentTable("mobs").GetArray()) {
    ++row;
    if (mob.MemberCount() == 0) continue;
    ++drawnMobs;
    const engine::Rect cell = art::mobAtlasCell(uint32_t(row));
    for (const auto& animation : mob["animations"].GetArray()) {
      for (const auto& frame : animation["frames"].GetArray()) {
        const auto& r = frame["rect"];
        const engine::Rect rect(r[0].GetFloat(), r[1].GetFloat(), r[2].GetFloat(), r[3].GetFloat());
        EXPECT_TRUE(rect.getMinX() >= cell.getMinX() && rect.getMaxX() <= cell.getMaxX() &&
                    rect.getMinY() >= cell.getMinY() && rect.getMaxY() <= cell.getMaxY())
            << "mob row " << row;
        EXPECT_TRUE(drawnInside(mobs, rect)) << "mob row " << row;
      }
    }
  }
  EXPECT_GT(drawnMobs, 600);
}

TEST(AchievementIcons, EveryAchievementHasItsSquareIcon) {
  for (uint16_t number = 0; number < 109; ++number) {
    const Canvas* icon = madePicture("achievements/" + art::achievementIconFileName(number));
    ASSERT_NE(icon, nullptr) << number;
    EXPECT_EQ(icon->width(), art::kAchievementIconSize);
    EXPECT_EQ(icon->height(), art::kAchievementIconSize);
    EXPECT_TRUE(drawnInside(icon, {0, 0, 32, 32})) << number;
  }
  EXPECT_EQ(madePicture("achievements/109.png"), nullptr);
}

TEST(ThingsAtlases, LoadThroughTheEnginesPngReader) {
  for (const char* path : {"treasures.png", "tools.png", "interface.png", "equip.png", "mobs.png", "achievements/0.png"}) {
    const Canvas* made = madePicture(path);
    ASSERT_NE(made, nullptr) << path;
    const std::vector<uint8_t> bytes = toolpng::encodePng(made->width(), made->height(), made->pixels());
    engine::Image* image = new engine::Image();
    ASSERT_TRUE(image->initWithPngData(bytes.data(), bytes.size())) << path;
    EXPECT_EQ(image->getWidth(), made->width()) << path;
    EXPECT_EQ(image->getHeight(), made->height()) << path;
    // An opaque pixel comes back as it was drawn.
    const PixelRect probe = toPixels(std::string(path) == "treasures.png" ? art::itemIconRect(2, 0) : engine::Rect(0, 0, 0, 0));
    if (probe.w > 0) {
      for (int y = probe.y; y < probe.bottom(); ++y) {
        for (int x = probe.x; x < probe.right(); ++x) {
          const Colour c = made->at(x, y);
          if (alpha(c) != 255) continue;
          const unsigned char* p = image->getData() + (size_t(y) * size_t(made->width()) + size_t(x)) * 4;
          EXPECT_EQ(rgba(p[0], p[1], p[2], p[3]), c);
          y = probe.bottom();
          break;
        }
      }
    }
    image->release();
  }
}

}  // namespace
}  // namespace artmaker
