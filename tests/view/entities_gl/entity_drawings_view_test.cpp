// The entities of the world on screen get their sprites when the view is built and lose them when
// it is torn down while the world lives on (a picture taken of a running game): the world's
// entities then step on undrawn, and a view built again draws them afresh.

#include <gtest/gtest.h>

#include "content/items/item_pool.h"
#include "engine/sprite/sprite_batch_node.h"
#include "entities/core/world_entities.h"
#include "entities/items/treasure_entity.h"
#include "entities/items/treasure_factory.h"
#include "tests/view/world_view_fixture.h"
#include "view/entities/entity_drawing_factory.h"

namespace {

using namespace worldgl;

class EntityDrawingsView : public WorldViewTest {
 protected:
  void SetUp() override {
    WorldViewTest::SetUp();
    WorldContext context;
    context.entities = &maker;
    context.drawings = &factory;
    running.world->setContext(context);
    lists = running.world->entities();
  }
  void TearDown() override {
    layer->teardownWorldView();
    lists->clearAll();
    WorldViewTest::TearDown();
  }

  TreasureEntity& dropAt(engine::Vec2 at) {
    TreasureEntity* dropped = createTreasureEntity(*lists, newItem(world_test::kDirt, 0, 1, 0, 0), at, 0, 0, 0);
    EXPECT_NE(dropped, nullptr);
    return *dropped;
  }

  WorldEntitiesMaker maker;
  WorldEntities* lists = nullptr;  // the running world's own
  EntityDrawingFactory factory;
};

TEST_F(EntityDrawingsView, ATeardownTakesTheSpritesOfAWorldThatLivesOnAndABuildGivesThemBack) {
  TreasureEntity& before = dropAt({330, 330});
  build();
  ASSERT_NE(before.drawing(), nullptr) << "an entity that joined before the view was built";
  TreasureEntity& during = dropAt({360, 330});
  ASSERT_NE(during.drawing(), nullptr) << "one that joined while it is shown";
  const auto drawn = gameTextures().treasureBatch->getChildrenCount();
  EXPECT_GE(drawn, 2u);

  layer->teardownWorldView();
  EXPECT_EQ(before.drawing(), nullptr);
  EXPECT_EQ(during.drawing(), nullptr);
  EXPECT_EQ(gameTextures().treasureBatch->getChildrenCount(), drawn - 2) << "their sprites left the batch";
  EXPECT_EQ(dropAt({390, 330}).drawing(), nullptr) << "nothing is drawn without a view";
  lists->advance(1.0f / 20.0f);  // the world steps on with its entities undrawn

  build();
  lists->forEach([](const RealEntity& entity) { EXPECT_NE(entity.drawing(), nullptr); });
}

}  // namespace
