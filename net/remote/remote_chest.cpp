#include "net/remote/remote_chest.h"

#include "content/items/item.h"
#include "content/items/item_pool.h"
#include "net/remote/remote_message.h"

RemoteChest::RemoteChest(MapBlock& cell, size_t slots, int32_t offset, Net& net)
    : Chest(cell, SlotCount{slots}), net_(net) {
  if (offset > 0) Chest::nextPage(offset);
}

void RemoteChest::sendPageStep(int8_t step) {
  wire::WireOut out = remote::requestFor(wire::ChestMsg::ChestPage, *this);
  out.u8(static_cast<uint8_t>(step));
  remote::send(net_, out);
}

bool RemoteChest::prevPage(int32_t n) {
  sendPageStep(static_cast<int8_t>(-(n % 256)));
  return Chest::prevPage(n);
}

bool RemoteChest::nextPage(int32_t n) {
  sendPageStep(static_cast<int8_t>(n));
  return Chest::nextPage(n);
}

void RemoteChest::setItem(int32_t index, ItemPtr item) {
  if (index < 0 || static_cast<size_t>(index) >= slotCount()) return;
  Chest::setItem(index, std::move(item));
  wire::WireOut out = remote::requestFor(wire::ChestMsg::ChestSlot, *this);
  out.u8(static_cast<uint8_t>(index)).item(itemAt(static_cast<size_t>(index)));
  remote::sendSlot(net_, out);
}
