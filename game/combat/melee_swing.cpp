#include "game/combat/melee_swing.h"

#include <algorithm>

#include "content/items/item.h"
#include "content/tables/item_def.h"
#include "entities/core/cell_operations.h"
#include "entities/core/world_entities.h"
#include "game/inventory/item_kinds.h"
#include "game/player/player_base.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/world.h"

namespace {

constexpr uint8_t kPetKind = 8;

// True when some edge direction of `a` separates the two shapes.
bool separatedByEdgesOf(const SwingQuad& a, const SwingQuad& b) {
  for (int e = 0; e < 2; ++e) {
    const engine::Vec2 edge{a[e + 1].x - a[e].x, a[e + 1].y - a[e].y};
    const engine::Vec2 axis{-edge.y, edge.x};
    float minA = 1e30f, maxA = -1e30f, minB = 1e30f, maxB = -1e30f;
    for (const engine::Vec2& p : a) {
      const float d = p.x * axis.x + p.y * axis.y;
      minA = std::min(minA, d);
      maxA = std::max(maxA, d);
    }
    for (const engine::Vec2& p : b) {
      const float d = p.x * axis.x + p.y * axis.y;
      minB = std::min(minB, d);
      maxB = std::max(maxB, d);
    }
    if (minA - maxB > 0 || minB - maxA > 0) return true;
  }
  return false;
}

engine::Vec2 transformed(const engine::Mat4& m, float x, float y) {
  const engine::Vec4 v = m.transformVector(x, y, 0, 1);
  return {v.x, v.y};
}

}  // namespace

bool swingHitsRect(const SwingQuad& a, const SwingQuad& b) {
  return !separatedByEdgesOf(a, b) && !separatedByEdgesOf(b, a);
}

void MeleeSwing::update(PlayerBase& player, const SwingPose& pose, SwingTargets& targets) {
  const Item* held = player.heldItem();
  if (!pose.animating || !isSwingingItem(held)) {
    hitThisSwing_.clear();
    return;
  }
  const SwingSpec* spec = held->swingSpec();
  if (spec == nullptr) return;
  const engine::Vec2 centre{spec->boxOffset(0) + spec->originOffset(0), spec->boxOffset(1) + spec->originOffset(1)};
  updateWithBox(player, pose, centre, {spec->box(2), spec->box(3)}, targets);
}

void MeleeSwing::updateWithBox(PlayerBase& player, const SwingPose& pose, engine::Vec2 centre,
                               engine::Vec2 size, SwingTargets& targets) {
  if (!pose.animating) {
    hitThisSwing_.clear();
    return;
  }
  const float progress = pose.duration > 0 ? pose.elapsed / pose.duration : 0;
  if (!pose.acting || progress < 0.1f || progress > 0.5f) return;
  if (player.rollAttackDamage().amount <= 0) return;
  const float hw = size.x / 2;
  const float hh = size.y / 2;
  const SwingQuad box{transformed(pose.transform, centre.x - hw, centre.y - hh),
                      transformed(pose.transform, centre.x + hw, centre.y - hh),
                      transformed(pose.transform, centre.x + hw, centre.y + hh),
                      transformed(pose.transform, centre.x - hw, centre.y + hh)};
  hitThisFrame_.clear();
  nearby_.clear();
  targets.collectMobs(nearby_);
  for (const SwingTarget& mob : nearby_) {
    if (mob.kind == kPetKind || hitThisSwing_.count(mob.id) != 0) continue;
    const float dx = mob.position.x - player.position.x;
    const float dy = mob.position.y - player.position.y;
    if (dx * dx + dy * dy >= kReachSquared) continue;
    const engine::Vec2& p = mob.position;
    const SwingQuad rect{engine::Vec2{p.x - mob.half.x, p.y - mob.half.y}, engine::Vec2{p.x + mob.half.x, p.y - mob.half.y},
                         engine::Vec2{p.x + mob.half.x, p.y + mob.half.y}, engine::Vec2{p.x - mob.half.x, p.y + mob.half.y}};
    if (!targets.lineOfCellsClear(mob.cellX, mob.cellY, static_cast<int32_t>(player.cellX),
                                  static_cast<int32_t>(player.cellY))) {
      continue;
    }
    if (swingHitsRect(box, rect)) hitThisFrame_.insert(mob.id);
  }
  for (uint32_t id : hitThisFrame_) targets.hit(id);
  hitThisSwing_.insert(hitThisFrame_.begin(), hitThisFrame_.end());
}

void collectSwingTargets(const WorldEntities& lists, const PlayerBase* swinger, std::vector<SwingTarget>& out) {
  const World* world = lists.world();
  lists.mobs().forEach([&out, world, swinger](const RealEntity& e) {
    if (e.data.removed || e.data.cell == nullptr) return;
    float x = e.data.x;
    if (world != nullptr && swinger != nullptr) x = swinger->position.x + world->map().shortDeltaX(x - swinger->position.x);
    out.push_back({e.id(), static_cast<uint8_t>(e.kind()), {x, e.data.y}, {e.data.halfWidth, e.data.halfHeight},
                   e.data.cell->x, e.data.cell->y});
  });
}

bool swingLineClear(const WorldEntities& lists, int32_t fromX, int32_t fromY, int32_t toX, int32_t toY) {
  World* world = lists.world();
  if (world == nullptr) return false;
  const MapBlock* to = world->map().cellAt(toX, toY);
  return to != nullptr && ::lineOfCellsClear(world->map(), *to, fromX, fromY);
}
