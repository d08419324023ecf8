// Clothes on display draw in the order of their worn slot, not in the order they were put out: a
// garment of a slot drawn later covers one of a slot drawn earlier wherever they overlap.
#include <gtest/gtest.h>

#include <vector>

#include "content/art/character_atlas_layout.h"
#include "content/art/dress_atlas_layout.h"
#include "content/format/record_layout.h"
#include "engine/sprite/sprite_batch_node.h"
#include "entities/items/dress_entity.h"
#include "entities/items/treasure_factory.h"
#include "tests/view/entities_gl/entity_draw_fixture.h"

namespace {

using namespace spritetest;

constexpr uint16_t kRedShirt = 200;  // worn picture 1
constexpr uint16_t kBlueHat = 201;   // worn picture 2

class DressOrder : public EntityDrawFixture {
 protected:
  void SetUp() override {
    EntityDrawFixture::SetUp();
    wear(kRedShirt, 1);
    wear(kBlueHat, 2);
    // The clothes atlas: picture 1's row red, picture 2's blue.
    const int width = (art::kDressColumn + 1) * art::kCharacterCell;
    const int height = 3 * art::kCharacterCell;
    std::vector<uint8_t> rgba;
    for (int y = 0; y < height; ++y) {
      const int picture = y / art::kCharacterCell;
      for (int x = 0; x < width; ++x) {
        rgba.insert(rgba.end(), {uint8_t(picture == 1 ? 255 : 0), 0, uint8_t(picture == 2 ? 255 : 0), 255});
      }
    }
    dresses_ = engine::SpriteBatchNode::createWithTexture(texture(width, height, rgba));
    camera_->addChild(dresses_, 6);
    factory_.setLayers({world_.get(), nullptr, nullptr, nullptr, dresses_, {}});
  }
  static void wear(uint16_t id, uint8_t picture) {
    ItemDef& def = contentTables().itemDefs[id];
    def.record.bytes[content::item_record::wornPicture] = picture;
    def.defined = true;
  }
  void show(uint16_t item, uint8_t slot) { ASSERT_NE(createDressEntity(*lists_, item, slot, kLitSpot), nullptr); }

  engine::SpriteBatchNode* dresses_ = nullptr;
};

TEST_F(DressOrder, AGarmentOfALaterDrawnSlotCoversOneOfAnEarlierSlot) {
  show(kRedShirt, 4);  // slot 4 draws at position 3: z 13
  show(kBlueHat, 0);   // slot 0 at position 0: z 9
  frame();
  EXPECT_TRUE(near(pixel(64, 64), kRed)) << "put out first, drawn last";
}

TEST_F(DressOrder, GarmentsOfOneSlotDrawInTheOrderTheyWerePutOut) {
  show(kRedShirt, 2);
  show(kBlueHat, 2);
  frame();
  EXPECT_TRUE(near(pixel(64, 64), kBlue));
}

}  // namespace
