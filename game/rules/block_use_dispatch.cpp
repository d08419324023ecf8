// Block use: the dispatcher, in the order the uses are tried, and the shared small tests.

#include <initializer_list>

#include "content/items/block_edit.h"
#include "content/items/block_filter.h"
#include "content/items/block_rules.h"
#include "content/items/item_rules.h"
#include "content/tables/content_tables.h"
#include "engine/base/random.h"
#include "game/inventory/item_kinds.h"
#include "game/player/block_user.h"
#include "game/rules/bed_rules.h"
#include "game/rules/block_edit_rules.h"
#include "game/rules/block_use.h"
#include "game/rules/block_use_support.h"
#include "world/blocks/alchemy_lab.h"
#include "world/blocks/chest.h"
#include "world/blocks/forge.h"
#include "world/blocks/shelf.h"
#include "world/blocks/sign.h"
#include "world/cells/block_flags.h"
#include "world/circuits/circuit_cells.h"
#include "world/edits/cell_edit.h"
#include "world/edits/edit_kind.h"
#include "world/explosions/explosion_system.h"
#include "world/map/world_map.h"
#include "world/placement/block_tables.h"
#include "world/placement/switch_operations.h"
#include "world/plants/plant_system.h"
#include "world/protection/protected_areas.h"
#include "world/rules/logic.h"
#include "world/seams/world_options.h"
#include "world/world.h"

namespace bf = block_flag;
using namespace block_use_support;

namespace block_use_support {

int firstRemovableDeco(const MapBlock& cell, uint8_t side) {
  for (int slot = 0; slot < 4; ++slot) {
    const MapDeco deco = cell.decos[static_cast<size_t>(slot)];
    if (map_deco::empty(deco) || map_deco::side(deco) != side) continue;
    const uint16_t id = map_deco::id(deco);
    const BlockDef* def = blockDefinitionById(id);
    bool lock = false;
    for (uint16_t l : block_use::kLocks) lock = lock || l == id;
    if (def != nullptr && def->record.useKind() == 1 && !lock) return slot;
  }
  return -1;
}

int lockOn(const MapBlock& cell, int& slot) {
  for (slot = 0; slot < 4; ++slot) {
    const MapDeco deco = cell.decos[static_cast<size_t>(slot)];
    if (map_deco::empty(deco)) continue;
    for (int rank = 0; rank < 7; ++rank) {
      if (block_use::kLocks[rank] == map_deco::id(deco)) return rank;
    }
  }
  return -1;
}

int keyRank(const Item* held) {
  if (held == nullptr) return -1;
  for (int rank = 0; rank < 7; ++rank) {
    if (block_use::kKeys[rank] == held->id) return rank;
  }
  return -1;
}

bool holdsClimbablePlaceable(const Item* held, const BlockPropsTable& props) {
  if (held == nullptr) return false;
  const ItemDef* def = held->definition();
  if (def == nullptr) return false;
  return isPlacingKind(def->record.kind()) && props[def->record.placesBlock()].has(bf::kClimbable);
}

}  // namespace block_use_support

namespace {

// The cell effects a use shows (the view's world effects play them).
constexpr uint8_t kEffectBlockHit = 10;
constexpr uint8_t kEffectShake = 12;
constexpr uint8_t kEffectTilled = 14;
constexpr uint8_t kEffectLockBroken = 16;

BlockEdit decoEdit(const MapBlock& cell, uint8_t kind, uint16_t id, int slot) {
  BlockEdit edit = editForCell(cell, kind, id);
  edit.slot = static_cast<uint8_t>(slot);
  return edit;
}

bool hostsOwn(BlockUser& user) { return user.actingPlayer().isLocal != 0; }

// Lights the fuse on the cell for the player (1b). A blast the queue refuses is shown to the one
// who tried, where she stands.
void lightFuse(World& world, MapBlock& cell, BlockUser& user) {
  PlayerBase& player = user.actingPlayer();
  if (world.options().explosivesLock() && !hostsOwn(user)) {
    warn(player, kNoPermission);
    return;
  }
  const DecoHit fuse = cell.findDeco(kFuse);
  if (!fuse) return;
  if (!world.explosions().add(cell, &player, kStandardBlast, 160.0f, 0)) {
    player.playTileEffect(cell, edit_rules::kEffectRefused);
    return;
  }
  BlockEdit edit = decoEdit(cell, edit_kind::kSetDeco, kLitFuse, fuse.index);
  edit.variant = randomVariantFor(world.map().props(), kLitFuse);
  edit.layer = map_deco::side(*fuse.slot);
  world.rules().editBlock(edit, &player);
}

void useBackWord(World& world, MapBlock& cell, BlockUser& user) {
  LogicCells& rules = world.rules();
  LogicPlayers& players = world.rules();
  PlayerBase& player = user.actingPlayer();
  if ((player.heldToolCapabilities() & 1) == 0 || !user.canReach(cell, user.usedItem())) return;
  if (!hostsOwn(user) && world.protectedAreas().isProtectedAt(cell.x, cell.y)) {
    warn(player, kProtected);
    return;
  }
  if (hasCircuitPart(cell)) {
    // The edit names the part it cuts: once applied, the cell no longer says which it was.
    BlockEdit cut = editForCell(cell, edit_kind::kCircuitPartRemoved);
    cut.setValueByte(0, circuitKind(cell));
    rules.editBlock(cut, &player);
    players.playCellEffect(nullptr, cell, kEffectBlockHit, EffectAudience::AllButActor);
    return;
  }
  int lockSlot = 0;
  const int lockRank = lockOn(cell, lockSlot);
  for (int slot = 0; slot < 4 && !cell.isSolid(world.map().props()); ++slot) {
    const MapDeco deco = cell.decos[static_cast<size_t>(slot)];
    if (map_deco::empty(deco) || map_deco::side(deco) != MapBlock::kBack) continue;
    if (lockRank >= 0 && slot == lockSlot) continue;
    const BlockDef* def = blockDefinitionById(map_deco::id(deco));
    if (def == nullptr || def->record.useKind() != 1) continue;
    if (map_deco::id(deco) == kLitFuse) world.explosions().cancel(cell);
    rules.editBlock(decoEdit(cell, edit_kind::kRemoveDeco, map_deco::id(deco), slot), &player);
    players.playCellEffect(nullptr, cell, kEffectBlockHit, EffectAudience::AllButActor);
  }
}

// Tilling (11): false when the use goes on to the containers.
bool till(World& world, MapBlock& cell, BlockUser& user) {
  PlayerBase& player = user.actingPlayer();
  const BlockPropsTable& props = world.map().props();
  const MapBlock* above = cell.neighbourUp(world.map());
  if (above == nullptr || props[above->frontId()].transparency != 1) return true;
  for (MapDeco deco : cell.decos) {
    if (!map_deco::empty(deco) && map_deco::side(deco) == MapBlock::kFront && props[map_deco::id(deco)].has(bf::kBlockingDeco) &&
        !props[map_deco::id(deco)].has(bf::kRemovableAttachment)) {
      warn(player, kCannotTill);
      return false;
    }
  }
  DecoHit slot = cell.findFrontDecoWithFlags(props, uint64_t{1} << bf::kRemovableAttachment);
  if (!slot) slot = cell.findFreeDecoSlot();
  if (!slot) return false;
  BlockEdit edit = decoEdit(cell, edit_kind::kSetDeco, kTilledSoil, slot.index);
  edit.variant = randomVariantFor(props, kTilledSoil);
  edit.layer = MapBlock::kFront;
  // Refused (a protected cell), nothing was tilled: the hoe does not wear for it.
  if (!world.rules().editBlock(edit, &player)) return true;
  // Each player wears her own hoe: a joined player's on the host's copy of her items and, told so,
  // in her hand.
  player.wearHeldTool();
  world.rules().playCellEffect(nullptr, cell, kEffectTilled, EffectAudience::AllButActor);
  return true;
}

// Opens a container entity for the player, after the lock and in-use tests.
void openContainer(World& world, MapBlock& cell, BlockUser& user, LogicBlock* entity, uint16_t sound, bool lockable) {
  PlayerBase& player = user.actingPlayer();
  if (entity == nullptr || player.openContainer() != nullptr) return;
  LogicCells& rules = world.rules();
  LogicPlayers& players = world.rules();
  if (lockable && (world.options().chestLock() || cell.hasDeco(kLockMark, MapBlock::kFront)) && !hostsOwn(user)) {
    warn(player, kLocked);
    return;
  }
  if (entity->inUse()) {
    warn(player, kInUse);
    return;
  }
  players.playSound(cell, sound, 0);
  setCellDeco127(rules, world.map(), cell, true);
  // What it holds is shown at once, its slots beside the player's own.
  user.showContainer(*entity);
  entity->open();
}

void useContainer(World& world, MapBlock& cell, BlockUser& user, Item* held) {
  PlayerBase& player = user.actingPlayer();
  const uint16_t id = cell.frontId();
  if ((id == kForge || id == kAlchemyLab) && user.isNextToCell(cell)) {
    LogicBlock* entity = id == kForge ? static_cast<LogicBlock*>(world.forges().findAt(cell)) : world.alchemyLabs().findAt(cell);
    openContainer(world, cell, user, entity, 22, true);
  } else if (isStableBlock(id)) {
    Stable* stable = world.stables().findAt(cell);
    if (stable == nullptr) return;
    switch (stable->addMob(held != nullptr ? held->id : 0xFFFF)) {
      case Stable::kPlaced: user.useUpHeldItem(); break;
      case Stable::kNoRoom: warn(player, kStableFull); break;
      case Stable::kWrongStable: warn(player, kWrongStable); break;
      default: openContainer(world, cell, user, stable, 24, false); break;
    }
  } else if (lookupItemRule(id) == nullptr) {
    int slot = 0;
    const int lock = lockOn(cell, slot);
    const int key = keyRank(held);
    if (key < 0 || lock < 0) return;
    if (lock > key) {
      warn(player, kBetterKey);
      return;
    }
    world.rules().editBlock(decoEdit(cell, edit_kind::kRemoveDeco, block_use::kLocks[lock], slot), &player);
    world.rules().playCellEffect(nullptr, cell, kEffectLockBroken, EffectAudience::AllButActor);
  } else {
    openContainer(world, cell, user, world.chests().findAt(cell), 20, true);
  }
}

bool useFrontWord(World& world, MapBlock& cell, BlockUser& user, Item* held) {
  LogicCells& rules = world.rules();
  LogicPlayers& players = world.rules();
  PlayerBase& player = user.actingPlayer();
  const BlockPropsTable& props = world.map().props();
  const uint16_t id = cell.frontId();
  const bool next = user.isNextToCell(cell);
  if (props[id].has(bf::kCircuitOutput) && next) {
    setSwitchState(players, rules, cell, cell.frontVariant() == 0);
    return true;
  }
  if (id == kLever && next) {
    const bool on = cell.frontVariant() == 0;
    BlockEdit edit = editForCell(cell, edit_kind::kReplace, id);
    edit.variant = on ? 1 : 0;
    edit.state = cell.blockState();
    edit.layer = MapBlock::kFront;
    // A lever the rules refused to throw (a protected cell) sends nothing: its look is its state.
    if (!rules.editBlock(edit, &player)) return true;
    rules.setCircuitInput(cell, on ? 2 : 1);
    constexpr uint16_t kLeverSound = 56;
    players.playSound(cell, kLeverSound, 0);
    return true;
  }
  const DecoHit toggleDeco = cell.findDecoOnSide(kToggle, MapBlock::kFront);
  if ((id == kToggle || toggleDeco) && !holdsClimbablePlaceable(held, props)) {
    const uint8_t variant = id == kToggle ? cell.frontVariant() : map_deco::variant(*toggleDeco.slot);
    setToggleAttachmentState(world, cell, variant == 0);
    return true;
  }
  if (id == kSign) {
    Sign* sign = world.signs().findAt(cell);
    if (sign == nullptr || player.openContainer() != nullptr) return true;
    if (held == nullptr || held->id != kSignPen) {
      user.readSign(*sign, false);
      return true;
    }
    // Rewriting is an edit of the cell: another player's pen does not change the host's guarded
    // signs any more than her hands take them off (placeSign).
    if (!hostsOwn(user) && world.protectedAreas().isProtectedAt(cell.x, cell.y)) {
      warn(player, kProtected);
      return true;
    }
    if (sign->inUse()) {
      warn(player, kInUse);
      return true;
    }
    setCellDeco127(rules, world.map(), cell, true);
    user.readSign(*sign, true);
    return true;
  }
  if (isSpecialBlockId(id) && !(held != nullptr && isSpecialPlaceable(held->id))) {
    useBed(world, cell, player);
    return true;
  }
  if ((player.heldToolCapabilities() & kTillingBit) != 0 && itemMatchesFilter(id, kTillFilter) &&
      user.canReach(cell, held)) {
    if (till(world, cell, user)) return true;
  } else if (held != nullptr && held->id == kFertiliser) {
    MapBlock* top = world.plants().stackTopAt(cell);
    if (top == nullptr || !world.plants().growPlantAt(rules, *top)) warn(player, kCannotGrow);
    return true;
  }
  if (!world.isCreative()) useContainer(world, cell, user, held);
  return true;
}

}  // namespace

void useBlock(World& world, MapBlock& cell, uint8_t layer, BlockUser& user) {
  LogicPlayers& rules = world.rules();
  LogicCells& cells = world.rules();
  LogicEntities& entities = world.rules();
  PlayerBase& player = user.actingPlayer();
  const BlockPropsTable& props = world.map().props();
  Item* held = user.usedItem();
  if (held != nullptr) {
    const int removable = firstRemovableDeco(cell, layer);
    if ((player.heldToolCapabilities() & 1) != 0 && !cell.isSolid(props) &&
        !props[cell.frontId()].has(bf::kPlantWithSeeds) && removable >= 0) {
      rules.playCellEffect(nullptr, cell, kEffectBlockHit, EffectAudience::AllButActor);
      cells.editBlock(decoEdit(cell, edit_kind::kRemoveDeco, map_deco::id(cell.decos[static_cast<size_t>(removable)]), removable), &player);
      cells.launchFromCell(cell);
      return;
    }
    const DecoHit fuse = cell.findDeco(kFuse);
    if (givesLightInHand(held) && fuse && !(map_deco::side(*fuse.slot) == MapBlock::kBack && cell.frontId() != 0)) {
      lightFuse(world, cell, user);
      return;
    }
  }
  const uint16_t front = cell.frontId();
  if (held == nullptr && props[front].has(bf::kFruitPlant)) {
    world.plants().takeFruit(entities, cell, kNoEntity);
    rules.playCellEffect(nullptr, cell, kEffectBlockHit, EffectAudience::AllButActor);
    return;
  }
  if (held == nullptr && props[front].has(bf::kShelf)) {
    if (!world.options().shelfLock() || hostsOwn(user)) {
      if (Shelf* shelf = world.shelves().findAt(cell)) shelf->clearDisplay(entities);
    }
    rules.playCellEffect(nullptr, cell, kEffectShake, EffectAudience::AllButActor);
    return;
  }
  if (block_word::id(cell.layerWord(layer)) == kPortalBlock) {
    rules.usePortal(&player, &cell);
    return;
  }
  if (layer == MapBlock::kBack) {
    useBackWord(world, cell, user);
    return;
  }
  useFrontWord(world, cell, user, held);
}
