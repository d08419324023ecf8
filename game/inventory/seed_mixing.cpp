#include "game/inventory/seed_mixing.h"

#include "content/items/item.h"
#include "content/items/item_ptr.h"
#include "game/inventory/inventory.h"
#include "world/plants/plant_genes.h"

namespace {

constexpr uint16_t kGeneBits = 0x7FFF;

bool knownSeed(const Item* item) {
  return item != nullptr && !item->isNone() && item->id == kSeedItem && (item->word & kSeedFromPlantMark) != 0;
}

uint16_t genesOf(const Item& seed) { return static_cast<uint16_t>(seed.word & kGeneBits); }

}  // namespace

bool canMixSeeds(const Item* a, const Item* b) {
  return knownSeed(a) && knownSeed(b) && genesOf(*a) != genesOf(*b);
}

SeedMix mixSeeds(Inventory& inventory, SlotRef a, SlotRef b) {
  SeedMix mix;
  const Item* first = inventory.slotItem(a);
  const Item* second = inventory.slotItem(b);
  if (a == b || !canMixSeeds(first, second)) return mix;
  const uint16_t child = mixPlantGenes(genesOf(*first), genesOf(*second));
  // The inventory stores a copy: the made seed goes back to the pool either way.
  const ItemPtr seed = makeSeedItem(1, 0xFFFF, static_cast<uint16_t>(child | kSeedFromPlantMark));
  if (seed == nullptr) return mix;
  // The parents go first, so a slot they leave empty may take the child.
  Item parentA = *first;
  Item parentB = *second;
  parentA.count = parentB.count = 1;
  inventory.useOneOf(a);
  inventory.useOneOf(b);
  bool newSlot = false;
  const SlotRef where = inventory.findSlotFor(seed.get(), newSlot);
  if (where.isNone()) {
    // No room for the child: the parents come back.
    inventory.findSlotFor(&parentA, newSlot);
    inventory.findSlotFor(&parentB, newSlot);
  } else {
    mix = {true, child, where};
  }
  return mix;
}
