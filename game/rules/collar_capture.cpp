#include "game/rules/collar_capture.h"

#include <cmath>

#include "content/items/item.h"
#include "entities/core/world_entities.h"
#include "entities/mobs/mob_entity.h"
#include "game/player/player.h"
#include "world/map/world_map.h"
#include "world/rules/game.h"
#include "world/world.h"

namespace {

constexpr float kCellPixels = 30.0f;

// The horizontal distance from the mob to the point, across the seam when that is shorter.
float shortDx(float from, float to, float worldPixels) {
  float dx = std::fabs(to - from);
  if (worldPixels > 0 && dx > worldPixels / 2) dx = worldPixels - dx;
  return dx;
}

MobEntity* mobUnder(WorldEntities& lists, engine::Vec2 point, float worldPixels) {
  MobEntity* found = nullptr;
  lists.mobs().forEach([&](RealEntity& entity) {
    const EntityData& d = entity.data;
    if (found != nullptr || d.removed || d.kind != EntityKind::Mob) return;
    if (shortDx(d.x, point.x, worldPixels) <= d.halfWidth && std::fabs(d.y - point.y) <= d.halfHeight) {
      found = static_cast<MobEntity*>(&entity);
    }
  });
  return found;
}

}  // namespace

bool isTamingCollar(const Item* held) { return held != nullptr && !held->isNone() && held->id == kTamingCollar; }

bool captureWithCollar(Player& player, GamePlayerActions& game, engine::Vec2 point) {
  if (!isTamingCollar(player.heldItem()) || player.world == nullptr) return false;
  WorldEntities* lists = player.world->entities();
  if (lists == nullptr) return false;
  MobEntity* mob = mobUnder(*lists, point, static_cast<float>(player.world->map().width()) * kCellPixels);
  return mob != nullptr && game.captureMob(mob);
}
