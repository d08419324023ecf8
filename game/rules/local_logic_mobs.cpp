// The local rules' mob operations: what a mob's touch does to each present player, the loot a dead
// mob leaves, its shots and whom it targets, and the mobs carried as items (captured, summoned as
// pets) through the mob-to-item table.

#include <cmath>
#include <string>

#include "content/items/item.h"
#include "content/loader/game_tables_loader.h"
#include "content/tables/content_tables.h"
#include "content/tables/mob_def.h"
#include "content/texts/language_texts.h"
#include "entities/mobs/mob_entity.h"
#include "game/combat/player_attacker.h"
#include "game/player/mob_catcher.h"
#include "game/player/player.h"
#include "game/rules/collar_capture.h"
#include "game/rules/local_logic.h"
#include "game/rules/loot_rules.h"
#include "game/rules/rule_entities.h"
#include "game/trade/trade_text.h"
#include "world/map/world_map.h"
#include "world/rules/console_kind.h"
#include "world/world.h"

namespace {

constexpr float kTouchReach = 12.0f;
constexpr float kTouchKnockBack = 3.0f;
constexpr float kKnockLeft = 2.618f;    // 150 degrees
constexpr float kKnockRight = 0.5236f;  // 30 degrees
constexpr uint8_t kUnblockedKind = 4;   // kinds above this ignore the contact cooldown
constexpr uint16_t kStatKilledByMob = 33;
constexpr uint8_t kPetArrives = 20;
constexpr uint16_t kTextPetCame = 175;
constexpr uint16_t kTextPetLeft = 174;
constexpr uint16_t kStatItemFound = 1;
constexpr uint8_t kCapturedEffect = 28;

// The player's offset from the mob, x the near way round the world.
engine::Vec2 offsetFrom(const World& world, const MobEntity& mob, engine::Vec2 at) {
  const float width = static_cast<float>(world.map().width()) * 30.0f;
  float dx = std::fmod(at.x - mob.data.x, width);
  if (dx > width / 2) dx -= width;
  if (dx < -width / 2) dx += width;
  return {dx, at.y - mob.data.y};
}

// The name a player reads for the mob: the hurt's source, the pet that came.
const std::string& nameOf(const MobDef& row) { return languageTexts().mobName(row.mobId()); }

}  // namespace

// Every present player the mob touches is hurt, each by its own contact cooldown.
bool LocalLogic::touchPlayersNearMob(MobEntity* mob) {
  if (mob == nullptr || world_ == nullptr) return false;
  return anyPlayer([this, mob](PlayerBase* player) { return player != nullptr && touchPlayer(*player, *mob); });
}

bool LocalLogic::touchPlayer(PlayerBase& player, MobEntity& mob) {
  const MobDef& row = mob.row();
  if (player.dead != 0 || (player.cooldown > 0 && row.damageKind() <= kUnblockedKind)) return false;
  const engine::Vec2 d = offsetFrom(*world_, mob, player.position);
  if (d.x * d.x + d.y * d.y >= kTouchReach * kTouchReach) return false;
  player.setNextHurtSource(nameOf(row));
  const bool landed = damagePlayer(player, row.damage(), row.damageKind());
  player.setNextHurtSource({});
  // A client's body is her client's to move, as with a blast: only this machine's own is pushed.
  if (!world_->isCreative()) player.pushLocalBody(kTouchKnockBack, d.x <= 0 ? kKnockLeft : kKnockRight);
  // Thorns hurt the mob back once the touch landed.
  if (landed && player.stats.thorns > 0 && mob.alive) {
    PlayerAttacker attacker(player);
    mob.applyDamage(player.stats.thorns, damage_kind::kHarm, &attacker);
  }
  if (landed && player.dead != 0) player.recordLocalStat(kStatKilledByMob, row.mobId());
  return true;
}

void LocalLogic::dropMobLoot(MobEntity* mob, float factor, float) {
  if (mob == nullptr || world_ == nullptr || world_->isCreative()) return;
  const LootTable* table = contentTables().mobLootTables[mob->row().mobId() % content::kMobLimit];
  if (table != nullptr) dropLoot(*this, *table, {mob->data.x, mob->data.y}, difficulty_, factor);
}

Entity* LocalLogic::shootMobBullet(MobEntity* mob, uint16_t bulletRow, float speed, float angle) {
  return entities_->shootMobBullet(mob, bulletRow, speed, angle);
}

Logic::MobTarget LocalLogic::mobTargetOf(MobEntity* mob) {
  MobTarget target;
  PlayerBase* player = mobTargetPlayer(mob);
  if (player == nullptr || player->dead != 0) return target;
  target.found = true;
  target.position = player->position;
  target.cell = player->currentMapBlock();
  return target;
}

// Any present player's spot: on a host a client's player has her pet too.
Logic::PlayerSpot LocalLogic::playerSpot(uint32_t playerId) {
  PlayerSpot spot;
  PlayerBase* owner = playerById(playerId);
  if (owner == nullptr) return spot;
  spot.present = true;
  spot.cell = owner->currentMapBlock();
  spot.grounded = owner->isGrounded();
  return spot;
}

namespace {

// The item a mob is carried as; none for a pet, a mob gone and a mob no item stands for.
uint16_t capturedItemOf(const MobEntity* mob) {
  if (mob == nullptr || mob->data.removed || mob->kind() == EntityKind::Pet) return ITEM_NONE;
  const MobItemRow* row = gameTables().mobItems.forMob(mob->row().mobId());
  return row != nullptr ? row->item : ITEM_NONE;
}

}  // namespace

bool LocalLogic::captureMob(MobCatcher& catcher, MobEntity* mob) {
  const uint16_t item = capturedItemOf(mob);
  if (item == ITEM_NONE) return false;
  const Item* collar = catcher.usedItem();
  if (!isTamingCollar(collar) || mob->data.cell == nullptr || !catcher.canReach(*mob->data.cell, collar)) return false;
  const Item caught(item, 0, 1, 0, 0);
  return catcher.takeCaught(*mob, caught) && completeCapture(catcher, *mob);
}

bool LocalLogic::completeCapture(MobCatcher& catcher, MobEntity& mob) {
  const uint16_t item = capturedItemOf(&mob);
  // The collar is judged again as the capture ends: a joined player's ends at her answer, and
  // the hand she answers with may hold something else by then.
  if (item == ITEM_NONE || !isTamingCollar(catcher.usedItem())) return false;
  catcher.recordStat(kStatItemFound, item);
  catcher.useUpHeldItem();
  broadcastEffect(&mob, kCapturedEffect, 0);
  mob.remove();
  return true;
}

MobEntity* LocalLogic::summonPet(PlayerBase& player, const Item* item) {
  const MobItemRow* row = item != nullptr ? gameTables().mobItems.forItem(item->id) : nullptr;
  return summonPetOfRow(player, row != nullptr ? mobDefinitionById(row->mob) : nullptr);
}

MobEntity* LocalLogic::summonPetOfRow(PlayerBase& player, const MobDef* row) {
  const uint32_t owner = playerIdOf(&player);
  const uint32_t dismissed = entities_->dismissPets(owner);
  MapBlock* cell = player.currentMapBlock();
  MobEntity* pet = nullptr;
  if (row != nullptr && cell != nullptr) {
    pet = spawnMob(row, {static_cast<float>(cell->x) * 30.0f, static_cast<float>(cell->y) * 30.0f}, {}, 1, &player,
                   MobEntity::kPetGroup);
  }
  if (pet != nullptr) {
    playCellEffect(&player, *cell, kPetArrives, EffectAudience::Everyone);
    // The text names the pet that came.
    player.showMessage(console_kind::kInformation, tradeText(kTextPetCame, nameOf(*row)));
  } else if (dismissed != 0) {
    showTextById(&player, kTextPetLeft, console_kind::kInformation);
  }
  return pet;
}
