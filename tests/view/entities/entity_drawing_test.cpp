// Entities that join a world's lists get their drawing side on the layers the view handed over:
// where their sprites go, how they follow and colour, and that they leave with the entity.
#include <gtest/gtest.h>

#include <cstring>

#include "content/art/item_atlas_layout.h"
#include "content/items/item_pool.h"
#include "content/tables/content_tables.h"
#include "engine/render/texture2d.h"
#include "engine/scene/director.h"
#include "engine/sprite/sprite_batch_node.h"
#include "entities/core/entity_drawings.h"
#include "entities/items/treasure_entity.h"
#include "entities/projectiles/bullet_entity.h"
#include "entities/projectiles/bullet_factory.h"
#include "tests/entities/entity_world.h"
#include "tests/entities/mob_rows.h"
#include "tests/entities/projectile_rows.h"
#include "view/entities/entity_drawing_factory.h"
#include "view/entities/local_entity.h"
#include "view/entities/local_mob_entity.h"

namespace {

using namespace entity_test;

MobPartFrame frame(float x, float w, float px, float rotation) {
  MobPartFrame f{};
  const float values[7] = {x, 0, w, 10, px, 0, rotation};
  std::memcpy(f.data(), values, sizeof(values));
  return f;
}

class EntityDrawing : public EntityWorld {
 protected:
  EntityDrawing() {
    resetContentTables();
    WorldContext context = world->context();
    context.drawings = &factory;
    world->setContext(context);
    for (engine::Texture2D*& t : textures_) t = new engine::Texture2D();
    treasures = keep(engine::SpriteBatchNode::createWithTexture(textures_[0]));
    second = keep(engine::SpriteBatchNode::createWithTexture(textures_[0]));
    bullets = keep(engine::SpriteBatchNode::createWithTexture(textures_[1]));
    bars = keep(engine::SpriteBatchNode::createWithTexture(textures_[2]));
    mobNode = keep(engine::InnerNode::create());
    EntityLayers layers{world.get(), treasures, second, bullets, nullptr, {mobNode, textures_[3], bars, nullptr}};
    factory.setLayers(layers);
    factory.followPlayer(pixel(20));
  }
  ~EntityDrawing() override {
    lists.clearAll();
    for (engine::Node* node : kept_) node->release();
    for (engine::Texture2D* t : textures_) t->release();
    resetContentTables();
    engine::PoolManager::getCurrentPool()->clear();
    engine::Director::getInstance()->purgeDirector();
  }
  template <class T>
  T* keep(T* node) {
    node->retain();
    kept_.push_back(node);
    return node;
  }
  TreasureEntity& treasure(uint16_t count, int32_t x, int32_t y) {
    return static_cast<TreasureEntity&>(lists.add(std::make_unique<TreasureEntity>(
        *world, EntityKind::Treasure, newItem(120, 0, count, -1, 0), engine::Vec2{pixel(x), pixel(y)},
        &cell(x, y), 0, 0, 0)));
  }
  // A walker of two parts with an idle set (kind 0) and an attack set (kind 2).
  MobEntity& walker() {
    const MobDef& row = defineMob(7, MobShape{.ai = 1, .width = 24, .height = 18});
    MobPartLayout& layout = contentTables().mobPartLayouts[7];
    layout.partModes = {1, 1};
    layout.animations = {{0, {frame(0, 8, -4, 0), frame(10, 6, 4, 0)}},
                         {2, {frame(20, 8, -5, 30), frame(30, 6, 5, -30)}}};
    return *addMob(lists, row, 0, {pixel(12), pixel(6)});
  }

  EntityDrawingFactory factory;
  engine::SpriteBatchNode* treasures = nullptr;
  engine::SpriteBatchNode* second = nullptr;
  engine::SpriteBatchNode* bullets = nullptr;
  engine::SpriteBatchNode* bars = nullptr;
  engine::InnerNode* mobNode = nullptr;

 private:
  engine::Texture2D* textures_[4] = {};
  std::vector<engine::Node*> kept_;
};

TEST_F(EntityDrawing, AStackShowsASecondIconBesideTheFirst) {
  TreasureEntity& one = treasure(1, 10, 8);
  TreasureEntity& two = treasure(2, 11, 8);
  ASSERT_NE(one.drawing(), nullptr);
  EXPECT_EQ(treasures->getChildrenCount(), 2u);
  EXPECT_EQ(second->getChildrenCount(), 1u);
  const auto* stack = static_cast<LocalTreasureEntity*>(two.drawing());
  ASSERT_NE(stack->overlay(), nullptr);
  EXPECT_EQ(stack->node()->getTextureRect(), art::itemIconRect(120, 0));
  EXPECT_EQ(stack->overlay()->getTextureRect(), art::itemIconRect(120, 0));
  EXPECT_EQ(stack->overlay()->getPosition(), stack->node()->getPosition() + engine::Vec2(3, 1));
  EXPECT_EQ(static_cast<LocalTreasureEntity*>(one.drawing())->overlay(), nullptr);
  // The node knows its entity, and follows it.
  EXPECT_EQ(stack->node()->getUserData(), &two);
  two.data.x += 7;
  two.drawing()->setPosition(two.data);
  EXPECT_FLOAT_EQ(stack->overlay()->getPositionX(), pixel(11) + 10);

  // Both icons leave with the entity.
  two.data.removed = true;
  lists.tick();
  EXPECT_EQ(treasures->getChildrenCount(), 1u);
  EXPECT_EQ(second->getChildrenCount(), 0u);
}

TEST_F(EntityDrawing, TheCellsLightTintsTheSprite) {
  cell(10, 8).setSkyLevel(15);
  cell(10, 8).blockLight = static_cast<uint16_t>(12 | (3 << 4));
  world->dayClock().darkness = 5;
  TreasureEntity& lit = treasure(2, 10, 8);
  const auto* drawing = static_cast<LocalTreasureEntity*>(lit.drawing());
  EXPECT_EQ(drawing->node()->getColor(), (engine::Color3B{228, 208, 208}));
  EXPECT_EQ(drawing->overlay()->getColor(), (engine::Color3B{228, 208, 208}));
  // Night falls: a re-tint of the whole view darkens it to its block light, in that light's hue
  // (12, 3, 0 raised to 15, 6, 0) over what is left of the sky.
  world->dayClock().darkness = 12;
  EntityDrawingFactory::relightAll(lists);
  EXPECT_EQ(drawing->node()->getColor(), (engine::Color3B{228, 143, 110}));
}

TEST_F(EntityDrawing, AProjectileTakesItsRowsPictureAndTurns) {
  defineBullet(3, RowShape{.width = 8, .height = 4});
  BulletEntity* shot = createBulletEntity(lists, 3, 0, {pixel(10), pixel(10)}, 0, 0, 0, false, false);
  ASSERT_NE(shot, nullptr);
  ASSERT_EQ(bullets->getChildrenCount(), 1u);
  auto* sprite = static_cast<engine::Sprite*>(bullets->getChildren()[0]);
  EXPECT_EQ(sprite->getTextureRect().size, engine::Size(8, 4));
  shot->drawing()->setRotation(45);
  EXPECT_FLOAT_EQ(sprite->getRotation(), 45);

  // A sticking arrow shows its stuck picture once it stops.
  defineBullet(4, RowShape{.sticks = 1});
  putF32(contentTables().bulletDefs[4], content::bullet_record::stuckRect, 40);
  putF32(contentTables().bulletDefs[4], content::bullet_record::stuckRect + 8, 6);
  putF32(contentTables().bulletDefs[4], content::bullet_record::stuckRect + 12, 3);
  BulletEntity* arrow = createBulletEntity(lists, 4, 0, {pixel(12), pixel(10)}, 0, 0, 0, false, false);
  ASSERT_NE(arrow, nullptr);
  auto* arrowSprite = static_cast<engine::Sprite*>(bullets->getChildren()[1]);
  arrow->drawing()->setPosition(arrow->data);
  EXPECT_EQ(arrowSprite->getTextureRect().size, engine::Size(8, 4));
  arrow->data.moving = false;
  arrow->drawing()->setPosition(arrow->data);
  EXPECT_EQ(arrowSprite->getTextureRect(), engine::Rect(40, 0, 6, 3));
}

TEST_F(EntityDrawing, AMobIsAssembledFromItsPartsAndPlaysItsFrameSets) {
  MobEntity& mob = walker();
  auto* drawing = static_cast<LocalMobEntity*>(mob.drawing());
  ASSERT_NE(drawing, nullptr);
  ASSERT_EQ(drawing->node()->getChildrenCount(), 2u);
  EXPECT_EQ(mobNode->getChildrenCount(), 1u);
  EXPECT_EQ(drawing->node()->getPosition(), engine::Vec2(mob.data.x, mob.data.y));
  auto part = [&](size_t i) { return static_cast<engine::Sprite*>(drawing->node()->getChildren()[i]); };
  EXPECT_FLOAT_EQ(part(1)->getTextureRect().getMinX(), 10);
  EXPECT_EQ(part(1)->getPosition(), engine::Vec2(4, 0));

  // State 5 shows the frames of 2; state 8 changes nothing.
  drawing->playAnimation(5);
  EXPECT_FLOAT_EQ(part(0)->getTextureRect().getMinX(), 20);
  EXPECT_FLOAT_EQ(part(1)->getRotation(), -30);
  drawing->playAnimation(8);
  EXPECT_FLOAT_EQ(part(0)->getTextureRect().getMinX(), 20);
  EXPECT_EQ(drawing->shownState(), 5);
  drawing->playAnimation(3);  // idle shares the set of 0
  EXPECT_FLOAT_EQ(part(0)->getTextureRect().getMinX(), 0);

  // A step brings facing, animation and health along.
  mob.face(true);
  mob.animation = 2;
  mob.health = mob.row().maxHealth() * 0.5f;
  drawing->setPosition(mob.data);
  EXPECT_LT(drawing->node()->getScaleX(), 0);
  EXPECT_FLOAT_EQ(part(0)->getTextureRect().getMinX(), 20);
  ASSERT_NE(drawing->healthBar(), nullptr);
  EXPECT_EQ(drawing->healthBar()->getColor().r, 127);
  EXPECT_EQ(drawing->healthBar()->getPosition(), drawing->node()->getPosition() + engine::Vec2(0, 12));
  EXPECT_EQ(bars->getChildrenCount(), 1u);
  mob.face(false);
  drawing->setPosition(mob.data);
  EXPECT_GT(drawing->node()->getScaleX(), 0);

  mob.data.removed = true;
  lists.tick();
  EXPECT_EQ(mobNode->getChildrenCount(), 0u);
  EXPECT_EQ(bars->getChildrenCount(), 0u);
}

TEST_F(EntityDrawing, WithoutLayersOrForAnotherWorldNothingIsDrawn) {
  defineBullet(3, RowShape{});
  factory.setLayers({});
  TreasureEntity& undrawn = treasure(1, 10, 8);
  EXPECT_EQ(undrawn.drawing(), nullptr);
  // Handing the layers over later draws what joined before.
  factory.setLayers({world.get(), treasures, nullptr, bullets, nullptr, {}});
  factory.attachAll(lists);
  ASSERT_NE(undrawn.drawing(), nullptr);
  EXPECT_EQ(treasures->getChildrenCount(), 1u);

  std::unique_ptr<World> other = buildStoneWorld(1);
  WorldEntities otherLists(*other);
  BulletEntity* elsewhere = createBulletEntity(otherLists, 3, 0, {pixel(10), pixel(10)}, 0, 0, 0, false, false);
  ASSERT_NE(elsewhere, nullptr);
  EXPECT_EQ(elsewhere->drawing(), nullptr);
  // A mob needs the mob node and the parts' texture.
  MobEntity& mob = walker();
  EXPECT_EQ(mob.drawing(), nullptr);
  otherLists.clearAll();
}

}  // namespace
