#include "entities/effects/projectile_effects.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "content/tables/content_tables.h"
#include "entities/core/world_entities.h"
#include "entities/effects/effect_hooks.h"
#include "entities/effects/effect_world.h"
#include "entities/particles/debris_presets.h"
#include "entities/projectiles/bullet_entity.h"
#include "entities/projectiles/bullet_factory.h"
#include "world/cells/block_flags.h"
#include "world/cells/map_block.h"
#include "world/edits/cell_edit.h"
#include "world/edits/edit_kind.h"
#include "world/map/world_map.h"
#include "world/rules/logic.h"
#include "world/seams/entity_effects.h"
#include "world/world.h"

namespace projectile_effect {

namespace {

constexpr float kRearmTicks = 30;
constexpr float kStickInset = 13;  // two pixels inside the wall cell
constexpr uint8_t kChipEffect = 11;
constexpr uint8_t kReleaseEffect = 19;
constexpr uint16_t kFireworkSound = 42;

MapBlock* wallCell(BulletEntity& bullet, uint8_t side) {
  MapBlock* cell = bullet.data.cell;
  if (cell == nullptr) return nullptr;
  WorldMap& map = bullet.world().map();
  switch (side & 3) {
    case 0: return cell->neighbourLeft(map);
    case 1: return cell->neighbourDown(map);
    case 2: return cell->neighbourRight(map);
    default: return cell->neighbourUp(map);
  }
}

void stickTo(BulletEntity& bullet, uint8_t side, bool turn) {
  MapBlock* wall = wallCell(bullet, side);
  if (wall == nullptr) {
    bullet.data.removed = true;
    return;
  }
  bullet.data.cell = wall;
  const engine::Vec2 centre = cellPixelPosition(*wall);
  const float atX = centre.x;
  const float atY = centre.y;
  const bool horizontal = (side & 1) == 0;
  const float inset = side <= 1 ? kStickInset : -kStickInset;
  if (horizontal) {
    bullet.data.cellX = atX;
    bullet.data.x = atX + inset;
  } else {
    bullet.data.cellY = atY;
    bullet.data.y = atY + inset;
  }
  static constexpr float kTurn[] = {90, 0, 270, 180};
  if (turn) bullet.setRotation(kTurn[side & 3]);
  bullet.onRest();
  bullet.data.moving = false;
  bullet.data.vx = bullet.data.vy = 0;
}

// 1 + up to a half as the lifetime runs out.
void swell(BulletEntity& bullet) {
  const float spent = bullet.lifeTotal > 0 ? 1 - bullet.lifeLeft / bullet.lifeTotal : 0;
  bullet.spriteScale = 1 + spent * 0.5f;
}

engine::Vec2 positionOf(const BulletEntity& bullet) { return {bullet.data.x, bullet.data.y}; }

void trailParticle(BulletEntity& bullet) {
  if (bullet.data.cell == nullptr) return;
  if (DebrisList* particles = effect::particlesOf(bullet.world())) spawnTrailParticle(*particles, positionOf(bullet));
}

int colourCount(uint32_t word) {
  int n = 0;
  for (int i = 0; i < 4; ++i) n += ((word >> (4 * i)) & 15) != 0 ? 1 : 0;
  return n;
}

int subRocketCount(uint16_t row, int colours) {
  if (row == 24 || row == 35) return colours < 2 ? 0 : 5;
  if (row == 25) return colours == 2 ? 2 : colours + 1;
  return 5;
}

int16_t subRocketRow() {
  const ItemDef* firework = itemDefinitionById(kFireworkItem);
  return firework != nullptr ? firework->rangedOrDefault().bulletRow() : -1;
}

void launchSubRockets(BulletEntity& bullet, int count) {
  WorldEntities* lists = bullet.world().entities();
  const uint32_t next = (bullet.extra & 0xFFFF) >> 4;
  const int16_t row = subRocketRow();
  if (lists == nullptr || next == 0 || row < 0) return;
  for (int i = 0; i < count; ++i) {
    const float speed = 3 + effect::unit();
    const float angle = effect::radians(effect::unit() * 180);
    Entity* rocket =
        createBulletEntity(*lists, row, bullet.ownerId(), positionOf(bullet), speed, angle, next, false, false);
    // A host's players see them fly and burst in the next colour too.
    if (rocket != nullptr) bullet.world().rules().effectMadeEntity(rocket);
  }
}

}  // namespace

void stick(BulletEntity& bullet, uint8_t side) { stickTo(bullet, side, true); }

void stickAndRearm(BulletEntity& bullet, uint8_t side) {
  stickTo(bullet, side, false);
  if (bullet.data.removed) return;
  bullet.lifeLeft = bullet.lifeTotal = kRearmTicks;
}

void fuseTick(BulletEntity& bullet) {
  if (effect::chance(0.5f)) trailParticle(bullet);
  if (!bullet.data.moving) swell(bullet);
}

void timedBlast(BulletEntity& bullet) {
  World& world = bullet.world();
  if (!effect::hasRules(world) || bullet.data.cell == nullptr) return;
  PlayerBase* shooter = effect::playerOf(world, bullet.ownerId());
  // The same door as every blast: the explosives rule of the world decides.
  world.explosions().add(*bullet.data.cell, shooter, kSmallBlast, 0.0f, 1);
}

void glide(BulletEntity& bullet) {
  const float speed = std::fabs(bullet.data.vx);
  if (speed > 8) bullet.data.impulseY += 0.24f * (std::max(15.0f, speed) - 8) / 7;
}

void blastOnEnd(BulletEntity& bullet, const BlastSpec& spec) {
  World& world = bullet.world();
  if (!effect::hasRules(world) || bullet.data.cell == nullptr) return;
  world.explosions().add(*bullet.data.cell, effect::playerOf(world, bullet.ownerId()), spec, 0.0f, 1);
}

void swellingSmoke(BulletEntity& bullet) {
  swell(bullet);
  if (!effect::chance(0.25f) || bullet.data.cell == nullptr) return;
  DebrisList* particles = effect::particlesOf(bullet.world());
  if (particles == nullptr) return;
  const uint32_t count = effect::draw() % 3;
  const float speed = 2 + effect::unit();
  const float angle = effect::radians(135.0f - static_cast<float>(effect::draw() % 90));
  spawnDirectedParticle(*particles, count, positionOf(bullet), speed, angle, 0);
}

void chipTheWall(BulletEntity& bullet, uint8_t side) {
  World& world = bullet.world();
  if (!effect::hasRules(world)) return;
  MapBlock* wall = wallCell(bullet, side);
  if (wall == nullptr) return;
  LogicCells& rules = world.rules();
  LogicPlayers& players = world.rules();
  const BlockDef* def = blockDefinitionById(wall->frontId());
  if (effect::chance(0.2f) && def != nullptr && def->record.hasFlag(block_flag::kBreakable)) {
    rules.editBlock(editForCell(*wall, edit_kind::kBreakEffects, wall->frontId()), nullptr);
    return;
  }
  players.playCellEffect(nullptr, *wall, kChipEffect, EffectAudience::Everyone);
}

void releaseMob(BulletEntity& bullet) {
  World& world = bullet.world();
  MapBlock* cell = bullet.data.cell;
  if (!effect::hasRules(world) || cell == nullptr) return;
  if (effect::lockRefuses(world, effect::playerOf(world, bullet.ownerId()))) return;
  const std::vector<SpawnableMob>& table = contentTables().spawnableMobs;
  uint32_t row = bullet.extra & 0xFFFF;
  if (bullet.row() == kRandomCapsuleRow) {
    if (table.empty()) return;
    row = table[effect::draw() % table.size()].mobRow;
  } else if (!isSpawnableMob(row)) {
    return;  // the capsule's word came with the item, perhaps from a peer: only spawnable mobs
  }
  effectHooksOf(world).spawnMob(world, {.row = static_cast<uint16_t>(row),
                                        .group = 0,
                                        .position = cellPixelPosition(*cell),
                                        .cell = cell,
                                        .strength = 0.15f,
                                        .angle = effect::radians(90),
                                        .forced = true});
  world.rules().playCellEffect(nullptr, *cell, kReleaseEffect, EffectAudience::Everyone);
}

void trail(BulletEntity& bullet) {
  if (effect::chance(0.5f)) trailParticle(bullet);
}

void fireworkBurst(BulletEntity& bullet) {
  World& world = bullet.world();
  const uint16_t row = bullet.row();
  const int colours = colourCount(bullet.extra);
  if (effect::hasRules(world)) launchSubRockets(bullet, subRocketCount(row, colours));
  const bool rocket = row == 24 || row == 35;
  uint32_t sparks = 0;
  if (rocket) {
    sparks = 40 + effect::draw() % 21;
  } else {
    sparks = static_cast<uint32_t>(std::max(0, (4 - colours + static_cast<int>(effect::draw() % 5)) * colours));
  }
  MapBlock* cell = bullet.data.cell;
  if (cell != nullptr && effect::hasRules(world) && (rocket || effect::chance(0.2f))) {
    world.rules().playSound(*cell, kFireworkSound, row);
  }
  DebrisList* particles = effect::particlesOf(world);
  if (particles == nullptr) return;
  const auto colour = static_cast<uint8_t>(bullet.extra & ~uint32_t{0xF0});
  for (uint32_t i = 0; i < sparks; ++i) spawnFireworkSparks(*particles, cell, positionOf(bullet), colour);
}

}  // namespace projectile_effect
