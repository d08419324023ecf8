// A mob drawn from its parts: each part shows its rectangle of the mobs texture at its place, in
// its cell's light, mirrored when the mob faces right, with its health bar above it once hurt.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "content/tables/content_tables.h"
#include "engine/scene/action_manager.h"
#include "engine/scene/director.h"
#include "engine/sprite/sprite_batch_node.h"
#include "entities/core/entity_drawings.h"
#include "tests/view/entities_gl/entity_draw_fixture.h"
#include "tests/entities/mob_rows.h"
#include "view/entities/entity_drawing_factory.h"

namespace {

using namespace spritetest;

MobPartFrame partFrame(float x, float px) {
  MobPartFrame f{};
  const float values[7] = {x, 0, 8, 8, px, 0, 0};
  std::memcpy(f.data(), values, sizeof(values));
  return f;
}

class MobDraw : public EntityDrawFixture {
 protected:
  void SetUp() override {
    EntityDrawFixture::SetUp();
    // Left half red, right half blue.
    std::vector<uint8_t> rgba;
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 16; ++x) rgba.insert(rgba.end(), {uint8_t(x < 8 ? 255 : 0), 0, uint8_t(x < 8 ? 0 : 255), 255});
    }
    engine::Texture2D* parts = texture(16, 8, rgba);
    engine::InnerNode* mobNode = engine::InnerNode::create();
    camera_->addChild(mobNode, 21);
    engine::SpriteBatchNode* bars = engine::SpriteBatchNode::createWithTexture(solid(255, 255, 255));
    camera_->addChild(bars, 22);
    factory_.setLayers({world_.get(), nullptr, nullptr, nullptr, nullptr, {mobNode, parts, bars, nullptr}});

    const MobDef& row = entity_test::defineMob(7, entity_test::MobShape{.ai = 1, .width = 24, .height = 18});
    MobPartLayout& layout = contentTables().mobPartLayouts[7];
    layout.partModes = {1, 1};
    layout.animations = {{0, {partFrame(0, -8), partFrame(8, 8)}}};
    mob_ = entity_test::addMob(*lists_, row, 0, kLitSpot);
  }

  MobEntity* mob_ = nullptr;
};

TEST_F(MobDraw, ItsPartsShowTheirPicturesWhereTheFramesPutThemAndAHitFlashesThem) {
  ASSERT_NE(mob_->drawing(), nullptr);
  frame();
  EXPECT_TRUE(near(pixel(56, 64), kRed));
  EXPECT_TRUE(near(pixel(72, 64), kBlue));
  EXPECT_TRUE(near(pixel(64, 76), kBlack));  // no bar yet
  EXPECT_TRUE(near(pixel(40, 64), kBlack));

  mob_->face(true);
  mob_->health = mob_->row().maxHealth() * 0.5f;
  mob_->drawing()->setPosition(mob_->data);
  frame();
  // The hit flashes the mob red for a moment: the blue part loses most of its blue.
  EXPECT_TRUE(near(pixel(72, 64), kRed));
  EXPECT_TRUE(near(pixel(56, 64), {0, 0, 76, 255}));
  const Rgba bar = pixel(64, 76);
  EXPECT_NEAR(bar[0], 127, 3);  // the bar's colour carries the health
  engine::Director::getInstance()->getActionManager()->update(0.2f);
  frame();
  EXPECT_TRUE(near(pixel(56, 64), kBlue)) << "the flash is over";
}

TEST_F(MobDraw, ItsPartsTakeTheCellsLight) {
  MapBlock& dark = world_->map().cell(12, 6);
  dark.setSkyLevel(0);
  dark.blockLight = 8;  // a red nibble of 8 only
  mob_->drawing()->updateLight(dark);
  frame();
  EXPECT_TRUE(near(pixel(56, 64), {186, 0, 0, 255})) << "red 8 in the cells' shade";
  EXPECT_TRUE(near(pixel(72, 64), kBlack));
}

}  // namespace
