#include "net/endpoint/host/host_bags.h"

#include "content/items/item.h"
#include "game/inventory/bag_opening.h"
#include "net/players/player_messages.h"
#include "net/players/player_server.h"
#include "net/wire/wire_in.h"

namespace {

// The host's count of her items. It keeps no slots: whether her inventory has room for the find
// is her game's to judge before it asks. In a creative world the count is not kept.
class CopyOpener final : public BagOpener {
 public:
  CopyOpener(PlayerServer& player, bool creative) : player_(player), creative_(creative) {}
  bool holdsBag(uint16_t bagId) const override { return creative_ || player_.items().countOf(bagId) > 0; }
  void spendBag(uint16_t bagId) override {
    if (!creative_) player_.items().take(bagId, 1);
  }
  bool handOut(const Item& find) override {
    if (!creative_) player_.items().add(find);
    player_.tellBagContent(&find);
    return true;
  }

 private:
  PlayerServer& player_;
  bool creative_;
};

}  // namespace

namespace host {

void openBagFor(wire::WireIn& in, PlayerServer& player, bool creative) {
  const wire::PooledItem bag = wire::itemFromWire(in);
  if (bag == nullptr) return;
  // Her client spent the bag as it asked: a refused one goes back to her, one unit of it.
  bag->count = 1;
  CopyOpener opener(player, creative);
  switch (openBag(opener, bag->id)) {
    case BagOpening::NotABag: return player.returnItem(*bag, "That does not open.");
    case BagOpening::NotHeld: return player.returnItem(*bag, player.notHeldText());
    case BagOpening::Empty: return player.tellBagContent(nullptr);
    case BagOpening::NoRoom:
    case BagOpening::Found: return;
  }
}

}  // namespace host
