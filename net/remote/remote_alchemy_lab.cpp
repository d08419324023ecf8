#include "net/remote/remote_alchemy_lab.h"

#include "content/items/item_pool.h"
#include "net/remote/remote_message.h"

RemoteAlchemyLab::RemoteAlchemyLab(MapBlock& cell, Net& net) : AlchemyLab(cell), net_(net) {}

void RemoteAlchemyLab::setItem(uint8_t slot, ItemPtr item) {
  if (slot > kOutputSlot) return;
  putItem(slot, std::move(item));
  wire::WireOut out = remote::requestFor(wire::AlchemyLabMsg::AlchemyLabSlot, *this);
  out.u8(slot).item(itemAt(slot));
  remote::sendSlot(net_, out);
}
