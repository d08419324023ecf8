// A client catches a mob in two steps: the host offers its player the mob's item ([5][91], an
// answer wanted), and only the client's "taken" answer catches the mob: the held collar is used
// up, everyone sees the capture, and the mob leaves the world. "Not taken" leaves the mob free.

#include "content/items/item.h"
#include "content/loader/game_tables_loader.h"
#include "content/tables/game_tables.h"
#include "content/tables/mob_def.h"
#include "entities/mobs/mob_entity.h"
#include "net/endpoint/net_server.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {

constexpr uint16_t kStatItemFound = 1;
constexpr uint8_t kCapturedEffect = 28;

// The item a mob is carried as; none for a pet and a mob no item stands for.
uint16_t capturedItemOf(const MobEntity& mob) {
  if (mob.kind() == EntityKind::Pet) return ITEM_NONE;
  const MobItemRow* row = gameTables().mobItems.forMob(mob.row().mobId());
  return row != nullptr ? row->item : ITEM_NONE;
}

}  // namespace

void NetServer::offerCapture(PlayerServerDesktop& player, uint32_t id) {
  const MobEntity* mob = mobNear(player, id);
  const uint16_t item = mob != nullptr ? capturedItemOf(*mob) : ITEM_NONE;
  if (item == ITEM_NONE) return;
  const Item caught(item, 0, 1, 0, 0);
  player.offerItem(mob->id(), &caught, true);
}

bool NetServer::captureTaken(PlayerServerDesktop& player, Entity& entity) {
  auto* mob = entity_cast<MobEntity>(&entity);
  if (mob == nullptr) return false;
  const uint16_t item = capturedItemOf(*mob);
  if (item == ITEM_NONE) return true;
  player.recordStat(kStatItemFound, item);
  player.consumeHeldItem();
  world()->rules().broadcastEffect(mob, kCapturedEffect, 0);
  mob->remove();
  return true;
}
