#pragma once
// An entity as the world's bodies seam sees it: where it stands, its cell and whether it is going.

#include "entities/core/entity.h"
#include "world/cells/map_block.h"
#include "world/seams/world_bodies.h"

inline Body bodyOf(const Entity& entity, BodyGroup group, uint32_t id) {
  Body body;
  body.group = group;
  body.id = id;
  body.position = {entity.data.x, entity.data.y};
  if (entity.data.cell != nullptr) {
    body.cellX = entity.data.cell->x;
    body.cellY = entity.data.cell->y;
  }
  if (entity.data.removed) body.flags |= body_flag::kRemoved;
  return body;
}
