#include "entities/effects/entity_effect_registry.h"

#include <array>

#include "content/loader/game_tables_loader.h"
#include "content/tables/content_tables.h"
#include "entities/core/entity.h"
#include "entities/effects/effect_world.h"
#include "entities/effects/mob_death_effects.h"
#include "entities/effects/projectile_effects.h"
#include "entities/particles/debris_presets.h"
#include "entities/projectiles/bullet_entity.h"

namespace {

namespace pe = projectile_effect;

// A mob family: A and B split into up to three and two C; C splits into up to two D.
struct MobFamily {
  uint16_t a, b, c, d;
};

constexpr std::array<MobFamily, 9> kNamedFamilies = {{
    {420, 221, 220, 222},
    {421, 224, 223, 225},
    {491, 478, 302, 301},
    {422, 277, 276, 482},
    {458, 227, 226, 474},
    {423, 371, 372, 483},
    {489, 479, 480, 481},
    {490, 477, 476, 475},
    {488, 487, 486, 485},
}};

// Eleven groups of nine families laid out three rows a family from a base row.
constexpr std::array<uint16_t, 11> kFamilyGroupBases = {493, 574, 682, 628, 601, 736, 547, 709, 655, 520, 787};
constexpr std::array<uint16_t, 9> kGroupSmallest = {222, 225, 301, 482, 474, 483, 481, 475, 485};

constexpr uint16_t kTwinSplitSource = 453;
constexpr uint16_t kTwinSplitTarget = 466;

struct Replacement {
  uint16_t from, to;
};
constexpr std::array<Replacement, 13> kReplacements = {{
    {863, 864}, {866, 867}, {869, 870}, {872, 873}, {875, 876}, {878, 879}, {881, 882},
    {887, 885}, {884, 887}, {888, 889}, {891, 892}, {894, 895}, {897, 898},
}};

constexpr std::array<uint16_t, 2> kExplodingMobs = {83, 82};

struct BlastRow {
  uint16_t row;
  BlastSpec spec;
};
constexpr std::array<BlastRow, 11> kBlastRows = {{
    {102, {6, 2, 3, 1, 1, 2, 16}},
    {91, {10, 4, 4, 2, 2, 2, 22}},
    {92, {10, 4, 4, 2, 2, 2, 22}},
    {64, {16, 6, 5, 3, 3, 2, 32}},
    {96, {16, 6, 5, 3, 3, 2, 32}},
    {78, {16, 6, 5, 3, 3, 2, 32}},
    {88, {12, 4, 5, 3, 3, 2, 30}},
    {85, {20, 4, 6, 3, 3, 2, 42}},
    {12, {25, 8, 6, 5, 5, 2, 60}},
    {7, {35, 8, 6, 4, 4, 2, 42}},
    {9, {35, 8, 6, 4, 4, 2, 42}},
}};

constexpr std::array<uint16_t, 3> kStickingRows = {9, 96, 92};
constexpr uint16_t kFuseRow = 121;
constexpr uint16_t kGliderRow = 122;
constexpr uint16_t kFirstChippingRow = 135;
constexpr uint16_t kLastChippingRow = 146;
constexpr std::array<uint16_t, 13> kCapsuleRows = {97, 83, 107, 1, 110, 61, 16, 98, 111, 58, 68, 123, 34};
constexpr std::array<uint16_t, 2> kTrailRows = {24, 35};
constexpr std::array<uint16_t, 3> kFireworkRows = {24, 35, 25};

using MobDeath = std::function<void(MobEntity*, World&)>;

void setDeath(ContentTables& tables, uint16_t row, const MobDeath& effect) {
  if (row < tables.mobDeathEffects.size()) tables.mobDeathEffects[row] = effect;
}

MobDeath split(uint32_t minimum, uint32_t maximum, uint16_t row) { return MobSplitEffect{minimum, maximum, row}; }

void registerMobDeaths(ContentTables& tables) {
  for (auto& slot : tables.mobDeathEffects) slot = nullptr;
  auto family = [&tables](const MobFamily& f) {
    setDeath(tables, f.a, split(0, 3, f.c));
    setDeath(tables, f.b, split(0, 2, f.c));
    setDeath(tables, f.c, split(0, 2, f.d));
  };
  for (const MobFamily& f : kNamedFamilies) family(f);
  for (uint16_t base : kFamilyGroupBases) {
    for (uint16_t k = 0; k < kGroupSmallest.size(); ++k) {
      const auto c = static_cast<uint16_t>(base + 3 * k);
      family({static_cast<uint16_t>(c + 2), static_cast<uint16_t>(c + 1), c, kGroupSmallest[k]});
    }
  }
  setDeath(tables, kTwinSplitSource, split(0, 2, kTwinSplitTarget));
  for (const Replacement& r : kReplacements) setDeath(tables, r.from, split(1, 1, r.to));
  const MobDeath blast = MobBlastEffect{};
  for (uint16_t row : kExplodingMobs) setDeath(tables, row, blast);
}

void registerProjectiles(ContentTables& tables) {
  auto& rows = tables.bulletEffects;
  const std::function<void(BulletEntity*)> smoke = [](BulletEntity* b) { pe::swellingSmoke(*b); };
  for (const BlastRow& blast : kBlastRows) {
    const BlastSpec spec = blast.spec;
    rows[blast.row].onEnd = [spec](BulletEntity* b) { pe::blastOnEnd(*b, spec); };
    rows[blast.row].onTick = smoke;
  }
  for (uint16_t row : kStickingRows) rows[row].onHitWall = [](BulletEntity* b, uint8_t side) { pe::stick(*b, side); };
  rows[kFuseRow].onTick = [](BulletEntity* b) { pe::fuseTick(*b); };
  rows[kFuseRow].onHitWall = [](BulletEntity* b, uint8_t side) { pe::stickAndRearm(*b, side); };
  rows[kFuseRow].onEnd = [](BulletEntity* b) { pe::timedBlast(*b); };
  rows[kGliderRow].onTick = [](BulletEntity* b) { pe::glide(*b); };
  for (uint16_t row = kFirstChippingRow; row <= kLastChippingRow; ++row) {
    rows[row].onHitWall = [](BulletEntity* b, uint8_t side) { pe::chipTheWall(*b, side); };
  }
  for (uint16_t row : kCapsuleRows) rows[row].onEnd = [](BulletEntity* b) { pe::releaseMob(*b); };
  for (uint16_t row : kTrailRows) rows[row].onTick = [](BulletEntity* b) { pe::trail(*b); };
  for (uint16_t row : kFireworkRows) rows[row].onEnd = [](BulletEntity* b) { pe::fireworkBurst(*b); };
}

// The capsule table comes with the game tables (the catalogue's spawner category); without them
// a table already in place (a test's) is kept.
void installSpawnableMobs(ContentTables& tables) {
  const auto& spawners = gameTables().catalogue[game_tables::kSpawnerCategory];
  if (spawners.empty()) return;
  tables.spawnableMobs.clear();
  for (const CatalogueRow& row : spawners) tables.spawnableMobs.push_back({row.id, row.mask});
}

void wornSparkle(PlayerGraphical* player, Item*, World* wearerWorld) {
  if (!effect::chance(0.5f) || wearerWorld == nullptr) return;
  World* world = nullptr;
  engine::Vec2 at{};
  if (!effectHooksOf(*wearerWorld).wearerPlace(player, world, at) || world == nullptr) return;
  const float u1 = effect::unit();
  const float u2 = effect::unit();
  if (DebrisList* particles = effect::particlesOf(*world)) {
    spawnOffsetDebris(*particles, {at.x - 3.75f + 7.5f * u1, at.y + 7.5f + 5 * u2});
  }
}

}  // namespace

void EntityEffectRegistry::registerEntityEffects() {
  namespace rows = entity_effect_rows;
  ContentTables& tables = contentTables();
  installSpawnableMobs(tables);
  registerMobDeaths(tables);
  tables.itemDefs[rows::kWornSparkleItem].wornEffect = &wornSparkle;
  registerProjectiles(tables);
  for (uint16_t id = rows::kFirstShakingBlock; id <= rows::kLastShakingBlock; ++id) {
    tables.blockDefs[id].strikeEffect = [](MapBlock*, PlayerBase*, World& world) {
      effectHooksOf(world).shakeScreen(false);
    };
  }
}
