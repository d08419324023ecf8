#include "view/effects/ambient_pass.h"

#include <algorithm>

#include "content/tables/mob_def.h"
#include "engine/base/random.h"
#include "entities/core/world_entities.h"
#include "entities/effects/effect_world.h"
#include "entities/mobs/mob_entity.h"
#include "entities/particles/debris_presets.h"
#include "platform/audio/rain_ambience.h"
#include "view/effects/sparkle_emitters.h"
#include "world/cells/block_flags.h"
#include "world/map/world_map.h"
#include "world/seams/cell_sounds.h"
#include "world/seams/entity_effects.h"
#include "world/world.h"

namespace {

constexpr uint16_t kMobIdleSound = 9;
constexpr uint16_t kSparkingBlock = 44;
constexpr uint16_t kBubblingDeco = 191;
constexpr uint8_t kNoGlint = 7;

int uniformInt(int upTo) { return engine::randomNext() % (upTo + 1); }

// The cell at or above its column's surface, or null.
MapBlock* openCell(WorldMap& map, int32_t x, int32_t y) {
  MapBlock* cell = map.cellAt(map.wrapX(x), y);
  return cell != nullptr && y >= int32_t(map.surfaceLine(x)) ? cell : nullptr;
}

uint32_t fallingWeather(World& world, DebrisList& particles, const AmbientArea& area) {
  const WeatherKind kind = world.weather().kind;
  WorldMap& map = world.map();
  const int from = -(area.columns / 2) - 5;
  const int to = area.columns / 2 + 4;
  const int32_t top = area.playerY + area.rows / 2;
  if (kind == WeatherKind::Snow) {
    for (int dx = from; dx <= to; ++dx) {
      if (!effect::chance(0.25f)) continue;
      if (MapBlock* cell = openCell(map, area.playerX + dx, top + uniformInt(3))) spawnWeatherFlakeDebris(particles, *cell);
    }
    return 0;
  }
  if (kind != WeatherKind::Rain && kind != WeatherKind::AcidRain) return 0;
  // Every open cell tried counts towards the rain's loudness, even when the particle pool is full,
  // so the rain does not go quiet when the screen is busy.
  uint32_t drops = 0;
  for (int dx = from; dx <= to; ++dx) {
    for (int attempt = 0; attempt < 2; ++attempt) {
      if (!effect::chance(0.5f)) continue;
      if (MapBlock* cell = openCell(map, area.playerX + dx, top + uniformInt(10))) {
        spawnWeatherDropDebris(particles, *cell, kind == WeatherKind::Rain);
        ++drops;
      }
    }
  }
  kel::setRainVolume(drops, uint32_t(area.columns + 10) * 5);
  return drops;
}

// The front block lets what is behind it show: see-through or letting light pass, and not the
// shut variant of block 2090.
bool showsBehind(const BlockPropsTable& props, const MapBlock& cell) {
  const BlockProps& front = props[cell.frontId()];
  const bool shut = cell.frontId() == 2090 && cell.frontVariant() == 1;
  return !shut && (!front.opaque() || front.has(block_flag::kLetsSkyThrough));
}

bool emitterVisible(const BlockPropsTable& props, const MapBlock& cell) {
  if (props[cell.frontId()].has(block_flag::kAmbientEmitter)) return true;
  const bool behind = showsBehind(props, cell);
  for (MapDeco deco : cell.decos) {
    if (map_deco::empty(deco) || !props[map_deco::id(deco)].has(block_flag::kAmbientEmitter)) continue;
    if (map_deco::side(deco) == MapBlock::kFront || behind) return true;
  }
  return behind && cell.backId() != 0 && props[cell.backId()].has(block_flag::kAmbientEmitter);
}

void cellAmbience(World& world, DebrisList& particles, MapBlock& cell) {
  const BlockPropsTable& props = world.map().props();
  const uint16_t front = cell.frontId();
  if (props[front].has(block_flag::kEmitsLight)) {
    if (const SparkleSource* row = sparkleEmitterFor(front); row != nullptr && row->positionKind != kNoGlint) {
      SparkleSource source = *row;
      source.orientation = cell.blockState();
      const engine::Vec2 at = cellPixelPosition(cell);
      for (int i = 0; i < 3; ++i) spawnSparkleDebris(particles, at, cell, &source, false);
    }
  }
  const uint16_t light = cell.lightColour();
  const int strongest = std::max({light >> 8, (light >> 4) & 15, light & 15});
  const int sky = int(cell.skyLevel()) - int(world.dayClock().darkness);
  if ((strongest >= 2 || sky >= 2) && emitterVisible(props, cell)) {
    spawnEmitterBlockDebris(particles, cell);
  } else if (front == kSparkingBlock) {
    spawnSpecialBlockDebris(particles, cell);
    spawnSpecialBlockDebris(particles, cell);
  }
  if (cell.hasDeco(kBubblingDeco, MapBlock::kFront) || cell.hasDeco(kBubblingDeco, MapBlock::kBack)) {
    spawnTileDebris(particles, 3, uint32_t(10 + engine::randomNext() % 6), cell, 27, true);
  }
  if (cell.hasLiquidLevel() && !cell.hasFlag(cell_flag::kLiquidSource)) {
    spawnWaterBubbleDebris(particles, cell);
    spawnWaterBubbleDebris(particles, cell);
  }
}

}  // namespace

void playRandomMobSound(World& world) {
  WorldEntities* lists = world.entities();
  if (lists == nullptr || lists->mobs().size() == 0 || !effect::chance(0.4f)) return;
  const RealEntity& mob = lists->mobs().at(size_t(engine::randomNext()) % lists->mobs().size());
  if (mob.data.cell == nullptr) return;
  const auto& row = static_cast<const MobEntity&>(mob).row();
  world.sounds().playAt(*mob.data.cell, kMobIdleSound, row.mobId());
}

uint32_t spawnWeatherParticles(World& world, const AmbientArea& area, const std::function<void()>& wornItemEffects) {
  DebrisList* particles = effect::particlesOf(world);
  if (particles == nullptr) return 0;
  const uint32_t rain = fallingWeather(world, *particles, area);
  if (wornItemEffects) wornItemEffects();
  if (effect::chance(0.1f)) playRandomMobSound(world);
  WorldMap& map = world.map();
  for (int dx = -(area.columns / 2); dx <= area.columns / 2; ++dx) {
    for (int dy = -(area.rows / 2); dy <= area.rows / 2; ++dy) {
      if (MapBlock* cell = map.cellAt(map.wrapX(area.playerX + dx), area.playerY + dy)) {
        cellAmbience(world, *particles, *cell);
      }
    }
  }
  return rain;
}
