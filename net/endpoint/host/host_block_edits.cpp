// A client's block edit ([4][60]) is a request, not a command: the host takes only the kinds a
// joined game sends (mining, placing what it holds, a circuit part among it, closing a container,
// setting a circuit device), only within the held tool's reach of where the host has that player,
// and a placement only with the held item that makes the block or the part, spent on the host's
// copy. Anything else (a removal across the map, a liquid, an explosion) is refused, and the
// client is told so.

#include <cstdlib>

#include "content/items/block_edit.h"
#include "content/items/item.h"
#include "content/tables/item_def.h"
#include "game/player/player_base.h"
#include "game/player/tool_reach.h"
#include "game/rules/block_edit_rules.h"
#include "game/rules/circuit_part_rule.h"
#include "game/rules/held_item_placement.h"
#include "net/endpoint/host/host_bounds.h"
#include "net/endpoint/net_server.h"
#include "net/players/player_messages.h"
#include "world/edits/edit_kind.h"
#include "world/map/world_map.h"
#include "world/rules/console_kind.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {

// The closed notice a container's leaving sends: a decoration removal of this value with no
// decoration slot. Any other decoration (a lock) is not the client's to remove.
constexpr uint8_t kAnySlot = 255;
constexpr uint16_t kContainerClosedValue = 127;
// In a creative world a player mines whatever its screen shows.
constexpr int kScreenReach = 40;
// The host hears of a player's steps a little after they were taken.
constexpr int kStepAllowance = 1;
constexpr const char* kDoesNotBreak = "That does not break with what you hold.";

bool isMining(uint8_t kind) { return kind == edit_kind::kBreakEffects || kind == edit_kind::kRemoveLayer; }

bool isClientKind(const BlockEdit& edit) {
  if (isMining(edit.kind) || placesHeldItem(edit.kind) || edit.kind == edit_kind::kCircuitSetting) return true;
  return edit.kind == edit_kind::kRemoveDeco && edit.slot == kAnySlot && edit.blockId == kContainerClosedValue;
}

// How far the player reaches with what it holds: a tool or weapon as far as it is made to, a bare
// hand one cell, and every placement as far as a click places.
int reachFor(const BlockEdit& edit, const Item* held, bool creative) {
  if (!isMining(edit.kind)) return host::kToolReach;
  if (creative) return kScreenReach;
  return toolReachOf(held) + kStepAllowance;
}

// The edit kinds a click with an item placed this way makes.
bool madeThisWay(uint8_t kind, PlacementWay way) {
  switch (way) {
    case PlacementWay::Block: return kind == edit_kind::kSetLayerBlock || kind == edit_kind::kPlace;
    case PlacementWay::Decoration: return kind == edit_kind::kAttach;
    case PlacementWay::CircuitPart: return kind == edit_kind::kCircuitPartSet;
    case PlacementWay::None: break;
  }
  return false;
}

// A placement is made with the held item that makes the block, a circuit part with the item of
// that part, and only as her click places it: a charge hangs on a block, never stands as one.
bool placesHeld(const World& world, const BlockEdit& edit, const Item* held) {
  if (held == nullptr || held->isNone() || held->count == 0) return false;
  if (!madeThisWay(edit.kind, placementWayOf(world, *held))) return false;
  if (edit.kind == edit_kind::kCircuitPartSet) return circuitKindPlacedBy(held) == edit.valueByte(0);
  const ItemDef* def = held->definition();
  return def != nullptr && def->record.placesBlock() == edit.blockId;
}

}  // namespace

// The host's copy of her items holds a unit of the held stack to spend on the block.
bool NetServer::copyPays(const Item* held, const PlayerBase& player) const {
  PlayerServer* remote = remoteOf(&player);
  return world()->isCreative() || remote == nullptr || remote->items().countOf(held->id) > 0;
}

const char* NetServer::clientEditRefusal(BlockEdit& edit, PlayerBase& player) const {
  if (!isClientKind(edit)) return "That change is not yours to make.";
  MapBlock* cell = world()->cellAt(edit.x, edit.y);
  const Item* held = player.heldItem();
  const int reach = reachFor(edit, held, world()->isCreative());
  if (cell == nullptr || !host::cellWithinReach(player, *cell, world()->map().width(), reach)) {
    return "That is out of your reach.";
  }
  if (placesHeldItem(edit.kind)) {
    if (!placesHeld(*world(), edit, held) || !copyPays(held, player)) {
      const PlayerServer* remote = remoteOf(&player);
      return remote != nullptr ? remote->notHeldText() : player_msg::kNotHeld;
    }
    edit.takeHeld = 1;  // the host spends what it places, whatever the client asked
  }
  // The rules tell the player themselves which tool it lacks; where they refuse without a word
  // (a block nothing breaks, a held item that breaks nothing) the host says it.
  const PlayerServer* remote = remoteOf(&player);
  const uint32_t told = remote != nullptr ? remote->toldCount() : 0;
  if (edit.kind == edit_kind::kRemoveLayer && !world()->rules().canBreakBlock(&player, player.heldItem(), *cell)) {
    return remote != nullptr && remote->toldCount() != told ? "" : kDoesNotBreak;
  }
  return nullptr;
}

void NetServer::editBlockFor(PlayerBase& player, BlockEdit edit) {
  // She mines with what her items still hold, not with a tool she let go of since she took it.
  if (PlayerServer* remote = remoteOf(&player)) remote->heldStillCarried();
  if (const char* refusal = clientEditRefusal(edit, player)) {
    if (*refusal != '\0') player.showMessage(console_kind::kRefusal, refusal);
    return;
  }
  world()->rules().editBlock(edit, &player);
}
