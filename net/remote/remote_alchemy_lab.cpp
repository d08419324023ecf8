#include "net/remote/remote_alchemy_lab.h"

#include "content/items/item_pool.h"
#include "net/remote/remote_message.h"

RemoteAlchemyLab::RemoteAlchemyLab(MapBlock& cell, Net& net) : AlchemyLab(cell), net_(net) {}

void RemoteAlchemyLab::setItem(uint8_t slot, Item* item) {
  if (slot > kOutputSlot) {
    freeItem(item);
    return;
  }
  putItem(slot, item);
  wire::WireOut out = remote::requestFor(wire::AlchemyLabMsg::AlchemyLabSlot, *this);
  out.u8(slot).item(item);
  remote::send(net_, out);
}
