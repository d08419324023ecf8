#include "net/endpoint/host/host_bags.h"

#include "content/items/item.h"
#include "content/items/item_rules.h"
#include "game/inventory/item_kinds.h"
#include "net/players/player_messages.h"
#include "net/players/player_server.h"
#include "net/wire/wire_in.h"

namespace {

constexpr uint8_t kBagKind = 2;

// An item with a fixed drop that its holder opens: the kind the inventory opens on a double click.
bool isBag(const Item& item) { return itemKindOf(&item) == kBagKind && fixedDropFor(item.id) != nullptr; }

}  // namespace

namespace host {

void openBagFor(wire::WireIn& in, PlayerServer& player, bool creative) {
  const wire::PooledItem bag = wire::itemFromWire(in);
  if (bag == nullptr) return;
  // Her client spent the bag as it asked: a refused one goes back to her, one unit of it.
  bag->count = 1;
  if (!isBag(*bag)) {
    player.returnItem(*bag, "That does not open.");
    return;
  }
  if (!creative && player.items().take(bag->id, 1) == nullptr) {
    player.returnItem(*bag, player.notHeldText());
    return;
  }
  const DropRoll roll = rollDropFor(bag->id);
  if (roll.item.isNone() || roll.item.count == 0) {
    player.tellBagContent(nullptr);
    return;
  }
  if (!creative) player.items().add(roll.item);
  player.tellBagContent(&roll.item);
}

}  // namespace host
