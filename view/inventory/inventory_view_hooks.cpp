#include "view/inventory/inventory_view_hooks.h"

engine::Seam<InventoryViewHooks, NullInventoryViewHooks>& inventoryViewHooksSeam() {
  static engine::Seam<InventoryViewHooks, NullInventoryViewHooks> seam;
  return seam;
}

InventoryViewHooks& inventoryViewHooks() { return inventoryViewHooksSeam().get(); }

void setInventoryViewHooks(InventoryViewHooks* hooks) { inventoryViewHooksSeam().set(hooks); }
