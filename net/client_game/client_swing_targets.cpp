#include "net/client_game/client_swing_targets.h"

#include "entities/core/world_entities.h"
#include "entities/mobs/mob_entity.h"
#include "game/player/player.h"
#include "net/client_game/game_remote_client.h"

void ClientSwingTargets::collectMobs(std::vector<SwingTarget>& out) {
  if (lists_ != nullptr) collectSwingTargets(*lists_, game_.player(), out);
}

bool ClientSwingTargets::lineOfCellsClear(int32_t fromX, int32_t fromY, int32_t toX, int32_t toY) {
  return lists_ != nullptr && swingLineClear(*lists_, fromX, fromY, toX, toY);
}

// A mob gone since the swing found it is not asked about.
void ClientSwingTargets::hit(uint32_t mobId) {
  auto* mob = lists_ != nullptr ? entity_cast<MobEntity>(lists_->findById(mobId)) : nullptr;
  if (mob != nullptr && !mob->data.removed) game_.hitMob(mob);
}
