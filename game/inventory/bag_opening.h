#pragma once
// Opening a bag: an item of the consumable kind with a fixed drop. The drop is rolled; an empty
// roll spends the bag; a find goes to the player, and with no room for it the bag stays shut. The
// same steps run over the player's inventory when she plays alone and over a host's count of a
// joined player's items (the host alone knows the roll), each through its own `BagOpener`.
//
// Main thread only.

#include <cstdint>

class Item;

class BagOpener {
 public:
  virtual ~BagOpener() = default;
  virtual bool holdsBag(uint16_t bagId) const = 0;
  virtual void spendBag(uint16_t bagId) = 0;
  // The find goes to the player; false, nothing changed, with no room for it.
  virtual bool handOut(const Item& find) = 0;
};

enum class BagOpening : uint8_t { NotABag, NotHeld, Empty, NoRoom, Found };

// An item of the consumable kind that has a fixed drop.
bool isBag(const Item& item);
// One bag of the id, opened for the player.
BagOpening openBag(BagOpener& opener, uint16_t bagId);
