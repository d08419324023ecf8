#include "game/rules/local_logic.h"

#include <cmath>
#include <cstdlib>

#include "content/tables/difficulty_row.h"
#include "engine/base/random.h"
#include "game/player/player.h"
#include "game/player/player_events.h"
#include "game/rules/bed_rules.h"
#include "game/rules/block_edit_rules.h"
#include "game/rules/brewing_rules.h"
#include "game/rules/portal_rules.h"
#include "game/rules/rule_entities.h"
#include "game/rules/surface_step.h"
#include "game/trade/trade_codes.h"
#include "game/trade/trade_session.h"
#include "world/cells/visible_cell_counts.h"
#include "world/circuits/circuit_system.h"
#include "world/map/world_map.h"
#include "world/portals/portal_list.h"
#include "world/seams/cell_sounds.h"
#include "world/world.h"

namespace {

constexpr uint8_t kFirstDeathKind = 20;

int32_t foldedColumnDistance(int32_t from, int32_t to, int32_t width) {
  int32_t d = to - from;
  if (d > width / 2) d -= width;
  if (d < -width / 2) d += width;
  return d;
}

NullRuleEntities& noEntities() {
  static NullRuleEntities none;
  return none;
}

}  // namespace

PlayerBase* pickPresentPlayer(const std::vector<PlayerBase*>& players, const Logic::PlayerTest& isPresent) {
  bool any = false;
  for (PlayerBase* player : players) any = any || (player != nullptr && isPresent(player));
  if (!any) return nullptr;
  for (;;) {
    PlayerBase* drawn = players[static_cast<size_t>(engine::randomNext()) % players.size()];
    if (drawn != nullptr && isPresent(drawn)) return drawn;
  }
}

LocalLogic::LocalLogic(World* world, Player* player, const DifficultyRow* difficulty)
    : world_(world), player_(player), difficulty_(difficulty), entities_(&noEntities()) {}

LocalLogic::~LocalLogic() = default;

void LocalLogic::setEntities(RuleEntities* entities) { entities_ = entities != nullptr ? entities : &noEntities(); }

SwingTargets* LocalLogic::swingTargets() const { return entities_->swingTargets(); }

// ---- Players ----

void LocalLogic::forEachPlayer(const PlayerVisitor& visit) {
  if (player_ != nullptr) visit(player_);
}

bool LocalLogic::anyPlayer(const PlayerTest& test) { return player_ != nullptr && test(player_); }

PlayerBase* LocalLogic::firstPlayerWhere(const PlayerTest& test) {
  return anyPlayer(test) ? player_ : nullptr;
}

// Alone in her world the local player is the one: no number is drawn, so the random tick takes
// nothing from the sequence the spawning and the weather draw from.
PlayerBase* LocalLogic::somePlayer() {
  return player_ != nullptr && isPlayerPresent(player_) ? player_ : nullptr;
}

std::pair<uint16_t, uint16_t> LocalLogic::offsetToNearestPlayer(const MapBlock& cell) {
  if (player_ == nullptr || world_ == nullptr) return {32767, 32767};
  return cellOffsetFrom(*player_, cell);
}

uint32_t LocalLogic::distanceToNearestPlayer(const MapBlock& cell) {
  if (player_ == nullptr || world_ == nullptr) return 65535;
  return cellDistanceFrom(*player_, cell);
}

std::pair<uint16_t, uint16_t> LocalLogic::cellOffsetFrom(const PlayerBase& player, const MapBlock& cell) const {
  const int32_t dx = foldedColumnDistance(cell.x, static_cast<int32_t>(player.cellX), world_->map().width());
  const int32_t dy = static_cast<int32_t>(player.cellY) - cell.y;
  return {static_cast<uint16_t>(std::abs(dx)), static_cast<uint16_t>(std::abs(dy))};
}

uint32_t LocalLogic::cellDistanceFrom(const PlayerBase& player, const MapBlock& cell) const {
  const auto dx = static_cast<float>(foldedColumnDistance(cell.x, static_cast<int32_t>(player.cellX),
                                                          world_->map().width()));
  const auto dy = static_cast<float>(static_cast<int32_t>(player.cellY) - cell.y);
  return static_cast<uint32_t>(std::sqrt(dx * dx + dy * dy));
}

PlayerBase* LocalLogic::mobTargetPlayer(MobEntity*) {
  return player_ != nullptr && !player_->hasFlag(player_flag::kTarget) ? player_ : nullptr;
}

void LocalLogic::playCellEffect(PlayerBase*, MapBlock& cell, uint8_t effect, EffectAudience) {
  if (player_ != nullptr) player_->events().tileEffect(*player_, cell, effect);
}

// Each present player is shown it through her own effect operation (a client's is sent it).
void LocalLogic::broadcastEffect(Entity* entity, uint8_t effect, uint16_t value) {
  forEachPlayer([entity, effect, value](PlayerBase* player) {
    if (player != nullptr) player->playEntityEffect(entity, effect, value);
  });
}

void LocalLogic::playPlayerAction(PlayerBase*, uint8_t action, uint8_t value, EffectAudience) {
  if (player_ != nullptr) player_->playAction(action, value);
}

void LocalLogic::playSound(MapBlock& cell, uint16_t soundId, uint16_t value) {
  if (world_ != nullptr) world_->sounds().playAt(cell, soundId, value);
}

void LocalLogic::setPlayerFlag(PlayerBase* player, uint16_t flag, uint8_t on) {
  if (player == nullptr) return;
  player->stats.setFlag(flag, on != 0);
  player->refreshAppearance();
}

void LocalLogic::teleportPlayer(PlayerBase* player, MapBlock& cell) {
  if (player != nullptr) player->teleportTo(cell);
}

void LocalLogic::setPlayerInBed(PlayerBase*, uint8_t) {
  if (player_ != nullptr) sleepThroughTheNight(*player_);
}

void LocalLogic::respawnPlayer(PlayerBase* player) {
  if (player == nullptr || world_ == nullptr) return;
  player->respawnReset();
  returnToLife(*player);
  playPlayerAction(player, rule_action::kRevived, 0, EffectAudience::Everyone);
}

MapBlock* LocalLogic::returnToLife(PlayerBase& player) {
  MapBlock* cell = world_->map().cellAt(player.spawnCellX, player.spawnCellY);
  if (cell != nullptr) player.teleportTo(*cell);
  player.revive();
  summonPet(player, player.trinket());
  return cell;
}

// The rules' own player takes its game to the portal's world; another present player (a client's,
// on a host) is told to follow.
bool LocalLogic::usePortal(PlayerBase* player, MapBlock* cell) {
  if (player == nullptr || cell == nullptr || world_ == nullptr) return false;
  const uint32_t planet = world_->map().params().planetId;
  std::vector<PlayerBase*> present;
  forEachPlayer([&present](PlayerBase* p) { present.push_back(p); });
  return ::usePortal(*player, world_->portalList().records(), planet, *cell, portalChoices_, present,
                     [this](PlayerBase& traveller, const PortalRecord& portal) {
                       if (&traveller == player_) {
                         travelThroughPortal(*player_, portal);
                       } else {
                         traveller.travelThroughPortal();
                       }
                     });
}

bool LocalLogic::isLocalPlayer(PlayerBase* player) { return player != nullptr && player == player_; }

uint32_t LocalLogic::playerIdOf(PlayerBase* player) { return player != nullptr ? player->playerId() : 0; }

PlayerBase* LocalLogic::playerById(uint32_t id) {
  return id == 0 ? nullptr : firstPlayerWhere([id](PlayerBase* p) { return p->playerId() == id; });
}

void LocalLogic::showTextById(PlayerBase* player, uint16_t textId, uint8_t kind) {
  if (player != nullptr) player->showTextById(kind, static_cast<int16_t>(textId));
}

void LocalLogic::requestTrade(PlayerBase* asking, PlayerBase*) {
  if (asking != nullptr) asking->tradeNotice(trade::kRefusalKind, trade::kTextNobodyHere, {});
}

void LocalLogic::randomTick() {
  if (world_ != nullptr) randomSurfaceTick(*world_, *this, *this, world_->visibleCells());
}

// ---- Cells ----

bool LocalLogic::editAllowed(const BlockEdit& edit, PlayerBase* player) {
  return world_ != nullptr && checkBlockEdit(*world_, *this, edit, player);
}

bool LocalLogic::editBlock(const BlockEdit& edit, PlayerBase* player) {
  if (!editAllowed(edit, player)) return false;
  world_->applyBlockEdit(edit, player);
  return true;
}

void LocalLogic::setCircuitInput(MapBlock& cell, uint8_t value) {
  if (world_ != nullptr) world_->circuits().setCellConfig(cell, value);
}

bool LocalLogic::brewPotion(AlchemyLab& lab, PlayerBase* player) { return brewPotionAt(lab, player); }

// ---- Damage ----

void LocalLogic::endLife(PlayerBase& player) { player.die(); }

bool LocalLogic::damagePlayer(PlayerBase& player, float amount, uint8_t kind) {
  if ((world_ != nullptr && world_->isCreative()) || player.dead || (player.cooldown > 0 && kind < 5)) {
    return false;
  }
  player.takeDamage(amount * difficultyDamageFactor(difficulty_), kind);
  if (kind < 4) player.cooldown = difficultyProtectionTime(difficulty_);
  playPlayerAction(&player, rule_action::kHurt, 0, EffectAudience::Everyone);
  if (player.health > 0) return true;
  if (kind >= kFirstDeathKind && kind < kFirstDeathKind + 5) {
    player.recordLocalStat(kStatDeathByKind[kind - kFirstDeathKind], 0);
  }
  endLife(player);
  playPlayerAction(&player, rule_action::kDied, 0, EffectAudience::Everyone);
  // The dead leave nothing following them: the pet goes, the line is cut, and a trade in progress
  // ends for both sides, the offers back with their owners.
  entities_->dismissPets(playerIdOf(&player));
  entities_->dismissBobbers(playerIdOf(&player));
  endTradeOf(player);
  return true;
}
