#pragma once
// A local session with a small world of a planet whose waters have fish, its local player at cell
// (10, 20) with no critical luck, and mobs and arrows shaped in code: for the tests of what shots,
// blows and touches do between the player and a mob.

#include <cstring>

#include "content/format/record_layout.h"
#include "content/tables/bullet_def.h"
#include "content/tables/content_tables.h"
#include "content/tables/mob_def.h"
#include "entities/mobs/mob_entity.h"
#include "game/player/player_events.h"
#include "game/rules/local_logic.h"
#include "game/session/local_session.h"
#include "game/session/running_world.h"
#include "game/session/session_entities.h"
#include "tests/game/game_fixture.h"
#include "tests/game/session/side_session.h"

namespace game_test {

constexpr uint16_t kArrowRow = 5;
constexpr uint16_t kMobRow = 61;
constexpr uint32_t kPlanet = 0x80;  // a planet whose waters have fish

inline void putF32(content::RecordBytes<content::kBulletRecordSize>& row, size_t at, float value) {
  std::memcpy(&row.bytes[at], &value, 4);
}

class ShotAndCatchTest : public world_test::WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    addSurfacePlanet(kPlanet);
    WorldParams params;
    params.planetId = kPlanet;
    playIn(session, World::create(nullptr, params, 40, 30, session.context()), 10, 20, &events);
    player().stats.criticalChance = 0;
    session.entities().stepFrame(0);  // the lists take the session's world at their first step
  }
  void TearDown() override {
    session.end();
    WorldTest::TearDown();
  }

  PlayerDesktopLocal& player() { return *session.running().player; }
  World& world() { return *session.running().world; }
  WorldEntities& lists() { return session.entities().lists(); }
  uint32_t playerId() { return session.rules().playerIdOf(&player()); }
  void step(int ticks = 1) {
    for (int i = 0; i < ticks; ++i) session.entities().stepFrame(1.0f / 60.0f);
  }
  MobEntity& mobAt(engine::Vec2 at, float health) {
    MobDef& row = contentTables().mobDefs[kMobRow];
    row = MobDef{};
    row.bytes[content::mob_record::mobId] = kMobRow;
    row.bytes[content::mob_record::width] = row.bytes[content::mob_record::height] = 16;
    std::memcpy(&row.bytes[content::mob_record::maxHealth], &health, 4);
    MobEntity* mob = session.rules().spawnMob(&row, at, {}, 1, nullptr, 0);
    EXPECT_NE(mob, nullptr);
    return *mob;
  }
  static void defineArrow(float damage, float knockBack, uint8_t type) {
    namespace r = content::bullet_record;
    BulletDef& row = contentTables().bulletDefs[kArrowRow];
    row = BulletDef{};
    row.bytes[r::row] = kArrowRow;
    putF32(row, r::mobDamage, damage);
    putF32(row, r::knockBack, knockBack);
    putF32(row, r::lifetime, 5);
    putF32(row, r::size, 4);
    putF32(row, r::size + 4, 4);
    row.bytes[r::damageType] = type;
  }

  RecordingEvents events;
  LocalSession session;
};

}  // namespace game_test
