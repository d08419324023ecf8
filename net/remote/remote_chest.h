#pragma once
// A client's copy of the host's chest, built from the chest's contents as the host sent them. The
// chest window works on it as on a chest of its own; every change the player makes (a slot, a
// page step) goes to the host as a request, which the host applies to its chest. The copy owns
// its stacks like any chest.
//
// Main thread only.

#include <cstddef>
#include <cstdint>

#include "world/blocks/chest.h"

class Item;
class Net;

class RemoteChest : public Chest {
 public:
  // `net` (not owned) must outlive the copy.
  RemoteChest(MapBlock& cell, size_t slots, int32_t offset, Net& net);

  // Takes a stack the host sent, without a request.
  void fill(size_t slot, ItemPtr item) { putItem(slot, std::move(item)); }

  bool prevPage(int32_t n) override;
  bool nextPage(int32_t n) override;
  // A slot past the chest's has no place for the stack: it goes back to the pool, unsent.
  void setItem(int32_t index, ItemPtr item) override;

 private:
  void sendPageStep(int8_t step);

  Net& net_;
};
