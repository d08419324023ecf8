#pragma once
// Mob rows for mob tests, written into the content tables byte by byte (the tables are reset
// around each test that uses them).

#include <cstring>
#include <vector>

#include "content/format/record_layout.h"
#include "content/tables/content_tables.h"
#include "content/tables/mob_def.h"
#include "entities/core/world_entities.h"
#include "entities/mobs/mob_entity.h"
#include "entities/mobs/mob_factory.h"

namespace entity_test {

struct MobShape {
  uint8_t ai = 0;  // 0 jumper, 1 walker, 2 flyer, 3 floater
  uint32_t flags = 0;
  float health = 10;
  float idle = 60, walk = 60, attack = 90, attackChance = 1;
  float move = 2;
  uint8_t resistances[4] = {0, 0, 0, 0};
  int16_t shots = 0, bullet = -1;
  uint8_t width = 20, height = 20;
};

inline void putMobF32(MobDef& row, size_t at, float v) { std::memcpy(&row.bytes[at], &v, 4); }
inline void putMobU16(MobDef& row, size_t at, uint16_t v) {
  row.bytes[at] = static_cast<uint8_t>(v);
  row.bytes[at + 1] = static_cast<uint8_t>(v >> 8);
}

inline const MobDef& defineMob(uint16_t index, const MobShape& s) {
  namespace r = content::mob_record;
  MobDef& row = contentTables().mobDefs[index];
  row = MobDef{};
  putMobF32(row, r::maxHealth, s.health);
  putMobF32(row, r::idleTime, s.idle);
  putMobF32(row, r::walkTime, s.walk);
  putMobF32(row, r::attackTime, s.attack);
  putMobF32(row, r::attackChance, s.attackChance);
  putMobF32(row, r::moveStrength, s.move);
  putMobF32(row, r::moveStrength + 4, s.move);
  putMobF32(row, r::bulletSpeed, 1);
  putMobF32(row, r::bulletSpeed + 4, 1);
  std::memcpy(&row.bytes[r::flags], &s.flags, 4);
  for (size_t i = 0; i < 4; ++i) row.bytes[r::resistances + i] = s.resistances[i];
  putMobU16(row, r::mobId, index);
  putMobU16(row, r::shots, static_cast<uint16_t>(s.shots));
  putMobU16(row, r::bulletRow, static_cast<uint16_t>(s.bullet));
  row.bytes[r::width] = s.width;
  row.bytes[r::height] = s.height;
  row.bytes[r::movementKind] = s.ai;
  return row;
}

}  // namespace entity_test

namespace entity_test {

struct SpawnRowShape {
  uint32_t planet = 0;
  uint8_t group = 0;
  uint8_t smallest = 1, largest = 1;
  float lowDepth = 0, highDepth = 2;
  uint8_t lowLight = 255, highLight = 255;
  uint8_t phases = 15;
  uint8_t hostile = 0;
  uint64_t filter = uint64_t{1} << 32;  // any block but 0
  uint8_t liquid = 0;                   // the liquid kind the row lives in; 0 dry land
};

// Appends a spawn row producing the given mob rows.
inline void defineSpawnRow(const SpawnRowShape& s, std::vector<const MobDef*> mobs) {
  namespace r = content::mob_group_record;
  ContentTables& t = contentTables();
  MobGroupDef& row = t.mobGroupDefs[t.mobGroupCount++];
  row = MobGroupDef{};
  row.members = std::move(mobs);
  auto& b = row.record.bytes;
  std::memcpy(&b[r::standableBlocks], &s.filter, 8);
  const float probability = 1;
  std::memcpy(&b[r::probability], &probability, 4);
  std::memcpy(&b[r::depthRange], &s.lowDepth, 4);
  std::memcpy(&b[r::depthRange + 4], &s.highDepth, 4);
  b[r::lightRange] = s.lowLight;
  b[r::lightRange + 1] = s.highLight;
  b[r::packSize] = s.smallest;
  b[r::packSize + 1] = s.largest;
  b[r::dayPhases] = s.phases;
  b[r::mobCount] = static_cast<uint8_t>(row.members.size());
  std::memcpy(&b[r::planetId], &s.planet, 4);
  b[r::hostile] = s.hostile;
  b[r::spawnGroup] = s.group;
  b[r::liquid] = s.liquid;
}

}  // namespace entity_test

namespace entity_test {

// A mob of the row made straight into the lists (what the rules' spawnMob does).
inline MobEntity* addMob(WorldEntities& lists, const MobDef& row, uint8_t group, engine::Vec2 at,
                         engine::Vec2 motion = {}) {
  std::unique_ptr<RealEntity> mob = createMobEntity(*lists.world(), row, group, at, motion);
  return static_cast<MobEntity*>(&lists.add(std::move(mob)));
}

}  // namespace entity_test
