// Block use: the local answers for stations and clocks, and the check whether a use may go on.

#include "game/rules/block_use.h"

#include <cstdio>
#include <string>

#include "content/items/block_filter.h"
#include "content/items/block_rules.h"
#include "content/items/item.h"
#include "content/items/item_rules.h"
#include "content/tables/content_tables.h"
#include "game/inventory/crafting_station.h"
#include "game/player/player.h"
#include "game/player/player_events.h"
#include "game/rules/block_use_support.h"
#include "world/blocks/stable.h"
#include "world/cells/block_flags.h"
#include "world/circuits/circuit_cells.h"
#include "world/map/world_map.h"
#include "world/placement/block_tables.h"
#include "world/seams/world_options.h"
#include "world/world.h"

namespace bf = block_flag;
using namespace block_use_support;

bool withinUseReach(const BlockUser& user, const MapBlock& cell) { return user.isNextToCell(cell); }

bool hasCircuitPart(const MapBlock& cell) {
  const uint8_t kind = circuitKind(cell);
  return (kind >= 1 && kind <= 14) || kind > 17;
}

int clockHour(uint32_t phase, uint32_t tickInPhase) {
  int start = 8, span = 10;
  if (phase == 2) start = 18, span = 3;
  if (phase == 4) start = 20, span = 10;
  if (phase == 8) start = 6, span = 3;
  const float t = static_cast<float>(tickInPhase % 512) / 512.0f;
  return static_cast<int>(static_cast<float>(span) * t + static_cast<float>(start)) % 24;
}

namespace {

// The station's recipes show in the craft book when the player asks for it, else on the
// inventory's crafting page.
void openCraftingStation(World& world, MapBlock& cell, Player& player) {
  player.inventory->setCraftingStation(nullptr, &cell, world.map().props());
  if (!world.options().openCraftbookRecipe()) {
    player.events().inventoryView(kCraftingPage);
    player.events().interfaceSound(kInventorySound);
    return;
  }
  BookViewFields book;
  book.category = craftingStationByKind(stationKindOfBlock(cell.frontId())).kind;
  player.events().bookView(book);
  player.events().interfaceSound(kBookSound);
}

}  // namespace

bool useStationOrClock(World& world, MapBlock& cell, uint8_t layer, Player& player) {
  if (layer != MapBlock::kFront) return false;
  const uint16_t id = cell.frontId();
  const bool station = world.map().props()[id].has(bf::kCraftingStation) && !world.isCreative();
  const bool clock = id == kClockA || id == kClockB;
  if (!station && !clock) return false;
  if (!withinUseReach(player, cell)) {
    warn(player, kOutOfReach);
    return true;
  }
  if (station) {
    openCraftingStation(world, cell, player);
    return true;
  }
  const DayClock& day = world.dayClock();
  const int hour = clockHour(static_cast<uint32_t>(day.phase), day.tickInPhase());
  char text[32];
  std::snprintf(text, sizeof text, "%d %s", hour < 12 ? hour : hour - 12, hour < 12 ? "AM" : "PM");
  player.showMessage(kInformation, text);
  return true;
}

namespace {

bool fuseOn(const MapBlock& cell) {
  return cell.hasDeco(kFuse, MapBlock::kFront) || (cell.frontId() == 0 && cell.hasDeco(kFuse, MapBlock::kBack));
}

bool holdingStableItemFor(const Item* held, uint16_t block) {
  return held != nullptr && isStableBlock(block) && stableItemAccepts(held->id, block);
}

// Front-word uses that need the player next to the cell (true) or may be made from within reach.
bool frontNeedsNearness(World& world, const MapBlock& cell, BlockUser& user, const Item* held, bool& far) {
  const BlockPropsTable& props = world.map().props();
  const uint16_t id = cell.frontId();
  if (props[id].has(bf::kCircuitOutput)) return true;
  if ((id == kToggle || cell.hasDeco(kToggle, MapBlock::kFront)) && !holdsClimbablePlaceable(held, props)) return true;
  if (id == kSign) {
    if (held != nullptr && held->id == kSignPen) return true;
    far = true;
    return false;
  }
  if (isSpecialBlockId(id) && !(held != nullptr && isSpecialPlaceable(held->id))) return true;
  if ((user.actingPlayer().heldToolCapabilities() & kTillingBit) != 0 && itemMatchesFilter(id, kTillFilter) &&
      user.canReach(cell, held)) {
    far = true;
    return false;
  }
  if (held != nullptr && held->id == kFertiliser) return true;
  return id == kLever;
}

}  // namespace

namespace {

// What the use of the cell comes to for this hand: allowed now, waiting for the player to stand
// next to the cell, or no use at all.
enum class UseAnswer { Allowed, NotNextToIt, NoUse };

UseAnswer answerUse(World& world, MapBlock& cell, uint8_t layer, BlockUser& user) {
  const BlockPropsTable& props = world.map().props();
  const Item* held = user.usedItem();
  const uint16_t word = cell.layerWord(layer);
  const uint16_t id = block_word::id(word);
  const bool creative = world.isCreative();
  // 1. A cutting tool within reach takes circuit parts and removable decorations at once.
  if ((user.actingPlayer().heldToolCapabilities() & 1) != 0 && user.canReach(cell, held)) {
    if (layer == MapBlock::kBack && hasCircuitPart(cell)) return UseAnswer::Allowed;
    if (!cell.isSolid(props) && !props[cell.frontId()].has(bf::kPlantWithSeeds) &&
        firstRemovableDeco(cell, layer) >= 0) {
      return UseAnswer::Allowed;
    }
  }
  bool near = false, far = false;
  bool finalTest = false;
  if (givesLightInHand(held) && fuseOn(cell)) {
    (creative ? far : near) = true;
  } else if (held == nullptr && (props[id].has(bf::kFruitPlant) || props[id].has(bf::kShelf))) {
    finalTest = true;
  } else if (!creative && holdingStableItemFor(held, id)) {
    finalTest = true;
  } else if (id == kPortalBlock) {
    finalTest = true;
  } else if (layer == MapBlock::kFront) {
    near = frontNeedsNearness(world, cell, user, held, far);
    if (!creative) {
      const bool container = lookupItemRule(id) != nullptr || isStableBlock(id) ||
                             ((id == kForge || id == kAlchemyLab) && !(held != nullptr && held->id == kOpener));
      if (container || keyFindsLock(held, cell)) finalTest = true;
    }
  }
  if (!finalTest && !near) return far ? UseAnswer::Allowed : UseAnswer::NoUse;
  return withinUseReach(user, cell) ? UseAnswer::Allowed : UseAnswer::NotNextToIt;
}

bool isStationOrClock(const World& world, const MapBlock& cell, uint8_t layer) {
  if (layer != MapBlock::kFront) return false;
  const uint16_t id = cell.frontId();
  return (world.map().props()[id].has(bf::kCraftingStation) && !world.isCreative()) || id == kClockA || id == kClockB;
}

}  // namespace

bool checkBlockUse(World& world, MapBlock& cell, uint8_t layer, BlockUser& user) {
  const UseAnswer answer = answerUse(world, cell, layer, user);
  if (answer == UseAnswer::Allowed) return true;
  // Told only where she cannot reach it either: within reach, a step nearer does it.
  if (answer == UseAnswer::NotNextToIt && !world.isCreative() && !user.canReach(cell, user.usedItem())) {
    warn(user.actingPlayer(), kOutOfReach);
  }
  return false;
}

bool blockUsable(World& world, MapBlock& cell, uint8_t layer, BlockUser& user) {
  if (isStationOrClock(world, cell, layer)) return withinUseReach(user, cell);
  return answerUse(world, cell, layer, user) == UseAnswer::Allowed;
}

bool useWaitsForNearness(World& world, MapBlock& cell, uint8_t layer, BlockUser& user) {
  if (isStationOrClock(world, cell, layer)) return !withinUseReach(user, cell);
  return answerUse(world, cell, layer, user) == UseAnswer::NotNextToIt;
}

bool isUsableCell(const WorldMap& map, const MapBlock& cell, uint8_t layer) {
  return (layer == MapBlock::kFront || layer == MapBlock::kBack) && map.cellAt(cell.x, cell.y) == &cell;
}

uint8_t clickedLayer(const MapBlock& cell) { return cell.frontId() != 0 ? MapBlock::kFront : MapBlock::kBack; }
