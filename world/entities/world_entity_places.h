#pragma once
// The world's mob spawner and pet path finder, built and destroyed with the world. What walks the
// mob list runs in the entities (entities/mobs/).

#include "world/entities/mob_spawner.h"
#include "world/entities/cell_path_finder.h"
