#include "net/remote/remote_forge.h"

#include "content/items/item_pool.h"
#include "net/players/player_records.h"
#include "net/remote/remote_message.h"

RemoteForge::RemoteForge(MapBlock& cell, Net& net) : Forge(cell, Copy{}), net_(net) {}

void RemoteForge::setItem(uint8_t slot, ItemPtr item) {
  if (slot > kOutput) return;
  putItem(slot, std::move(item));
  wire::WireOut out = remote::requestFor(wire::ForgeMsg::ForgeSlot, *this);
  out.u8(slot).item(itemAt(slot));
  remote::sendSlot(net_, out);
}

void RemoteForge::showCounters(const player_record::ForgeCounters& counters) {
  setCounters(counters.fuelLeft, counters.smeltLeft, counters.fuelTotal, counters.smeltTotal,
              counters.burning);
}

void RemoteForge::replaceItems(std::array<wire::PooledItem, 3> items) {
  for (size_t slot = 0; slot < items.size(); ++slot) putItem(slot, std::move(items[slot]));
}
