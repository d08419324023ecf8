#include "game/session/player_bodies.h"

#include "entities/core/world_entities.h"
#include "game/player/player_base.h"
#include "game/rules/player_rules.h"
#include "world/cells/map_block.h"
#include "game/session/running_world.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {
constexpr size_t kBlastResistance = 3;
}  // namespace

WorldBodies* PlayerBodies::others() const {
  World* world = running_ != nullptr ? running_->world.get() : nullptr;
  return world != nullptr ? world->entities() : nullptr;
}

PlayerBase* PlayerBodies::playerAt(uint32_t id) {
  uint32_t index = 0;
  return rules_.firstPlayerWhere([&index, id](PlayerBase*) { return index++ == id; });
}

void PlayerBodies::collectAll(std::vector<Body>& out) {
  uint32_t index = 0;
  rules_.forEachPlayer([&](PlayerBase* player) {
    Body body;
    body.group = BodyGroup::Player;
    body.id = index++;
    body.position = player->position;
    body.cellX = static_cast<int32_t>(player->cellX);
    body.cellY = static_cast<int32_t>(player->cellY);
    if (player->isGrounded()) body.flags |= body_flag::kGrounded | body_flag::kContact;
    out.push_back(body);
  });
  if (WorldBodies* more = others()) more->collectAll(out);
}

void PlayerBodies::collectInCell(const MapBlock& cell, std::vector<Body>& out) {
  std::vector<Body> all;
  collectAll(all);
  for (const Body& body : all) {
    if (body.group == BodyGroup::Player && body.cellX == cell.x && body.cellY == cell.y) out.push_back(body);
  }
  if (WorldBodies* more = others()) more->collectInCell(cell, out);
}

void PlayerBodies::push(const Body& body, float strength, float angle) {
  if (body.group != BodyGroup::Player) {
    if (WorldBodies* more = others()) more->push(body, strength, angle);
    return;
  }
  if (PlayerBase* player = playerAt(body.id)) player->pushLocalBody(strength, angle);
}

bool PlayerBodies::hurt(const Body& body, float amount) {
  if (body.group != BodyGroup::Player) return others() != nullptr && others()->hurt(body, amount);
  PlayerBase* player = playerAt(body.id);
  if (player == nullptr) return false;
  const float resisted = amount * (1.0f - player->stats.resist[kBlastResistance]);
  if (resisted > 0) damage_.damagePlayer(*player, resisted, kBlastDamageKind);
  return player->dead == 0;
}

void PlayerBodies::spawnBlastDebris(const MapBlock& cell) {
  if (WorldBodies* more = others()) more->spawnBlastDebris(cell);
}

void PlayerBodies::spawnNoteDebris(engine::Vec2 position) {
  if (WorldBodies* more = others()) more->spawnNoteDebris(position);
}
