#include "entities/core/entity_drawings.h"

engine::Seam<EntityDrawings, NullEntityDrawings>& entityDrawingsSeam() {
  static engine::Seam<EntityDrawings, NullEntityDrawings> seam;
  return seam;
}

EntityDrawings& entityDrawings() { return entityDrawingsSeam().get(); }

void setEntityDrawings(EntityDrawings* drawings) { entityDrawingsSeam().set(drawings); }
