#pragma once
// What the rules ask of the entity lists, which live in the entity layer: clearing every list when
// a world ends. (Whether an entity stands where a block would go, each world answers through its
// own context's entities.) The entity layer registers its implementation at launch; the null
// form has no entities.
//
// Main thread only.

#include "engine/base/seam.h"

class EntityLists {
 public:
  virtual ~EntityLists() = default;
  virtual void clearAll() {}
};

// The registration slot behind the short forms below (not owned; null restores the null form).
engine::Seam<EntityLists, EntityLists>& entityListsSeam();
EntityLists& entityLists();
void setEntityLists(EntityLists* lists);
