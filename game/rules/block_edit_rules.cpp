#include "game/rules/block_edit_rules.h"

#include "content/items/block_edit.h"
#include "game/player/player.h"
#include "game/rules/circuit_part_rule.h"
#include "world/seams/entity_effects.h"
#include "world/cells/block_flags.h"
#include "world/edits/block_edit_validator.h"
#include "world/edits/edit_kind.h"
#include "world/map/world_map.h"
#include "world/placement/placement_checks.h"
#include "world/placement/placement_reporter.h"
#include "world/protection/protected_areas.h"
#include "world/rules/console_kind.h"
#include "world/rules/logic.h"
#include "world/world.h"

namespace {

// Refusals of the placement checks reach the acting player as console lines: her own console, or,
// for a joined player on the host, her client's.
class PlayerReporter : public PlacementReporter {
 public:
  explicit PlayerReporter(PlayerBase& player) : player_(player) {}
  void showMessage(const std::string& text, int kind) override { player_.showMessage(static_cast<uint8_t>(kind), text); }
  bool mayLock(const MapBlock&) override { return true; }

 private:
  PlayerBase& player_;
};

// Asks as a player's reporter would and tells nobody: what a pointed-cell preview needs.
class QuietReporter : public PlacementReporter {
 public:
  void showMessage(const std::string&, int) override {}
  bool mayLock(const MapBlock&) override { return true; }
};

}  // namespace

bool isPlacementKind(uint8_t kind) {
  return kind == edit_kind::kSetLayerBlock || kind == edit_kind::kAttach || kind == edit_kind::kPlace;
}

bool placesHeldItem(uint8_t kind) { return isPlacementKind(kind) || kind == edit_kind::kCircuitPartSet; }

bool canPlaceBlock(World& world, LogicPlayers& rules, MapBlock& cell, uint16_t blockId, uint8_t layer) {
  const BlockPropsTable& props = world.map().props();
  if (props[blockId].has(block_flag::kCircuitComponent) && (cell.circuitA != 0 || cell.circuitB != 0)) {
    return false;
  }
  if (layer != MapBlock::kFront) return cell.backId() == 0;
  if (cell.frontId() != 0 && !props[cell.frontId()].has(block_flag::kReplaceableByPlanting)) return false;
  return !rules.findPlayer([&cell](PlayerBase* player) { return player->occupiesCell(cell); });
}

namespace {

// A solid block set into a cell where a player or an entity stands would shut it in.
bool wouldShutSomeoneIn(World& world, LogicPlayers& rules, const MapBlock& cell, uint16_t blockId) {
  if (!world.map().props()[blockId].has(block_flag::kSolid)) return false;
  if (world.effects().blocksPlacementIn(cell)) return true;
  return rules.findPlayer([&cell](PlayerBase* player) { return player->occupiesCell(cell); });
}

}  // namespace

namespace {

// The checks by kind, the placement checks reporting to `report` (none: the general rules).
bool editFits(World& world, LogicPlayers& rules, const BlockEdit& edit, MapBlock& cell, PlacementReporter* report,
              bool byPlayer) {
  switch (edit.kind) {
    case edit_kind::kPlace:
      return !wouldShutSomeoneIn(world, rules, cell, edit.blockId) && checkPlaceBlock(world, cell, edit.blockId, report);
    case edit_kind::kAttach: return checkAttachBlock(world, cell, edit.blockId, edit.layer, report);
    case edit_kind::kSetLayerBlock: return canPlaceBlock(world, rules, cell, edit.blockId, edit.layer);
    // A second part would take the first one's place, and the first one's item with it.
    case edit_kind::kCircuitPartSet: return !byPlayer || takesCircuitPart(cell);
    case edit_kind::kBreakEffects:
      return (edit.layer == MapBlock::kFront ? cell.frontId() : cell.backId()) != 0;
    default: return true;
  }
}

}  // namespace

bool canApplyBlockEdit(World& world, LogicPlayers& rules, const BlockEdit& edit, PlayerBase* player) {
  // An edit the world would refuse to write is refused here, before the player spends anything
  // on it: a placement either stands or costs nothing.
  if (validateBlockEdit(edit, world.map()) != EditRefusal::None) return false;
  if (player != nullptr && !player->isLocal && world.protectedAreas().isProtectedAt(edit.x, edit.y)) {
    player->showTextById(console_kind::kRefusal, edit_rules::kTextProtected);
    return false;
  }
  MapBlock* cell = world.map().cellAt(edit.x, edit.y);
  if (cell == nullptr) return false;
  std::optional<PlayerReporter> reporter;
  if (player != nullptr) reporter.emplace(*player);
  return editFits(world, rules, edit, *cell, reporter ? &*reporter : nullptr, player != nullptr);
}

bool wouldApplyForPlayer(World& world, LogicPlayers& rules, const BlockEdit& edit) {
  if (validateBlockEdit(edit, world.map()) != EditRefusal::None) return false;
  MapBlock* cell = world.map().cellAt(edit.x, edit.y);
  QuietReporter quiet;
  return cell != nullptr && editFits(world, rules, edit, *cell, &quiet, true);
}

bool checkBlockEdit(World& world, LogicPlayers& rules, const BlockEdit& edit, PlayerBase* player) {
  if (!canApplyBlockEdit(world, rules, edit, player)) {
    MapBlock* cell = world.map().cellAt(edit.x, edit.y);
    if (player != nullptr && placesHeldItem(edit.kind) && cell != nullptr) {
      player->playTileEffect(*cell, edit_rules::kEffectRefused);
    }
    return false;
  }
  if (player != nullptr && placesHeldItem(edit.kind)) {
    if (!world.isCreative() && isPlacementKind(edit.kind)) {
      player->recordLocalStat(edit_rules::kStatBlockPlaced, edit.blockId);
    }
    if (edit.takeHeld != 0) player->useUpLocalHeldItem();
  }
  return true;
}
