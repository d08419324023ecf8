#pragma once
// What the content start-up needs from the entities, which sit above this library: filling the
// effect slots of the mob, bullet and item-use tables. The entities register their
// implementation at launch; until then the null form leaves the slots empty.

#include "engine/base/seam.h"

class EntityServices {
 public:
  virtual ~EntityServices() = default;
  // Called once, after the content file and the language file are loaded.
  virtual void registerEntityEffects() = 0;
};

// Without the entities there are no effects to put in the tables.
class NullEntityServices final : public EntityServices {
 public:
  void registerEntityEffects() override {}
};

// The registration slot behind the short forms below (not owned; null restores the null form).
engine::Seam<EntityServices, NullEntityServices>& entityServicesSeam();
EntityServices& entityServices();
void setEntityServices(EntityServices* services);
