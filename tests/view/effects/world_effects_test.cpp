// The table of tile and entity events: which particles, sounds and tile hits each kind plays.

#include "view/effects/world_effects.h"

#include <gtest/gtest.h>

#include <vector>

#include "content/tables/content_tables.h"
#include "entities/particles/debris_list.h"
#include "tests/entities/entity_world.h"
#include "tests/entities/mob_rows.h"
#include "tests/world/world_recorders.h"
#include "view/effects/tile_hits.h"

namespace {

using entity_test::kGround;

class RecordingTiles final : public TileHits {
 public:
  bool animateTileHit(MapBlock& cell) override {
    hits.push_back(cell.x);
    return inWindow;
  }
  void showTileOverlay(engine::Vec2 position) override { overlays.push_back(position); }
  bool inWindow = true;
  std::vector<int> hits;
  std::vector<engine::Vec2> overlays;
};

class HealthDrawing final : public EntityDrawing {
 public:
  void setPosition(const EntityData&) override {}
  void updateLight(const MapBlock&) override {}
  void showHealth(float fraction) override { shown.push_back(fraction); }
  std::vector<float> shown;
};

class WorldEffectsTest : public entity_test::EntityWorld {
 protected:
  WorldEffectsTest() : effects(*world, tiles) {
    resetContentTables();
    world->setContext({.rules = &rules, .sounds = &sounds, .effects = &lists});
  }
  ~WorldEffectsTest() override { resetContentTables(); }

  std::vector<uint16_t> soundIds() const {
    std::vector<uint16_t> ids;
    for (const auto& p : sounds.played) ids.push_back(p.id);
    return ids;
  }

  world_test::RecordingSounds sounds;
  RecordingTiles tiles;
  WorldEffects effects;
};

TEST_F(WorldEffectsTest, AHitOnAnEmptyCellDoesNothing) {
  MapBlock& air = cell(5, kGround + 3);
  EXPECT_FALSE(effects.playTileEffect(air, 10));
  EXPECT_FALSE(effects.playTileEffect(air, 14));
  EXPECT_TRUE(sounds.played.empty());
  EXPECT_TRUE(tiles.hits.empty());
  EXPECT_EQ(lists.debris().size(), 0u);
}

TEST_F(WorldEffectsTest, AHitChipsTheFrontBlockOrElseTheBackOneAndAnswersTheWindow) {
  MapBlock& stone = cell(5, kGround);
  EXPECT_TRUE(effects.playTileEffect(stone, 10));
  EXPECT_EQ(lists.debris().size(), 4u);
  ASSERT_EQ(sounds.played.size(), 1u);
  EXPECT_EQ(sounds.played[0].id, 0);
  EXPECT_EQ(sounds.played[0].value, entity_test::kStone);

  MapBlock& wall = cell(6, kGround + 2);
  wall.setLayer(7, 0, MapBlock::kBack);
  tiles.inWindow = false;
  EXPECT_FALSE(effects.playTileEffect(wall, 11));
  EXPECT_EQ(sounds.played.back().value, 7);
  EXPECT_EQ(tiles.hits, (std::vector<int>{5, 6}));
}

TEST_F(WorldEffectsTest, ABreakAddsFifteenFineChipsOnlyWhenTheHitLanded) {
  MapBlock& stone = cell(5, kGround);
  EXPECT_TRUE(effects.playTileEffect(stone, 14));
  EXPECT_EQ(lists.debris().size(), 4u + 15u);
  tiles.inWindow = false;
  EXPECT_FALSE(effects.playTileEffect(cell(7, kGround), 14));
  EXPECT_EQ(lists.debris().size(), 4u + 15u + 4u);
}

TEST_F(WorldEffectsTest, BurstKindsPlayTheirSoundsAndTheOverlayShowsOverTheCell) {
  MapBlock& at = cell(3, kGround + 1);
  for (uint8_t kind : {15, 16, 17, 18, 19, 20, 21, 22, 99}) EXPECT_FALSE(effects.playTileEffect(at, kind));
  EXPECT_EQ(soundIds(), (std::vector<uint16_t>{50, 67, 43, 44, 53}));
  EXPECT_FALSE(effects.playTileEffect(at, 13));
  ASSERT_EQ(tiles.overlays.size(), 1u);
  EXPECT_EQ(tiles.overlays[0], engine::Vec2(90, float(30 * (kGround + 1))));
}

TEST_F(WorldEffectsTest, EntityEventsOfAMobShowItsHealthAndPlayItsVoice) {
  EXPECT_TRUE(effects.playEntityEffect(nullptr, 25, 10));
  const MobDef& row = entity_test::defineMob(12, {});
  MobEntity* mob = entity_test::addMob(lists, row, 0, {pixel(4), pixel(kGround + 1)});
  auto drawing = std::make_unique<HealthDrawing>();
  HealthDrawing* shown = drawing.get();
  mob->attachDrawing(std::move(drawing));

  EXPECT_TRUE(effects.playEntityEffect(mob, 25, 51));
  ASSERT_EQ(shown->shown.size(), 1u);
  EXPECT_FLOAT_EQ(shown->shown[0], 0.2f);
  EXPECT_TRUE(effects.playEntityEffect(mob, 27, 0));
  EXPECT_EQ(shown->shown.size(), 1u);  // a death shows no bar
  EXPECT_EQ(soundIds(), (std::vector<uint16_t>{8, 7}));
  EXPECT_EQ(sounds.played[0].value, row.mobId());
  EXPECT_EQ(lists.debris().size(), 5u + 10u);
}

TEST_F(WorldEffectsTest, PlacelessSoundsAndParticleOnlyKinds) {
  entity_test::Probe& thing = probe(4, kGround + 1);
  EXPECT_FALSE(effects.playEntityEffect(&thing, 28, 0));
  ASSERT_EQ(sounds.played.size(), 1u);
  EXPECT_EQ(sounds.played[0].id, 48);
  EXPECT_EQ(sounds.played[0].x, world_test::RecordingSounds::kNowhere);
  // Mob kinds on something that is not a mob, and bullet kinds on something that is not a bullet,
  // play nothing of the mob or bullet.
  EXPECT_TRUE(effects.playEntityEffect(&thing, 25, 0));
  EXPECT_FALSE(effects.playEntityEffect(&thing, 32, 0));
  EXPECT_EQ(sounds.played.size(), 1u);
}

TEST_F(WorldEffectsTest, AStepSoundsOfTheFirstDecorationThatHasOne) {
  MapBlock& floor = cell(8, kGround);
  effects.playTileSound(floor);
  EXPECT_EQ(sounds.played.back().value, entity_test::kStone);
  namespace r = content::block_record;
  BlockDef& carpet = contentTables().blockDefs[300];
  carpet.record.bytes[r::sounds + 4] = 3;  // the third sound slot: a step sound
  carpet.record.bytes[r::sounds + 5] = 0;
  BlockDef& moss = contentTables().blockDefs[200];
  moss.record.bytes[r::sounds + 4] = 0xFF;  // -1: no step sound of its own
  moss.record.bytes[r::sounds + 5] = 0xFF;
  floor.addDeco(200, 0, MapBlock::kFront);
  floor.addDeco(300, 0, MapBlock::kFront);
  effects.playTileSound(floor);
  EXPECT_EQ(sounds.played.back().id, 10);
  EXPECT_EQ(sounds.played.back().value, 300);
}

}  // namespace
