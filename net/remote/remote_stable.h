#pragma once
// A client's copy of the host's stable: instead of live mobs it keeps what the host sent of its
// three places (the mob kind, 0xFFFF for an empty place, and the fed level) besides the feed. A
// new feed goes to the host as a request.
//
// Main thread only.

#include <array>
#include <cstdint>

#include "world/blocks/stable.h"

class Net;

class RemoteStable : public Stable {
 public:
  static constexpr uint16_t kEmptyPlace = 0xFFFF;

  struct Place {
    uint16_t kind = kEmptyPlace;
    uint8_t fed = 0;
  };

  // `net` (not owned) must outlive the copy; the feed (may be null) passes in.
  RemoteStable(MapBlock& cell, World& world, Net& net, const std::array<Place, kSlots>& places,
               ItemPtr feed);

  void setItem(ItemPtr feed) override;
  // -1 for an empty place, as the host's stable answers.
  int32_t mobKindAt(int slot) const override;
  uint8_t mobFedLevelAt(int slot) const override;

 private:
  Net& net_;
  std::array<Place, kSlots> places_;
};
