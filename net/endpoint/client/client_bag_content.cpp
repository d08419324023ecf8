// What a bag the local player opened held: the host rolled it and counts the find as hers already.
#include "content/items/item.h"
#include "game/player/player_desktop.h"
#include "game/player/player_events.h"
#include "net/endpoint/net_client.h"
#include "net/wire/wire_in.h"
#include "net/wire/wire_out.h"

namespace {

constexpr int16_t kTextFound = 153;
constexpr int16_t kTextNothingInside = 154;

}  // namespace

// [2][51]: the find goes where a picked-up item goes. With no room left for it (the inventory
// filled while the answer travelled) it is dropped at the player's feet through the host, which
// takes it out of its count again, so nothing is lost and nothing is made.
void NetClient::bagContent(wire::WireIn& in, PlayerDesktopLocal& player) {
  const wire::PooledItem found = wire::itemFromWire(in);
  if (found == nullptr) {
    player.events().floatingText(kTextNothingInside, {});
    return;
  }
  player.events().floatingText(kTextFound, {});
  if (!player.pickUpItem(*found)) sendMessage(message(wire::PlayerMsg::DropItem).item(found.get()));
}
