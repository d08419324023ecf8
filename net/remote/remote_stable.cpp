#include "net/remote/remote_stable.h"

#include "net/remote/remote_message.h"

RemoteStable::RemoteStable(MapBlock& cell, World& world, Net& net,
                           const std::array<Place, kSlots>& places, ItemPtr feed)
    : Stable(cell, world), net_(net), places_(places) {
  Stable::setItem(std::move(feed));
}

void RemoteStable::setItem(ItemPtr feed) {
  Stable::setItem(std::move(feed));
  wire::WireOut out = remote::requestFor(wire::StableMsg::StableFeed, *this);
  out.item(this->feed());
  remote::sendSlot(net_, out);
}

int32_t RemoteStable::mobKindAt(int slot) const {
  if (slot < 0 || slot >= kSlots) return -1;
  const uint16_t kind = places_[static_cast<size_t>(slot)].kind;
  return kind == kEmptyPlace ? -1 : kind;
}

uint8_t RemoteStable::mobFedLevelAt(int slot) const {
  if (mobKindAt(slot) < 0) return 0;
  return places_[static_cast<size_t>(slot)].fed;
}
