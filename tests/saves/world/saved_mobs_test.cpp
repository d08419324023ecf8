// Mobs and stabled animals through the world file with the real save links: the free mobs of
// groups 0, 2 and 3 and the animals of a stable come back, at their cells and in their state, once
// the entity lists take the loaded world; other groups and unknown rows do not.

#include <cstring>

#include "content/format/record_layout.h"
#include "content/loader/game_tables_loader.h"
#include "content/tables/mob_def.h"
#include "entities/core/world_entities.h"
#include "entities/mobs/mob_entity.h"
#include "entities/mobs/mob_factory.h"
#include "saves/world/entity_save_links.h"
#include "tests/entities/mob_rows.h"
#include "tests/saves/world/world_file_fixture.h"
#include "world/entities/world_entity_places.h"
#include "world/rules/logic.h"

namespace saves_test {
namespace {

constexpr uint16_t kRow = 12;
constexpr uint16_t kOtherRow = 13;
// The numbers the mob-to-item table saves the two mobs under: kRow as an adult, kOtherRow as
// kRow's young.
constexpr uint16_t kRowSaved = 40;
constexpr uint16_t kYoungSaved = 41;

// Rules that make the mobs a stable asks for in the lists of the world they serve.
class SpawningRules final : public NullLogic {
 public:
  explicit SpawningRules(World& world) : world_(world) {}
  MobEntity* spawnMob(const MobDef* row, engine::Vec2 at, engine::Vec2 motion, uint8_t, PlayerBase*,
                      uint8_t group) override {
    return entity_test::addMob(*world_.entities(), *row, group, at, motion);
  }

 private:
  World& world_;
};

void defineRow(uint16_t index) {
  MobDef& row = contentTables().mobDefs[index];
  row = MobDef{};
  row.bytes[content::mob_record::mobId] = static_cast<uint8_t>(index);
  row.bytes[content::mob_record::width] = row.bytes[content::mob_record::height] = 20;
  const float health = 8;
  std::memcpy(&row.bytes[content::mob_record::maxHealth], &health, 4);
}

class SavedMobs : public WorldFileTest {
 protected:
  void SetUp() override {
    WorldFileTest::SetUp();
    defineRow(kRow);
    defineRow(kOtherRow);
    GameTables tables;
    tables.mobItems = MobItemTable({{kRow, kRowSaved, 300, 0, 0, kOtherRow, kYoungSaved, 2407}});
    setGameTables(std::move(tables));
  }
  void TearDown() override {
    resetGameTables();
    WorldFileTest::TearDown();
  }
  // A world with its own lists and rules, as a session's world gets them.
  struct Served {
    explicit Served(std::unique_ptr<World> w)
        : world(std::move(w)), rules(*world), lists(madeLists(*world, rules, maker)) {}
    static WorldEntities& madeLists(World& world, SpawningRules& rules, WorldEntitiesMaker& maker) {
      world.setContext({.rules = &rules, .entities = &maker});
      return *world.entities();
    }
    WorldEntitiesMaker maker;
    std::unique_ptr<World> world;
    SpawningRules rules;
    WorldEntities& lists;
  };
  MobEntity& mobAt(Served& s, uint16_t row, int32_t x, int32_t y, uint8_t group) {
    return *entity_test::addMob(s.lists, contentTables().mobDefs[row], group, {x * 30.0f, y * 30.0f});
  }
  EntitySaveLinks real;
};

TEST_F(SavedMobs, AWorldWithMobsSavedAndLoadedKeepsThem) {
  Served before(makeWorld());
  mobAt(before, kRow, 10, 70, 0);
  mobAt(before, kOtherRow, 14, 71, 2);
  mobAt(before, kRow, 20, 72, 1);  // the caves' group is spawned anew, never kept
  const std::string path = dir_.file("mobs.dat");
  {
    kel::FileHandle file(path, kel::FileHandle::READ_WRITE_NEW);
    ASSERT_TRUE(writeWorldFile(file, entryFor(*before.world), *before.world, {}, real));
  }
  std::unique_ptr<World> loaded = makeWorld();
  {
    kel::FileHandle file(path, kel::FileHandle::READ);
    ASSERT_TRUE(readWorldFile(file, *loaded, real, nullptr));
  }
  EXPECT_EQ(loaded->mobSpawner().pendingMobs().size(), 2u) << "they wait for the lists";
  Served after(std::move(loaded));
  std::vector<std::tuple<int, int, int, int>> found;
  after.lists.mobs().forEach([&](const RealEntity& e) {
    const auto& mob = static_cast<const MobEntity&>(e);
    found.emplace_back(mob.data.cell->x, mob.data.cell->y, mob.populationGroup, mob.row().mobId());
  });
  std::sort(found.begin(), found.end());
  EXPECT_EQ(found, (std::vector<std::tuple<int, int, int, int>>{{10, 70, 0, kRow}, {14, 71, 2, kOtherRow}}));
  EXPECT_EQ(after.world->mobSpawner().groupCount(0), 1u);
  EXPECT_EQ(after.world->mobSpawner().groupCount(2), 1u);
}

TEST_F(SavedMobs, AStablesAnimalsComeBackWithTheirProgressAndFeeding) {
  Served before(makeWorld());
  MapBlock& cell = before.world->map().cell(8, 63);
  auto made = std::make_unique<Stable>(cell, *before.world);
  Stable& stable = *made;
  before.world->stables().add(std::move(made));
  ASSERT_TRUE(stable.restoreAnimal(kRow, 120, 5));
  ASSERT_TRUE(stable.restoreAnimal(kOtherRow, 30, 7));
  stable.spawnRestoredAnimals();
  ASSERT_EQ(stable.mobCount(), 2);
  const std::array<StabledAnimal, 3> kept = real.stabledAnimals(*before.world, stable);
  EXPECT_EQ(kept[0], (StabledAnimal{kRowSaved, 120, 5})) << "saved under its number, not its row";
  EXPECT_EQ(kept[1], (StabledAnimal{kYoungSaved, 30, 7})) << "a young mob under its parents' young number";

  Served after(makeWorld());
  MapBlock& again = after.world->map().cell(8, 63);
  auto restored = std::make_unique<Stable>(again, *after.world);
  Stable& back = *restored;
  after.world->stables().add(std::move(restored));
  real.restoreStabledAnimals(*after.world, back, {{{kRowSaved, 120, 5}, {kNoStableIndex, 0, 0}, {kRow, 1, 1}}});
  back.spawnRestoredAnimals();
  EXPECT_EQ(back.mobCount(), 1) << "a number the table does not give is dropped";
  EXPECT_EQ(back.mobKindAt(0), kRow);
  EXPECT_EQ(back.progressAt(0), 120);
  EXPECT_EQ(back.mobFedLevelAt(0), 5);
  EXPECT_EQ(after.world->mobSpawner().groupCount(4), 1u);
}

}  // namespace
}  // namespace saves_test
