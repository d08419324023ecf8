#include "view/effects/world_effects.h"

#include "content/tables/content_tables.h"
#include "entities/core/entity.h"
#include "entities/effects/effect_world.h"
#include "entities/mobs/mob_entity.h"
#include "entities/particles/debris_presets.h"
#include "entities/projectiles/bullet_entity.h"
#include "view/effects/tile_hits.h"
#include "world/cells/map_block.h"
#include "world/seams/cell_sounds.h"
#include "world/seams/entity_effects.h"
#include "world/world.h"

namespace {

// Sound ids of the sound table that these events play.
enum Sound : uint16_t {
  kBlockHit = 0,
  kMobHurt = 8,
  kMobDeath = 7,
  kFootstep = 10,
  kBulletHitWall = 41,
  kBulletHit = 42,
  kBurst43 = 43,
  kBurst44 = 44,
  kLavaBurn = 48,
  kBurst50 = 50,
  kSplash = 52,
  kBurst53 = 53,
  kPoof = 58,
  kSizzle = 65,
  kBurst67 = 67,
};

// The step sound is a block's third sound slot.
constexpr int kFootstepSlot = 2;

const MobEntity* asMob(const Entity& entity) {
  return entity.kind() == EntityKind::Mob || entity.kind() == EntityKind::Pet ? static_cast<const MobEntity*>(&entity)
                                                                               : nullptr;
}

const BulletEntity* asBullet(const Entity& entity) {
  return entity.kind() == EntityKind::Bullet ? static_cast<const BulletEntity*>(&entity) : nullptr;
}

DebrisRect spriteRectOf(const MobEntity& mob) {
  const MobDef& row = mob.row();
  return {uint16_t(row.spriteRect(0)), uint16_t(row.spriteRect(1)), uint16_t(row.spriteRect(2)),
          uint16_t(row.spriteRect(3))};
}

}  // namespace

bool WorldEffects::playBlockHit(MapBlock& cell) {
  const uint16_t word = cell.frontId() != 0 ? cell.front : cell.back;
  if (block_word::id(word) == 0) return false;
  if (DebrisList* particles = effect::particlesOf(world_)) {
    // The back layer's chips are darker, like its sprite.
    spawnCutDebris(*particles, block_word::id(word), block_word::variant(word), !block_word::isFront(word), 4, cell,
                   15);
  }
  world_.sounds().playAt(cell, kBlockHit, block_word::id(word));
  return tiles_.animateTileHit(cell);
}

void WorldEffects::playTileBurst(MapBlock& cell, uint16_t list, uint32_t count) {
  if (DebrisList* particles = effect::particlesOf(world_)) spawnTileDebris(*particles, list, count, cell, 0, false);
}

bool WorldEffects::playTileEffect(MapBlock& cell, uint8_t kind) {
  CellSounds& sounds = world_.sounds();
  switch (kind) {
    case 10:
    case 11: return playBlockHit(cell);
    case 12: return tiles_.animateTileHit(cell);
    case 13: tiles_.showTileOverlay(cellPixelPosition(cell)); return false;
    case 14: {
      if (!playBlockHit(cell)) return false;
      if (DebrisList* particles = effect::particlesOf(world_)) {
        spawnCutDebris(*particles, cell.frontId(), cell.frontVariant(), false, 15, cell, 1);
      }
      return true;
    }
    case 15: playTileBurst(cell, 17, 20); sounds.playAt(cell, kBurst50, 0); return false;
    case 16: playTileBurst(cell, 17, 20); sounds.playAt(cell, kBurst67, 0); return false;
    case 17: sounds.playAt(cell, kBurst43, 0); return false;
    case 18: sounds.playAt(cell, kBurst44, 0); return false;
    case 19: playTileBurst(cell, 17, 20); sounds.playAt(cell, kBurst53, 0); return false;
    case 20:
    case 21: playTileBurst(cell, 17, 20); return false;
    case 23: {
      tiles_.animateTileHit(cell);
      if (DebrisList* particles = effect::particlesOf(world_)) spawnOffsetDebris(*particles, cellPixelPosition(cell));
      return false;
    }
    default: return false;
  }
}

bool WorldEffects::playEntityEffect(Entity* entity, uint8_t kind, uint8_t value) {
  if (entity == nullptr) return true;
  const engine::Vec2 at{entity->data.x, entity->data.y};
  MapBlock* cell = entity->data.cell;
  DebrisList* particles = effect::particlesOf(world_);
  CellSounds& sounds = world_.sounds();
  const auto playAtCell = [&](uint16_t sound, uint16_t key) {
    if (cell != nullptr) sounds.playAt(*cell, sound, key);
  };
  const auto burst = [&](uint16_t list, uint32_t count) {
    if (particles != nullptr && cell != nullptr) spawnTileDebris(*particles, list, count, *cell, 0, false);
  };
  const MobEntity* mob = asMob(*entity);
  const BulletEntity* bullet = asBullet(*entity);
  switch (kind) {
    case 22:
      if (particles != nullptr) spawnRectDebrisAround(*particles, at, 0);
      playAtCell(kPoof, 0);
      return false;
    case 24:
      for (int i = 0; particles != nullptr && cell != nullptr && i < 3; ++i) {
        spawnSparkleDebris(*particles, at, *cell, nullptr, true);
      }
      playAtCell(kSizzle, 0);
      return false;
    case 25:
    case 27: {
      if (mob == nullptr) return true;
      const bool died = kind == 27;
      if (!died && entity->drawing() != nullptr) entity->drawing()->showHealth(float(value) / 255.0f);
      playAtCell(died ? kMobDeath : kMobHurt, mob->row().mobId());
      if (particles != nullptr) spawnSpriteCutDebris(*particles, spriteRectOf(*mob), died ? 10 : 5, at, died);
      return true;
    }
    case 26:
      burst(16, 5);
      if (bullet != nullptr) sounds.playAnywhere(kBulletHit, bullet->row());
      return false;
    case 28: sounds.playAnywhere(kLavaBurn, 0); burst(17, 10); return false;
    case 29: burst(20, 10); return false;
    case 30: playAtCell(kSplash, 0); burst(15, 10); return false;
    case 31: burst(18, 10); return false;
    case 32: if (bullet != nullptr) playAtCell(kBulletHitWall, bullet->row()); return false;
    case 33: if (bullet != nullptr) playAtCell(kBulletHit, bullet->row()); return false;
    default: return false;
  }
}

void WorldEffects::playTileSound(MapBlock& cell) {
  const auto& blocks = contentTables().blockDefs;
  uint16_t soundBlock = cell.frontId();
  for (MapDeco deco : cell.decos) {
    const uint16_t id = map_deco::id(deco);
    if (id != 0 && blocks[id].record.sound(kFootstepSlot) != -1) {
      soundBlock = id;
      break;
    }
  }
  world_.sounds().playAt(cell, kFootstep, soundBlock);
}
