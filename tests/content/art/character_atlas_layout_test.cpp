#include "content/art/character_atlas_layout.h"
#include "content/art/dress_atlas_layout.h"

#include <gtest/gtest.h>

#include "content/format/record_layout.h"
#include "content/tables/content_tables.h"
#include "tests/content/art/atlas_occupancy.h"

namespace {

using engine::Rect;

TEST(CharacterAtlasLayout, EveryPieceHairAndDroppedGarmentHasItsOwnPixels) {
  AtlasOccupancy atlas(art::kEquipAtlasSize, art::kEquipAtlasSize);
  auto claim = [&](const Rect& r, const std::string& name) {
    const std::string fault = atlas.claim(r, name);
    EXPECT_TRUE(fault.empty()) << fault;
  };
  for (int picture = 0; picture < art::kWornPictureLimit; ++picture) {
    for (int layout = 1; layout <= 2; ++layout) {
      for (int part = 0; part < art::kCharacterPartCount; ++part) {
        const Rect r = art::characterPieceRect(uint8_t(picture), part, layout);
        EXPECT_EQ(r.size, art::characterPieceRect(0, part, 2).size) << "pieces of one part share a size";
        claim(r, "piece " + std::to_string(picture) + "/" + std::to_string(layout) + "/" + std::to_string(part));
      }
    }
    for (int slot = 0; slot < art::kWornSlotCount && picture > 0; ++slot) {
      claim(art::dressPictureRect(uint8_t(picture), slot), "dress " + std::to_string(picture) + "/" + std::to_string(slot));
    }
  }
  for (int style = 0; style < art::kHairStyleCount; ++style) {
    claim(art::hairPieceRect(uint8_t(style), 0), "hair top " + std::to_string(style));
    claim(art::hairPieceRect(uint8_t(style), 2), "hair back " + std::to_string(style));
  }
}

TEST(CharacterAtlasLayout, GarmentsCoverTheirPartsAndLaterSlotsWin) {
  art::CharacterLook look = art::characterLookFromWord(0x0302);
  EXPECT_EQ(look.skin, 2);
  EXPECT_EQ(look.hairStyle, 3);
  // Bare: hair style for the head pieces, the bare body elsewhere, layouts apart.
  EXPECT_EQ(art::characterPartRect(look, 0, 2), art::hairPieceRect(3, 0));
  EXPECT_EQ(art::characterPartRect(look, 2, 1), art::hairPieceRect(3, 2));
  EXPECT_EQ(art::characterPartRect(look, 7, 2), art::characterPieceRect(0, 7, 2));
  EXPECT_NE(art::characterPartRect(look, 7, 1), art::characterPartRect(look, 7, 2));

  look.worn = {1, 2, 0, 34, 33};  // straw hat, straw tunic, leather greaves, leather chestplate
  EXPECT_EQ(art::characterPartRect(look, 0, 2), art::characterPieceRect(1, 0, 2));
  EXPECT_EQ(art::characterPartRect(look, 2, 2), art::hairPieceRect(3, 2)) << "hats leave the hair behind";
  EXPECT_EQ(art::characterPartRect(look, 7, 2), art::characterPieceRect(33, 7, 2)) << "the chest piece is worn over the tunic";
  EXPECT_EQ(art::characterPartRect(look, 8, 2), art::characterPieceRect(34, 8, 2));
  EXPECT_EQ(art::characterPartRect(look, 1, 2), art::characterPieceRect(0, 1, 2)) << "the head stays bare";
  EXPECT_EQ(art::characterPartRect(look, 10, 1), art::characterPieceRect(0, 10, 1));
  EXPECT_EQ(art::characterPartRect(look, 12, 2), Rect());
}

TEST(CharacterAtlasLayout, WornPicturesBelongToRegions) {
  struct Case { uint8_t picture; art::WornRegion region; };
  const Case cases[] = {{0, art::WornRegion::None},   {1, art::WornRegion::Head},  {2, art::WornRegion::Tunic},
                        {20, art::WornRegion::Legs},  {29, art::WornRegion::Chest}, {49, art::WornRegion::Feet},
                        {61, art::WornRegion::Head},  {62, art::WornRegion::None},  {255, art::WornRegion::None}};
  for (const Case& c : cases) EXPECT_EQ(art::wornPictureRegion(c.picture), c.region) << int(c.picture);
}

TEST(CharacterAtlasLayout, RestOffsetsAndLookColours) {
  EXPECT_EQ(art::characterPartOffset(0), engine::Vec2(-1, 4.5f));
  EXPECT_EQ(art::characterPartOffset(3), engine::Vec2(-8, -8.5f));
  EXPECT_EQ(art::characterPartOffset(11), engine::Vec2(3, -11.5f));
  EXPECT_EQ(art::characterPartOffset(12), engine::Vec2());
  EXPECT_EQ(art::lookPaletteColour(9), art::lookPaletteColour(1));
  EXPECT_NE(art::lookPaletteColour(0), art::lookPaletteColour(1));
}

TEST(DressAtlasLayout, PicturesOfWornItemsOnly) {
  EXPECT_EQ(art::dressPictureRect(0, 0), Rect());
  EXPECT_EQ(art::dressPictureRect(5, 5), Rect());
  EXPECT_EQ(art::dressPictureRect(5, 0), Rect(26 * 16 + 1, 5 * 16 + 1, 14, 14));
  EXPECT_EQ(art::dressSpriteRect(0xFFFF, 0), Rect()) << "no item, no picture";
}

}  // namespace

namespace {

// Two worn items in the process-wide tables: a hat (worn picture 1) and boots (worn picture 35).
class WornItems : public ::testing::Test {
 protected:
  void SetUp() override {
    resetContentTables();
    for (auto [id, picture] : {std::pair{55, 1}, {3403, 35}}) {
      ItemDef& def = contentTables().itemDefs[size_t(id)];
      def.defined = true;
      def.record.bytes[content::item_record::wornPicture] = uint8_t(picture);
    }
    contentTables().itemDefs[24].defined = true;  // a block item: worn picture 0
  }
  void TearDown() override { resetContentTables(); }
};

TEST_F(WornItems, APlayersLookComesFromItsWordAndItsWornItems) {
  const art::CharacterLook look = art::characterLookOf(0x0105, {55, 0xFFFF, 24, 3403, 0});
  EXPECT_EQ(look.skin, 5);
  EXPECT_EQ(look.hairStyle, 1);
  EXPECT_EQ(look.worn, (std::array<uint8_t, art::kWornSlotCount>{1, 0, 0, 35, 0}));
  EXPECT_EQ(art::characterPartRect(look, 0, 2), art::characterPieceRect(1, 0, 2));
  EXPECT_EQ(art::characterPartRect(look, 11, 1), art::characterPieceRect(35, 11, 1));
  EXPECT_EQ(art::dressSpriteRect(3403, 2), art::dressPictureRect(35, 2));
  EXPECT_EQ(art::dressSpriteRect(24, 0), engine::Rect()) << "an item that is not worn has no dropped garment";
}

}  // namespace
