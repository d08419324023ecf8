#include "saves/world/world_save_links.h"

#include "content/items/item_pool.h"

namespace {

WorldSaveLinks* registered = nullptr;

}  // namespace

void NullWorldSaveLinks::restoreStable(World&, MapBlock&, const StableContents&, Item* feed) {
  freeItem(feed);
}

WorldSaveLinks& worldSaveLinks() {
  static NullWorldSaveLinks none;
  return registered != nullptr ? *registered : none;
}

void setWorldSaveLinks(WorldSaveLinks* links) { registered = links; }
