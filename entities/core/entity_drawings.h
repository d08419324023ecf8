#pragma once
// The seam through which the view gives entities their drawing side (`EntityDrawing`, entity.h).
// The entity lists call `attach` once for each entity that joins them; the view answers by
// attaching a drawing side that owns the entity's node in one of its layers, or leaves the entity
// without one (no game drawn, or a world that is not the one on screen). The null form attaches
// nothing, so headless games and tools step their entities undrawn. Main thread only.

#include "engine/base/seam.h"

class RealEntity;

class EntityDrawings {
 public:
  virtual ~EntityDrawings() = default;
  virtual void attach(RealEntity& entity) = 0;
};

class NullEntityDrawings final : public EntityDrawings {
 public:
  void attach(RealEntity&) override {}
};

// The registration slot behind the short forms below (not owned; null restores the null form).
engine::Seam<EntityDrawings, NullEntityDrawings>& entityDrawingsSeam();
EntityDrawings& entityDrawings();
void setEntityDrawings(EntityDrawings* drawings);
