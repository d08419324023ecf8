// Each world owns its entities: two games in one process each see only their own world's mobs and
// items, a save writes the mobs of the world saved, and a game that travels from one world to
// another and back finds each world's entities where it left them.

#include <memory>
#include <utility>

#include "content/items/item.h"
#include "entities/core/world_entities.h"
#include "entities/mobs/mob_entity.h"
#include "game/session/session_entities.h"
#include "saves/world/entity_save_links.h"
#include "tests/entities/mob_rows.h"
#include "tests/game/session/side_session.h"
#include "tests/saves/world/world_file_fixture.h"
#include "world/cells/map_block.h"

namespace saves_test {
namespace {

constexpr uint16_t kMobRow = 12;
constexpr uint8_t kKeptGroup = 0;

class WorldOwnedEntities : public WorldFileTest {
 protected:
  void SetUp() override {
    WorldFileTest::SetUp();
    entity_test::defineMob(kMobRow, {.ai = 0});
  }

  // A session's new world, made with the session's context, entered by its player.
  static World& play(LocalSession& session) {
    game_test::playIn(session, World::create(nullptr, params(0), 0, 0, session.context()), 10, 10);
    return *session.running().world;
  }
  // A mob made by the session's rules, as the spawner makes one, where its world has open air.
  static MobEntity* spawnMob(LocalSession& session) {
    World& world = *session.running().world;
    const engine::Vec2 at{12 * 30.0f, static_cast<float>(world.map().height() - 5) * 30.0f};
    return session.rules().spawnMob(&contentTables().mobDefs[kMobRow], at, {}, 1, nullptr, kKeptGroup);
  }
  static size_t mobsOf(World& world) { return world.entities() != nullptr ? world.entities()->mobs().size() : 0; }

  EntitySaveLinks real;
};

TEST_F(WorldOwnedEntities, AMobAddedInOneGameIsNotSeenInTheOther) {
  LocalSession first;
  LocalSession second;
  World& here = play(first);
  World& there = play(second);
  ASSERT_NE(here.entities(), nullptr);
  ASSERT_NE(there.entities(), nullptr);
  EXPECT_NE(here.entities(), there.entities());

  ASSERT_NE(spawnMob(first), nullptr);
  EXPECT_EQ(mobsOf(here), 1u);
  EXPECT_EQ(mobsOf(there), 0u) << "the other world has no mob";
  EXPECT_EQ(first.entities().entityCount(), 1u);
  EXPECT_EQ(second.entities().entityCount(), 0u) << "the other game's rules count none";
  EXPECT_EQ(real.savedMobs(here).size(), 1u);
  EXPECT_TRUE(real.savedMobs(there).empty()) << "a save of the other world writes no mob";

  second.rules().spawnItemDrop(newItem(world_test::kDirt, 0, 1, -1, 0), {20 * 30.0f, 25 * 30.0f}, 0);
  EXPECT_EQ(there.entities()->count(), 1u);
  EXPECT_EQ(here.entities()->count(), 1u) << "the item fell in the other world only";
}

TEST_F(WorldOwnedEntities, AWorldLeftForAnotherKeepsItsEntitiesUntilTheGameComesBack) {
  LocalSession session;
  play(session);
  ASSERT_NE(spawnMob(session), nullptr);
  // Travel: the game plays another world while the first waits.
  std::unique_ptr<World> left(session.running().world.release());
  World& other = play(session);
  EXPECT_EQ(mobsOf(other), 0u) << "the mob stayed in its world";
  EXPECT_EQ(mobsOf(*left), 1u);
  session.rules().spawnItemDrop(newItem(world_test::kDirt, 0, 1, -1, 0), {20 * 30.0f, 25 * 30.0f}, 0);
  EXPECT_EQ(other.entities()->count(), 1u);

  // And back: the first world's mob is still there, and the rules reach it.
  game_test::playIn(session, std::move(left), 10, 10);
  EXPECT_EQ(session.entities().entityCount(), 1u);
  EXPECT_EQ(mobsOf(*session.running().world), 1u);
}

TEST_F(WorldOwnedEntities, AWorldSavedAndTravelledBackToBringsItsMobsAndNoneOfTheOther) {
  LocalSession session;
  World& first = play(session);
  MobEntity* mob = spawnMob(session);
  ASSERT_NE(mob, nullptr);
  const int32_t mobX = mob->data.cell->x;
  const int32_t mobY = mob->data.cell->y;
  const std::string path = dir_.file("first.dat");
  {
    kel::FileHandle file(path, kel::FileHandle::READ_WRITE_NEW);
    ASSERT_TRUE(writeWorldFile(file, entryFor(first), first, {}, real));
  }
  // Travel on: the first world goes, the next one gets a mob of its own.
  World& next = play(session);
  EXPECT_EQ(mobsOf(next), 0u);
  ASSERT_NE(spawnMob(session), nullptr);

  // Travel back: the first world read from its file, then given the game's context.
  std::unique_ptr<World> back = makeWorld();
  {
    kel::FileHandle file(path, kel::FileHandle::READ);
    ASSERT_TRUE(readWorldFile(file, *back, real, nullptr));
  }
  EXPECT_EQ(real.savedMobs(*back).size(), 1u) << "a world saved before its mobs are made keeps them";
  back->setContext(session.context());
  game_test::playIn(session, std::move(back), 10, 10);
  World& again = *session.running().world;
  ASSERT_EQ(mobsOf(again), 1u) << "the saved mob only, not the other world's";
  const RealEntity& found = again.entities()->mobs().at(0);
  EXPECT_EQ(found.data.cell->x, mobX);
  EXPECT_EQ(found.data.cell->y, mobY);
  EXPECT_EQ(session.entities().entityCount(), 1u);
}

}  // namespace
}  // namespace saves_test
