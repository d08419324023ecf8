#include "world/explosions/explosion_system.h"

#include <algorithm>
#include <cmath>

#include "content/items/block_edit.h"
#include "engine/base/random.h"
#include "world/cascade/break_cascade.h"
#include "world/cells/block_flags.h"
#include "world/cells/cell_refresh.h"
#include "world/edits/cell_edit.h"
#include "world/edits/edit_kind.h"
#include "world/light/light_refresh_batching.h"
#include "world/map/world_map.h"
#include "world/protection/protected_areas.h"
#include "world/rules/console_kind.h"
#include "world/rules/logic.h"
#include "world/seams/entity_effects.h"
#include "world/seams/world_bodies.h"
#include "world/seams/world_options.h"
#include "world/world.h"

namespace bb = blast_byte;

namespace {

constexpr uint16_t kSoundFuse = 40;
constexpr uint16_t kTextExplosivesRefused = 150;
constexpr float kCellPixels = 30.0f;

// The blast description as the blast reads it: a radius past the grid is clamped and a divisor of 0 is 1.
BlastSpec sane(const BlastSpec& spec) {
  BlastSpec s = spec;
  s[bb::kBlockRadius] = std::min(s[bb::kBlockRadius], ExplosionSystem::kMaxBlockRadius);
  if (s[bb::kDivisor] == 0) s[bb::kDivisor] = 1;
  return s;
}

BlockEdit blastEdit(const MapBlock& cell, const BlastSpec& spec) {
  BlockEdit edit = editForCell(cell, edit_kind::kExplosion);
  for (size_t i = 0; i < spec.size(); ++i) edit.setValueByte(i, spec[i]);
  return edit;
}

// A column offset taken the shorter way around the wrap.
int32_t wrappedOffset(int32_t offset, int32_t width) {
  if (width <= 0) return offset;
  offset %= width;
  if (offset >= (width + 1) / 2) offset -= width;
  if (offset < -(width / 2)) offset += width;
  return offset;
}

}  // namespace

ExplosionSystem::ExplosionSystem(World& world) : world_(world) {}

bool ExplosionSystem::isAllowed(MapBlock& cell, const BlastSpec& spec, PlayerBase* cause) {
  if (cause == nullptr) return true;
  LogicPlayers& rules = world_.rules();
  if (rules.isLocalPlayer(cause)) return true;
  bool refused = world_.options().explosivesLock();
  const int r = std::min(spec[bb::kBlockRadius], kMaxBlockRadius);
  for (int dx = -r; dx <= r && !refused; ++dx) {
    for (int dy = -r; dy <= r && !refused; ++dy) {
      refused = world_.protectedAreas().isProtectedAt(cell.x + dx, cell.y + dy);
    }
  }
  if (refused && rules.isPlayerPresent(cause)) {
    rules.showTextById(cause, kTextExplosivesRefused, console_kind::kRefusal);
  }
  return !refused;
}

bool ExplosionSystem::add(MapBlock& cell, PlayerBase* cause, const BlastSpec& spec, float delay, uint8_t impact) {
  if (!isAllowed(cell, spec, cause)) return false;
  for (PendingExplosion& entry : pending_) {
    if (entry.cell != &cell) continue;
    if (impact == 0 && entry.impact == 0 && entry.timer > delay) entry.timer = delay;
    return true;
  }
  if (impact == 0) world_.rules().playSound(cell, kSoundFuse, 0);
  pending_.push_back({&cell, impact, spec, world_.rules().playerIdOf(cause), delay});
  return true;
}

void ExplosionSystem::cancel(const MapBlock& cell) {
  std::erase_if(pending_, [&](const PendingExplosion& entry) { return entry.cell == &cell; });
}

void ExplosionSystem::update(float ticks) {
  int fired = 0;
  for (size_t i = 0; i < pending_.size();) {
    if (fired >= kMaxPerUpdate) return;
    PendingExplosion& entry = pending_[i];
    entry.timer -= ticks;
    if (entry.timer >= 0) {
      ++i;
      continue;
    }
    const PendingExplosion due = entry;
    pending_.erase(pending_.begin() + static_cast<std::ptrdiff_t>(i));
    ++fired;
    // Applying the edit may queue further explosions (at the end of the list).
    LogicCells& rules = world_.rules();
    LogicPlayers& players = world_.rules();
    rules.editBlock(blastEdit(*due.cell, due.spec), due.cause != 0 ? players.playerById(due.cause) : nullptr);
  }
}

bool ExplosionSystem::markVisited(const MapBlock& centre, const MapBlock& cell) {
  const int32_t ox = wrappedOffset(static_cast<int32_t>(centre.x) - cell.x, world_.map().width());
  const int32_t oy = static_cast<int32_t>(centre.y) - cell.y;
  if (ox < -16 || ox > 15 || oy < -16 || oy > 15) return false;
  uint32_t& row = visited_[static_cast<size_t>(oy + 16)];
  const uint32_t bit = 1u << (ox + 16);
  if ((row & bit) != 0) return false;
  row |= bit;
  return true;
}

void ExplosionSystem::explodeAt(MapBlock& centre, const BlastSpec& rawSpec, PlayerBase* cause) {
  const BlastSpec spec = sane(rawSpec);
  if (DecoHit lit = centre.findDeco(kLitCharge)) {
    map_deco::clear(*lit.slot);
    world_.refresh().refreshCell(centre);
  }
  visited_.fill(0);
  size_t count = 0;
  queue_[count++] = {&centre, 0, static_cast<float>(spec[bb::kForce])};
  markVisited(centre, centre);
  {
    const BatchedLightRefresh batch(world_.lightBatching());
    WorldMap& map = world_.map();
    for (size_t i = 0; i < count; ++i) {
      const QueuedCell entry = queue_[i];
      explodeCell(cause, centre, *entry.cell, entry.force);
      if (entry.distance + 1 > spec[bb::kBlockRadius]) continue;
      MapBlock& c = *entry.cell;
      for (MapBlock* n : {c.neighbourLeft(map), c.neighbourDown(map), c.neighbourUp(map), c.neighbourRight(map)}) {
        if (n == nullptr || count >= kQueueSize || !markVisited(centre, *n)) continue;
        queue_[count++] = {n, entry.distance + 1, entry.force / spec[bb::kDivisor]};
      }
    }
    affectBodies(centre, spec);
  }
}

void ExplosionSystem::lightCharge(PlayerBase* cause, MapBlock& cell, uint8_t side) {
  DecoHit charge = cell.findDecoOnSide(kCharge, side);
  if (!charge) return;
  const float delay = 15.0f + 10.0f * static_cast<float>(engine::randomNext()) / 32767.0f;
  if (!add(cell, cause, kStandardBlast, delay, 0)) return;
  BlockEdit edit = editForCell(cell, edit_kind::kSetDeco, kLitCharge);
  edit.slot = static_cast<uint8_t>(charge.index);
  edit.layer = side;
  const uint8_t variants = world_.map().props()[kLitCharge].variantCount;
  edit.variant = variants >= 2 ? static_cast<uint8_t>(engine::randomNext() % variants) : 0;
  world_.rules().editBlock(edit, cause);
}

void ExplosionSystem::explodeCell(PlayerBase* cause, MapBlock& centre, MapBlock& cell, float force) {
  const BlockPropsTable& props = world_.map().props();
  bool frontBroke = false;
  if (cell.frontId() != 0) {
    if (&cell != &centre) lightCharge(cause, cell, MapBlock::kFront);
    const BlockProps& front = props[cell.frontId()];
    if (!front.has(block_flag::kIndestructible) && force >= front.blastResistance) {
      spawnTileBreakDebris(world_, cell, MapBlock::kFront, kBreakDebris, cause);
      frontBroke = true;
    }
  }
  if (cell.frontId() == 0 && cell.backId() != 0) {
    if (&cell != &centre) lightCharge(cause, cell, MapBlock::kBack);
    if (frontBroke) force /= 3.0f;
    const BlockProps& back = props[cell.backId()];
    if (!back.has(block_flag::kIndestructible) && force > back.blastResistance) {
      spawnTileBreakDebris(world_, cell, MapBlock::kBack, kBreakDebris, cause);
    }
  }
  world_.bodies().spawnBlastDebris(cell);
}

void ExplosionSystem::affectBodies(const MapBlock& centre, const BlastSpec& spec) {
  const float radius = static_cast<float>(spec[bb::kEntityRadius]) * kCellPixels;
  const engine::Vec2 origin = cellPixelPosition(centre);
  const float widthPx = static_cast<float>(world_.map().width()) * kCellPixels;
  WorldBodies& bodies = world_.bodies();
  bodies_.clear();
  hits_.clear();
  bodies.collectAll(bodies_);
  const float push = spec[bb::kPush];
  const float centreDamage = spec[bb::kCentreDamage], edgeDamage = spec[bb::kEdgeDamage];
  struct Reach {
    bool within;
    float k;
    float angle;
  };
  auto reach = [&](const Body& body) {
    float dx = body.position.x - origin.x;
    if (std::fabs(dx) > widthPx * 0.5f) dx += dx > 0 ? -widthPx : widthPx;
    const float dy = body.position.y - origin.y;
    const float distanceSq = dx * dx + dy * dy;
    if (distanceSq >= radius * radius) return Reach{false, 0, 0};
    return Reach{true, 1.0f - distanceSq / (radius * radius), std::atan2(dy, dx)};
  };
  for (size_t i = 0; i < bodies_.size(); ++i) {
    const Body& body = bodies_[i];
    if (body.group == BodyGroup::Player) continue;
    const Reach r = reach(body);
    if (!r.within) continue;
    if (body.group == BodyGroup::Debris && push * r.k <= 0) continue;
    bodies.push(body, push * r.k, r.angle);
    if (body.group == BodyGroup::Mob && !body.has(body_flag::kRemoved) && !body.has(body_flag::kPet) &&
        !body.has(body_flag::kBlastProof)) {
      hits_.push_back({i, (centreDamage - edgeDamage) * r.k + edgeDamage});
    }
  }
  for (const auto& [index, damage] : hits_) bodies.hurt(bodies_[index], damage);
  for (const Body& body : bodies_) {
    if (body.group != BodyGroup::Player) continue;
    const Reach r = reach(body);
    if (!r.within) continue;
    if (bodies.hurt(body, (centreDamage - edgeDamage) * r.k + edgeDamage)) bodies.push(body, push * r.k, r.angle);
  }
}
