#include "net/endpoint/host/host_crafts.h"

#include <vector>

#include "content/items/item.h"
#include "content/tables/content_tables.h"
#include "game/crafting/craft_recipe.h"
#include "game/crafting/craft_spending.h"
#include "net/endpoint/host/host_bounds.h"
#include "net/players/player_server.h"
#include "net/wire/wire_in.h"
#include "world/rules/console_kind.h"

namespace {

constexpr const char* kNotPaid = "You do not hold what that craft needs.";

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

bool copyHoldsAll(PlayerItemCopy& items, const std::vector<CraftedStack>& spent) {
  for (const CraftedStack& stack : spent) {
    if (items.countOf(stack.id) < stack.count) return false;
  }
  return true;
}

void addUnits(PlayerItemCopy& items, uint16_t id, uint16_t count) {
  if (id == ITEM_NONE || count == 0) return;
  items.add(Item(id, 0, count, 0, 0));
}

}  // namespace

namespace host {

void payForCraft(wire::WireIn& in, PlayerServer& player, bool creative) {
  const uint16_t row = in.u16();
  const std::vector<CraftedStack> spent = readSpent(in);
  const auto& recipes = contentTables().craftDefs;
  const bool known = row < recipes.size() && recipes[row].resultCount() > 0;
  if (creative && known) return;
  if (!known || spent.empty() || !spendingPaysFor(recipes[row], spent) || !copyHoldsAll(player.items(), spent)) {
    player.showMessage(console_kind::kRefusal, kNotPaid);
    return;
  }
  const CraftDef& recipe = recipes[row];
  for (const CraftedStack& stack : spent) {
    player.items().take(stack.id, stack.count);
    if (recipe.returnsContainers()) addUnits(player.items(), returnedContainer(stack.id), stack.count);
  }
  addUnits(player.items(), recipe.result(), recipe.resultCount());
}

}  // namespace host
