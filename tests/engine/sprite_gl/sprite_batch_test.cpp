// Sprite batches: the atlas bookkeeping, and drawing whole batches in one call each.
#include <gtest/gtest.h>

#include "director_fixture.h"
#include "engine/render/texture2d.h"
#include "engine/sprite/sprite.h"
#include "engine/sprite/sprite_batch_node.h"
#include "engine/sprite/texture_atlas.h"
#include "engine/sprite/texture_atlas_template.h"

using namespace engine;
using namespace spritetest;

namespace {

using SpriteBatchTest = DirectorFixture;

Sprite* childAt(SpriteBatchNode* batch, float x, float y, int z = 0, float scale = 8.0f) {
  Sprite* sprite = Sprite::createWithTexture(batch->getTexture());
  sprite->setScale(scale);
  sprite->setPosition(x, y);
  batch->addChild(sprite, z);
  return sprite;
}

// The x of the bottom-left corner of the atlas quad at the index.
float quadX(SpriteBatchNode* batch, int64_t index) {
  return batch->getTextureAtlas()->getQuads()[index].bl.vertices.x;
}

TEST_F(SpriteBatchTest, TheAtlasGrowsByAThirdPlusOneUntilAnInsertedQuadFits) {
  SpriteBatchNode* batch = SpriteBatchNode::createWithTexture(solid(255, 0, 0), 0);
  ASSERT_NE(batch, nullptr);
  EXPECT_EQ(batch->getTextureAtlas()->getCapacity(), 29);
  for (int i = 0; i < 30; ++i) childAt(batch, 0, 0);
  EXPECT_EQ(batch->getTextureAtlas()->getCapacity(), 40);

  SpriteBatchNode* letters = SpriteBatchNode::createWithTexture(solid(255, 0, 0), 0);
  Sprite* letter = Sprite::createWithTexture(letters->getTexture());
  ASSERT_TRUE(letters->insertQuadFromSprite(letter, 40));
  EXPECT_EQ(letters->getTextureAtlas()->getCapacity(), 54);  // 29, 39, 53: too few
  EXPECT_EQ(letters->getTextureAtlas()->getTotalQuads(), 41);
  EXPECT_EQ(letters->getChildrenCount(), 0u);  // placed, not adopted
  EXPECT_FALSE(letters->insertQuadFromSprite(letter, -1));
}

TEST_F(SpriteBatchTest, RemovingAChildShiftsTheQuadsAndRenumbers) {
  SpriteBatchNode* batch = SpriteBatchNode::createWithTexture(solid(255, 0, 0));
  Sprite* first = childAt(batch, 10, 10);
  first->retain();
  Sprite* second = childAt(batch, 20, 20);
  Sprite* third = childAt(batch, 30, 30);
  batch->removeChild(first);
  EXPECT_EQ(batch->getTextureAtlas()->getTotalQuads(), 2);
  EXPECT_EQ(second->getAtlasIndex(), 0);
  EXPECT_EQ(third->getAtlasIndex(), 1);
  EXPECT_EQ(first->getBatchNode(), nullptr);

  // The unlinked sprite draws on its own again from its own rectangle.
  EXPECT_FLOAT_EQ(first->getQuad().tr.vertices.x, 1.0f);
  first->setColor(Color3B{0, 0, 255});  // must not touch the batch's atlas
  EXPECT_EQ(batch->getTextureAtlas()->getTotalQuads(), 2);
  first->release();
}

TEST_F(SpriteBatchTest, ReorderingSortsTheQuadsAtTheNextDraw) {
  SpriteBatchNode* batch = SpriteBatchNode::createWithTexture(solid(255, 0, 0));
  scene_->addChild(batch);
  Sprite* a = childAt(batch, 10, 10);
  Sprite* b = childAt(batch, 20, 20);
  Sprite* c = childAt(batch, 30, 30);
  frame();
  EXPECT_LT(quadX(batch, 0), quadX(batch, 2));

  batch->reorderChild(c, -1);
  EXPECT_EQ(c->getAtlasIndex(), 2);  // nothing moves before the sort
  frame();
  EXPECT_EQ(c->getAtlasIndex(), 0);
  EXPECT_EQ(a->getAtlasIndex(), 1);
  EXPECT_EQ(b->getAtlasIndex(), 2);
  EXPECT_FLOAT_EQ(quadX(batch, 0), 26.0f);  // c: 30 - 8 / 2

  // With sorting off children keep their insertion order.
  SpriteBatchNode* unsorted = SpriteBatchNode::createWithTexture(solid(255, 0, 0), 0, false);
  scene_->addChild(unsorted);
  childAt(unsorted, 10, 10, 5);
  Sprite* low = childAt(unsorted, 20, 20, -5);
  frame();
  EXPECT_EQ(low->getAtlasIndex(), 1);
}

TEST_F(SpriteBatchTest, ManySpritesDrawInOneCall) {
  SpriteBatchNode* batch = SpriteBatchNode::createWithTexture(solid(0, 255, 0));
  scene_->addChild(batch);
  for (int i = 0; i < 1000; ++i) {
    childAt(batch, static_cast<float>(2 + (i % 32) * 4), static_cast<float>(2 + (i / 32) * 4),
            0, 4.0f);
  }
  frame();
  EXPECT_EQ(renderer()->getDrawCallCount(), 1u);
  EXPECT_TRUE(near(pixel(126, 122), kGreen));  // row 30, the last full row
  EXPECT_TRUE(near(pixel(126, 126), kBlack));  // row 31 is only partly filled

  // An unchanged batch uploads nothing new, and a moved child shows up in the next frame.
  EXPECT_FALSE(batch->getTextureAtlas()->isDirty());
  auto* first = static_cast<Sprite*>(batch->getChildren()[0]);
  first->setPosition(126.0f, 126.0f);
  frame();
  EXPECT_TRUE(near(pixel(126, 126), kGreen));
  EXPECT_TRUE(near(pixel(2, 2), kBlack));
}

TEST_F(SpriteBatchTest, BatchesDrawInZOrderAndChildrenWithinThem) {
  SpriteBatchNode* reds = SpriteBatchNode::createWithTexture(solid(255, 0, 0));
  SpriteBatchNode* blues = SpriteBatchNode::createWithTexture(solid(0, 0, 255));
  scene_->addChild(reds, 1);
  scene_->addChild(blues, 0);
  childAt(reds, 60, 64, 0, 20.0f);
  childAt(blues, 68, 64, 0, 20.0f);
  frame();
  EXPECT_TRUE(near(pixel(64, 64), kRed));

  scene_->reorderChild(blues, 2);
  frame();
  EXPECT_TRUE(near(pixel(64, 64), kBlue));

  // Inside one batch the child with the higher z is drawn last.
  Sprite* under = childAt(blues, 64, 20, 0, 10.0f);
  Sprite* over = childAt(blues, 64, 20, 1, 10.0f);
  under->setColor(Color3B{0, 0, 0});
  frame();
  EXPECT_TRUE(near(pixel(64, 20), kBlue));
  blues->reorderChild(under, 2);
  frame();
  EXPECT_TRUE(near(pixel(64, 20), kBlack));
  EXPECT_EQ(over->getAtlasIndex() + 1, under->getAtlasIndex());
}

TEST_F(SpriteBatchTest, ASpriteOfAnotherBatchNeitherJoinsNorLeavesThisOne) {
  SpriteBatchNode* mine = SpriteBatchNode::createWithTexture(solid(255, 0, 0));
  SpriteBatchNode* theirs = SpriteBatchNode::createWithTexture(solid(255, 0, 0));
  Sprite* own = childAt(mine, 10, 10);
  Sprite* stranger = childAt(theirs, 20, 20);

  mine->removeChild(stranger);  // not ours: our quad and their link stay
  EXPECT_EQ(mine->getTextureAtlas()->getTotalQuads(), 1);
  EXPECT_EQ(own->getAtlasIndex(), 0);
  EXPECT_EQ(stranger->getBatchNode(), theirs);

  mine->addChild(stranger);  // still held by the other batch
  EXPECT_EQ(mine->getChildrenCount(), 1u);
  EXPECT_EQ(mine->getTextureAtlas()->getTotalQuads(), 1);
  EXPECT_EQ(stranger->getParent(), theirs);
  EXPECT_EQ(stranger->getBatchNode(), theirs);
}

TEST_F(SpriteBatchTest, ChildrenOutlivingTheirBatchAreUnlinked) {
  SpriteBatchNode* batch = SpriteBatchNode::createWithTexture(solid(255, 0, 0));
  batch->retain();
  Sprite* survivor = childAt(batch, 0, 0);
  survivor->retain();
  batch->release();
  PoolManager::getCurrentPool()->clear();  // the batch goes
  EXPECT_EQ(survivor->getBatchNode(), nullptr);
  EXPECT_EQ(survivor->getTextureAtlas(), nullptr);
  survivor->setOpacity(10);  // would write into the freed atlas
  survivor->release();
}

TEST_F(SpriteBatchTest, SixteenBitAtlasesStopWhereTheirIndicesEnd) {
  auto* atlas = TextureAtlasTemplate<unsigned short>::create(solid(1, 2, 3), 16384);
  ASSERT_NE(atlas, nullptr);
  EXPECT_EQ(atlas->getIndex(16383 * 6 + 3), 65535u);
  EXPECT_FALSE(atlas->resizeCapacity(16385));
  EXPECT_EQ(atlas->getCapacity(), 16384);
  EXPECT_EQ(TextureAtlasTemplate<unsigned short>::create(solid(1, 2, 3), 20000), nullptr);
}

}  // namespace
