#include "net/endpoint/host/host_crafts.h"

#include <utility>
#include <vector>

#include "content/items/item.h"
#include "content/tables/content_tables.h"
#include "game/crafting/craft_recipe.h"
#include "game/crafting/craft_rule.h"
#include "game/crafting/craft_spending.h"
#include "game/crafting/recipes.h"
#include "game/inventory/crafting_station.h"
#include "net/endpoint/host/host_bounds.h"
#include "net/players/player_server.h"
#include "net/wire/wire_in.h"
#include "world/cells/block_flags.h"
#include "world/cells/block_props.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"
#include "world/rules/console_kind.h"
#include "world/world.h"

namespace {

// The cells around her the crafting view takes a station from, and one more for the steps the
// host has not heard of yet.
constexpr int kStationReach = 2;

bool servesAs(uint8_t kind, uint8_t station) { return kind != 0 && stationServes(kind, station); }

// A station of the recipe's kind stands beside the host's copy of her, or she holds one.
bool stationBeside(const PlayerServer& player, uint8_t station) {
  if (station == 0) return true;
  const Item* held = player.heldItem();
  for (const CraftingStation& row : craftingStations()) {
    if (held != nullptr && row.itemId != 0 && held->id == row.itemId && servesAs(row.kind, station)) return true;
  }
  if (player.world == nullptr) return false;
  const WorldMap& map = player.world->map();
  for (int dx = -kStationReach; dx <= kStationReach; ++dx) {
    for (int dy = -kStationReach; dy <= kStationReach; ++dy) {
      const MapBlock* cell = map.cellAt(static_cast<int32_t>(player.cellX) + dx, static_cast<int32_t>(player.cellY) + dy);
      if (cell == nullptr || !map.props()[cell->frontId() & 0xFFF].has(block_flag::kCraftingStation)) continue;
      if (servesAs(stationKindOfBlock(cell->frontId()), station)) return true;
    }
  }
  return false;
}

// The stacks the client names, one unit list per id; empty when any is not an item or the
// units add up to more than a craft uses.
std::vector<CraftedStack> readSpent(wire::WireIn& in) {
  const uint32_t stacks = in.count();
  if (!host::craftStacksFit(stacks)) return {};
  CraftSpending spent;
  uint32_t units = 0;
  for (uint32_t i = 0; i < stacks; ++i) {
    const wire::PooledItem item = wire::itemFromWire(in);
    if (item == nullptr || item->count == 0) return {};
    units += item->count;
    if (units > kMostCraftUnits) return {};
    for (uint16_t unit = 0; unit < item->count; ++unit) spent.add(item->id);
  }
  return {spent.stacks().begin(), spent.stacks().end()};
}

bool copyHoldsAll(const PlayerItemCopy& items, const std::vector<CraftedStack>& spent) {
  for (const CraftedStack& stack : spent) {
    if (items.countOf(stack.id) < stack.count) return false;
  }
  return true;
}

void addUnits(PlayerItemCopy& items, uint16_t id, uint16_t count) {
  if (id == ITEM_NONE || count == 0) return;
  items.add(Item(id, 0, count, 0, 0));
}

// The host's side of her craft: where it has her, and its count of her items, paid with the units
// her game names (what her inventory lost, equivalents included). The count keeps no slots:
// whether her inventory has room for the result is her game's to judge before it tells the host.
// In a creative world the count is not kept: she holds all and nothing is paid.
class CopyCrafter final : public Crafter {
 public:
  CopyCrafter(PlayerServer& player, std::vector<CraftedStack> spent, bool creative)
      : player_(player), spent_(std::move(spent)), creative_(creative) {}

  bool hasStationFor(uint8_t station) const override { return stationBeside(player_, station); }
  bool holdsIngredientsFor(const CraftDef& recipe) const override {
    if (creative_) return true;
    return !spent_.empty() && spendingPaysFor(recipe, spent_) && copyHoldsAll(player_.items(), spent_);
  }
  bool hasRoomFor(const CraftDef&) const override { return true; }
  bool make(const CraftDef& recipe) override {
    if (creative_) return true;
    for (const CraftedStack& stack : spent_) {
      player_.items().take(stack.id, stack.count);
      if (recipe.returnsContainers()) addUnits(player_.items(), returnedContainer(stack.id), stack.count);
    }
    addUnits(player_.items(), recipe.result(), recipe.resultCount());
    return true;
  }

 private:
  PlayerServer& player_;
  std::vector<CraftedStack> spent_;
  bool creative_;
};

}  // namespace

namespace host {

void payForCraft(wire::WireIn& in, PlayerServer& player, bool creative) {
  const uint16_t row = in.u16();
  CopyCrafter crafter(player, readSpent(in), creative);
  const CraftOutcome outcome = craftRow(crafter, row);
  if (outcome != CraftOutcome::Made) player.showMessage(console_kind::kRefusal, craftRefusalText(outcome));
}

}  // namespace host
