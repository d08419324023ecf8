#include "game/rules/entity_lists.h"

engine::Seam<EntityLists, EntityLists>& entityListsSeam() {
  static engine::Seam<EntityLists, EntityLists> seam;
  return seam;
}

EntityLists& entityLists() { return entityListsSeam().get(); }

void setEntityLists(EntityLists* lists) { entityListsSeam().set(lists); }
